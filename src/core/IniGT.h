// TIniGT: the store through which every read and write of an INI file goes.
// It sits on the platform's private-profile functions and adds where a bare
// file name is placed, an optional wrapping of text values in a pair of
// fence characters, lists of texts under one name (N.Count, N.0, N.1, ...)
// and control positions under one name (N.X, N.Y).
//
// Nothing is cached: every write goes to the platform at once and every read
// asks it, so two stores on one file see each other's writes.
#ifndef ZUBA_CORE_INIGT_H_
#define ZUBA_CORE_INIGT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/Positioned.h"
#include "platform/Files.h"
#include "platform/Profiles.h"

namespace zuba::core {

// Where a FileName without a directory part is placed.
enum TIniGTDefaultDir {
  ddApplication = 0,  // the directory of the running program
  ddWindows = 1,      // the Windows directory
  ddNone = 2,         // handed to the platform as given (it then uses the Windows directory)
};

// How text values are wrapped in the file.
enum TIniGTFence {
  fnDoubleQuote = 0,  // "text"
  fnParenthesis = 1,  // the halfwidth corner brackets 0xA2 text 0xA3
  fnVer11Mode = 2,    // written like fnParenthesis; both wrappings removed on reading
  fnNone = 3,         // no wrapping
};

// The form designer that edits a store at design time. Only a store created
// with a designer is in design state; the running program never is.
class TIniGTDesigner {
 public:
  virtual ~TIniGTDesigner() = default;
  // A warning message box with a single OK button.
  virtual void ShowWarning(const std::string& text) = 0;
};

class TIniGT {
 public:
  // Platform buffer sizes: one value is read into 2,048 bytes (a longer value
  // comes back cut to 2,047), the key names of a section start with 16,384,
  // the Windows directory is asked for into 150.
  static constexpr std::size_t kValueBufferSize = 2048;
  static constexpr std::size_t kKeyNamesBufferSize = 16384;
  static constexpr std::size_t kWindowsDirBufferSize = 150;
  // ReadTextList reads at most this many items, whatever N.Count says.
  static constexpr std::int32_t kMaxListCount = 65536;

  // A store with DefaultDir ddApplication, an empty FileName and Fence
  // fnNone. `designer` is null except in a form designer.
  TIniGT(platform::Profiles& profiles, platform::Files& files, TIniGTDesigner* designer = nullptr);
  TIniGT(const TIniGT&) = delete;
  TIniGT& operator=(const TIniGT&) = delete;

  // --- Properties ---------------------------------------------------------

  TIniGTDefaultDir DefaultDir() const { return defaultDir_; }
  // Stores the value and assigns FileName again, so the path moves.
  void SetDefaultDir(TIniGTDefaultDir defaultDir);

  const std::string& FileName() const { return fileName_; }
  // Stores the name and resolves the path at once. Nothing is opened: a
  // missing file shows only as reads that give their defaults.
  void SetFileName(const std::string& fileName);

  TIniGTFence Fence() const { return fence_; }
  // In design state, changing the value away from fnVer11Mode first shows
  // the designer's warning; the value is stored in any case.
  void SetFence(TIniGTFence fence);

  // True until Fence is first assigned (also with the value it has).
  bool FenceNotStreamed() const { return fenceNotStreamed_; }

  // The full file name handed to every platform call.
  const std::string& Path() const { return path_; }

  bool Designing() const { return designer_ != nullptr; }

  // The end of loading from a form description: outside design state an
  // empty FileName becomes the default name (DefaultFileName of the
  // program's path); in design state a Fence never assigned becomes
  // fnVer11Mode.
  void Loaded();

  // The default file name for a program path: its file-name part with the
  // extension changed to ".INI", all single-byte letters lowered and then a
  // first lower-case letter raised (zubanet.exe gives Zubanet.ini).
  static std::string DefaultFileName(const std::string& programPath);

  // --- Values -------------------------------------------------------------
  //
  // Reads never fail: a missing file, section or key, or a text that is no
  // number, gives the default. Every write the platform refuses raises
  // system::Exception with "<path> に書き込めません"; writes made before it stay.
  // A section, key or text holding a CR or LF byte, which no line of the file
  // can keep, is refused the same way before it reaches the platform.

  // A text, unwrapped by Fence (at most one pair removed). A missing key
  // gives `def` itself.
  std::string ReadText(const std::string& section, const std::string& key, const std::string& def);
  void WriteText(const std::string& section, const std::string& key, const std::string& text);

  // A 32-bit number: decimal with an optional sign, "0x"/"0X" or "$" for
  // hexadecimal (a sign only before "$": "-$1F", never "$-1F" or "0x-1F").
  // Empty, malformed or out-of-range text gives `def`.
  std::int32_t ReadNumber(const std::string& section, const std::string& key, std::int32_t def);
  void WriteNumber(const std::string& section, const std::string& key, std::int32_t value);

  // "1" or "0" in the file; any number other than 0 reads as true.
  bool ReadFlag(const std::string& section, const std::string& key, bool def);
  void WriteFlag(const std::string& section, const std::string& key, bool value);

  // --- Lists and positions ------------------------------------------------

  // Replaces `*list` with the items N.0 ... N.(n-1), n read from N.Count with
  // the list's own size as default; an item that is missing defaults to the
  // list's own item at that index, or to the empty text. A count of 0 or
  // less empties the list; a count above kMaxListCount is cut to it.
  void ReadTextList(const std::string& section, const std::string& name,
                    std::vector<std::string>* list);
  // Writes N.Count, then N.0 ... in order. Keys of a longer earlier list stay.
  void WriteTextList(const std::string& section, const std::string& name,
                     const std::vector<std::string>& list);

  // N.X and N.Y: the control's left and top edges, each defaulting to where
  // the control is.
  void ReadPosition(const std::string& section, const std::string& name, TPositioned* control);
  void WritePosition(const std::string& section, const std::string& name,
                     const TPositioned& control);

  // --- Sections -----------------------------------------------------------

  // Replaces `*names` with the section's key names in file order (empty for
  // a missing file or section). The buffer starts at 16,384 bytes and grows
  // while the platform fills it. True when every name was listed; false when
  // the platform could list only the first names (Windows 9x hands out at
  // most 32 KB at once): `*names` then holds those that came whole.
  bool ReadKeyNames(const std::string& section, std::vector<std::string>* names);

  // For each key of the section, in order: sets "name=value" (raw value, no
  // unwrapping) in `*lines`, replacing in place the first entry whose name
  // (the text before its first "=") is the same without regard to case, or
  // appending; a key with an empty value removes such an entry instead.
  // Entries without "=" stay. `*lines` is not emptied first. True when
  // every key was listed (see ReadKeyNames).
  bool ReadKeyValues(const std::string& section, std::vector<std::string>* lines);

  // Replaces `*entries` with the section's keys as "name=value" in file
  // order, each value raw (no unwrapping, the file's quotes kept). True when
  // every key was listed (see ReadKeyNames).
  bool ReadSection(const std::string& section, std::vector<std::string>* entries);

  // Replaces the section's keys with `entries` ("name=value", raw values) in
  // one atomic change of the file: the old key lines take the new entries in
  // order, further entries follow the last one, lines left over go. A
  // refused write changes nothing.
  void WriteSection(const std::string& section, const std::vector<std::string>& entries);

  // What writing each (key, raw value) in order would do, in one atomic
  // change: a key already there is replaced in place (spelled as in the
  // file), a new one appended. False, with nothing written, when the section
  // is too large to be listed whole (the caller then writes otherwise).
  bool WriteKeys(const std::string& section,
                 const std::vector<std::pair<std::string, std::string>>& keys);

  // The text as WriteText hands it to the platform: wrapped by Fence.
  std::string Wrapped(const std::string& text) const { return Wrap(text); }

  // The keys and raw values WriteTextList writes for `list` under the name
  // `name`, in its order: N.Count, then N.0 ... with the items wrapped by
  // Fence.
  std::vector<std::pair<std::string, std::string>> TextListKeys(
      const std::string& name, const std::vector<std::string>& list) const;

  // Removes one key of the section; removing a missing key succeeds.
  void DeleteKey(const std::string& section, const std::string& key);

  // Removes the section with all its keys.
  void DeleteSection(const std::string& section);

  // Has the platform put every write made so far on the disk (the profile
  // cache flushed), so that the writes outlast a crash of the system.
  void Flush();

  // Has the platform hold the writes from now on until Flush, which makes
  // them in one replacement of the file, or DropHeldWrites, which forgets
  // them (Profiles::HoldWrites).
  void HoldWrites();
  void DropHeldWrites();

 private:
  void ResolvePath();
  std::string Wrap(const std::string& text) const;
  std::string Unwrap(const std::string& text) const;
  std::string ReadRaw(const std::string& section, const std::string& key, const std::string& def);
  void WriteRaw(const std::string& section, const std::string& key, const std::string& value);
  void RefuseLineBreaks(const std::string& text) const;
  [[noreturn]] void RaiseWriteError() const;

  platform::Profiles& profiles_;
  platform::Files& files_;
  TIniGTDesigner* designer_;
  TIniGTDefaultDir defaultDir_ = ddApplication;
  std::string fileName_;
  TIniGTFence fence_ = fnNone;
  bool fenceNotStreamed_ = true;
  std::string path_;
};

}  // namespace zuba::core

#endif  // ZUBA_CORE_INIGT_H_
