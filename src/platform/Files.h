// The file system of a Windows 9x machine: Windows paths (a drive letter and
// backslashes, compared without regard to case), long names with their 8.3
// aliases, and the few directories the program asks for.
#ifndef ZUBA_PLATFORM_FILES_H_
#define ZUBA_PLATFORM_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace zuba::platform {

// FILE_ATTRIBUTE_* bits.
enum FileAttribute : std::uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
  kAttrNormal = 0x80,
};
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

// One entry of a directory search (WIN32_FIND_DATA reduced): the long name,
// the 8.3 alias (empty when the long name is already an upper-case 8.3 name),
// the attributes and the size in bytes.
struct FindData {
  std::string longName;
  std::string shortName;
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
};

// What a copy does when the target exists (the fail-if-exists flag of
// CopyFileA).
enum class IfTargetExists { kFail, kReplace };

class Files {
 public:
  Files() = default;
  Files(const Files&) = delete;
  Files& operator=(const Files&) = delete;
  virtual ~Files() = default;

  // GetFileAttributesA: the attributes of a file or directory, or
  // kInvalidAttributes when the path does not exist (or leaves the machine).
  virtual std::uint32_t GetAttributes(const std::string& path) = 0;

  // FindFirstFileA/FindNextFileA over a whole pattern: `pattern` is a path
  // whose last component may hold the wildcards * and ?, matched against
  // the long and the short name without regard to case. Appends the entries
  // to `*found` in directory order ("." and ".." are not listed) and answers
  // whether any matched.
  virtual bool FindFiles(const std::string& pattern, std::vector<FindData>* found) = 0;

  // CopyFileA. False when the source is missing or a directory, when the
  // target's directory is missing, or when the target exists and
  // `ifExists` is kFail.
  virtual bool CopyTo(const std::string& source, const std::string& target,
                      IfTargetExists ifExists) = 0;

  // The whole content of a file. False when it is missing or a directory.
  virtual bool ReadBytes(const std::string& path, std::string* content) = 0;

  // Replaces (or creates) a file with `content` atomically: a reader sees the
  // old or the new content, never a mix. False when the directory is missing.
  virtual bool WriteBytes(const std::string& path, const std::string& content) = 0;

  // A token that changes whenever the file's content may have changed
  // (size and modification time); 0 when the file is missing.
  virtual std::uint64_t ChangeStamp(const std::string& path) = 0;

  // CreateDirectoryA: the parent must exist. RemoveFile: DeleteFileA.
  virtual bool MakeDirectory(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;

  // GetWindowsDirectoryA ("C:\WINDOWS", no trailing backslash unless it is a
  // drive root), GetCurrentDirectoryA, GetModuleFileNameA of the program.
  virtual std::string WindowsDirectory() = 0;
  virtual std::string CurrentDirectory() = 0;
  virtual std::string ProgramPath() = 0;
};

// Text files as Windows keeps them: lines separated by CR LF. Reading
// accepts CR LF, LF or CR alone; the last line needs no line end. Writing
// ends every line with CR LF.
bool ReadTextLines(Files& files, const std::string& path, std::vector<std::string>* lines);
bool WriteTextLines(Files& files, const std::string& path, const std::vector<std::string>& lines);

class FilesWrapper : public Files {
 public:
  explicit FilesWrapper(Files& target) : target_(target) {}
  std::uint32_t GetAttributes(const std::string& path) override {
    return target_.GetAttributes(path);
  }
  bool FindFiles(const std::string& pattern, std::vector<FindData>* found) override {
    return target_.FindFiles(pattern, found);
  }
  bool CopyTo(const std::string& source, const std::string& target,
              IfTargetExists ifExists) override {
    return target_.CopyTo(source, target, ifExists);
  }
  bool ReadBytes(const std::string& path, std::string* content) override {
    return target_.ReadBytes(path, content);
  }
  bool WriteBytes(const std::string& path, const std::string& content) override {
    return target_.WriteBytes(path, content);
  }
  std::uint64_t ChangeStamp(const std::string& path) override {
    return target_.ChangeStamp(path);
  }
  bool MakeDirectory(const std::string& path) override { return target_.MakeDirectory(path); }
  bool RemoveFile(const std::string& path) override { return target_.RemoveFile(path); }
  std::string WindowsDirectory() override { return target_.WindowsDirectory(); }
  std::string CurrentDirectory() override { return target_.CurrentDirectory(); }
  std::string ProgramPath() override { return target_.ProgramPath(); }

 protected:
  Files& target() { return target_; }

 private:
  Files& target_;
};

}  // namespace zuba::platform

#endif  // ZUBA_PLATFORM_FILES_H_
