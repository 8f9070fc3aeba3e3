// The private-profile functions of Windows on INI files named by Windows
// paths (a path without a directory part names a file in the Windows
// directory). Section and key names compare without regard to case.
#ifndef ZUBA_PLATFORM_PROFILES_H_
#define ZUBA_PLATFORM_PROFILES_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zuba::platform {

class Profiles {
 public:
  Profiles() = default;
  Profiles(const Profiles&) = delete;
  Profiles& operator=(const Profiles&) = delete;
  virtual ~Profiles() = default;

  // GetPrivateProfileStringA for one value. `*value` receives what a buffer
  // of `bufferSize` bytes would hold (at most bufferSize - 1 bytes); the
  // result is that length. A missing file, section or key gives `def` with
  // its trailing spaces removed. Blanks around the value are trimmed and one
  // pair of matching surrounding quotes is removed.
  virtual std::size_t GetString(const std::string& section, const std::string& key,
                                const std::string& def, std::string* value, std::size_t bufferSize,
                                const std::string& file) = 0;

  // GetPrivateProfileStringA with no key name: the section's key names in
  // file order, each followed by a zero byte, and one more zero byte at the
  // end, as a buffer of `bufferSize` bytes would hold them (a name that does
  // not fit is cut and followed by two zero bytes). The result is the length
  // without the final zero byte (bufferSize - 2 when cut). A missing file or
  // section gives the empty list.
  virtual std::size_t GetKeyNames(const std::string& section, std::string* names,
                                  std::size_t bufferSize, const std::string& file) = 0;

  // GetPrivateProfileSectionNamesA, with the same buffer rules, except that,
  // as on Windows 9x, only names that fit whole are returned (a buffer of 0
  // or 1 bytes counts as unlimited).
  virtual std::size_t GetSectionNames(std::string* names, std::size_t bufferSize,
                                      const std::string& file) = 0;

  // WritePrivateProfileStringA with a value: creates the file and the
  // section as needed, replaces an existing key's value in place, appends a
  // new key after the section's last key. False when the file cannot be
  // written (its directory is missing, say).
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& file) = 0;

  // WritePrivateProfileStringA with no value: removes the key. Removing a
  // key that is not there succeeds.
  virtual bool RemoveKey(const std::string& section, const std::string& key,
                         const std::string& file) = 0;

  // WritePrivateProfileStringA with no key name: removes the section with
  // all its keys.
  virtual bool RemoveSection(const std::string& section, const std::string& file) = 0;

  // GetPrivateProfileSectionA: the section's keys in file order as
  // "name=value" (the value as it stands in the file, quotes kept), each
  // followed by a zero byte, and one more zero byte at the end, with the
  // buffer rules of GetKeyNames. Lines without '=' and comments are not
  // listed. A missing file or section gives the empty list.
  virtual std::size_t GetSection(const std::string& section, std::string* entries,
                                 std::size_t bufferSize, const std::string& file) = 0;

  // WritePrivateProfileSectionA: replaces the section's keys with `entries`,
  // each "name=value", in one atomic change of the file (creating the file
  // and the section as needed). The section's old key lines are taken by
  // the new entries in their order, further entries go after its last key,
  // old key lines left over are removed; comments stay where they are. An
  // empty entry ends the list, as the zero byte that ends the Windows
  // buffer would. False, with nothing written, when the file cannot be
  // written or an entry has no name before its '='.
  virtual bool WriteSection(const std::string& section, const std::vector<std::string>& entries,
                            const std::string& file) = 0;

  // WritePrivateProfileStringA with section, key and value all null: the
  // profile cache's copy of `file` goes to the disk. Windows 9x keeps the
  // last profile file used in a cache and writes it back lazily, so a
  // program that needs its writes kept through a crash of the system calls
  // this after them. False when the file cannot be written.
  virtual bool Flush(const std::string& file) = 0;

  // Holds the writes of `file` back until Flush(file), which makes them
  // all at once, or DropHeldWrites(file), which forgets them, as Windows
  // 9x's profile cache holds the file it keeps: the reads of this process
  // see them meanwhile, other processes do not. A held write answers false
  // only for what it refuses itself (an empty name, a file that cannot be
  // read); whether the file can be written is Flush's answer. The default
  // holds nothing: every write reaches the file at once.
  virtual void HoldWrites(const std::string& /*file*/) {}
  // Forgets the writes held for `file`: the file stays as it was before
  // them. False when nothing was held (the writes, if any, were made).
  virtual bool DropHeldWrites(const std::string& /*file*/) { return false; }
};

// The key names of `section` in `file`, in file order, asked for first with
// a buffer of `bufferSize` bytes. A listing the platform cuts short is asked
// for again with larger buffers; when the platform hands out no more, the
// cut last name is left out and the answer is false (the listing is
// incomplete). True when `names` holds every key name.
bool ListKeyNames(Profiles& profiles, const std::string& section, const std::string& file,
                  std::size_t bufferSize, std::vector<std::string>* names);

// What a buffer of `bufferSize` bytes holds of a listing of `items` as the
// profile functions return them: each item followed by a zero byte, one
// more zero byte at the end; when that does not fit, the last item that does
// is cut and followed by two zero bytes (fewer than 2 bytes: only zero
// bytes). The result is the length without the final zero byte
// (bufferSize - 2 when cut, 0 below 2 bytes).
std::size_t FillListing(const std::vector<std::string_view>& items, std::string* listing,
                        std::size_t bufferSize);

// The entries "name=value" of `section` in `file` (GetSection), with the
// same growing buffer as ListKeyNames. True when `entries` holds every key.
bool ListSection(Profiles& profiles, const std::string& section, const std::string& file,
                 std::size_t bufferSize, std::vector<std::string>* entries);

class ProfilesWrapper : public Profiles {
 public:
  explicit ProfilesWrapper(Profiles& target) : target_(target) {}
  std::size_t GetString(const std::string& section, const std::string& key, const std::string& def,
                        std::string* value, std::size_t bufferSize,
                        const std::string& file) override {
    return target_.GetString(section, key, def, value, bufferSize, file);
  }
  std::size_t GetKeyNames(const std::string& section, std::string* names, std::size_t bufferSize,
                          const std::string& file) override {
    return target_.GetKeyNames(section, names, bufferSize, file);
  }
  std::size_t GetSectionNames(std::string* names, std::size_t bufferSize,
                              const std::string& file) override {
    return target_.GetSectionNames(names, bufferSize, file);
  }
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    return target_.WriteString(section, key, value, file);
  }
  bool RemoveKey(const std::string& section, const std::string& key,
                 const std::string& file) override {
    return target_.RemoveKey(section, key, file);
  }
  bool RemoveSection(const std::string& section, const std::string& file) override {
    return target_.RemoveSection(section, file);
  }
  std::size_t GetSection(const std::string& section, std::string* entries, std::size_t bufferSize,
                         const std::string& file) override {
    return target_.GetSection(section, entries, bufferSize, file);
  }
  bool WriteSection(const std::string& section, const std::vector<std::string>& entries,
                    const std::string& file) override {
    return target_.WriteSection(section, entries, file);
  }
  bool Flush(const std::string& file) override { return target_.Flush(file); }
  void HoldWrites(const std::string& file) override { target_.HoldWrites(file); }
  bool DropHeldWrites(const std::string& file) override { return target_.DropHeldWrites(file); }

 protected:
  Profiles& target() { return target_; }

 private:
  Profiles& target_;
};

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_PROFILES_H_
