// What the file-open dialog knows of the simulated machine's drives, apart
// from drawing: the drives there are, a directory's subdirectories and the
// files that match the chosen filter, and what a typed name stands for.
// Everything is a Windows path in CP932, reached through platform::Files.
#ifndef ZUBA_FRONTEND_QT_FILEBROWSER_H_
#define ZUBA_FRONTEND_QT_FILEBROWSER_H_

#include <string>
#include <utility>
#include <vector>

#include "platform/Files.h"

namespace zuba::qt {

// The pairs of a filter "Exe File (*.exe)|*.exe|All files (*.*)|*.*": the
// description and its patterns ("*.exe", or several joined by ";"). A
// missing last pattern is empty.
std::vector<std::pair<std::string, std::string>> ParseFilter(const std::string& filter);

// "C:\A" and "B" give "C:\A\B"; a drive root keeps its one backslash.
std::string JoinPath(const std::string& directory, const std::string& name);
// The directory of a path ("C:\A\B" gives "C:\A", "C:\A" gives "C:\"); a
// drive root is its own parent.
std::string ParentPath(const std::string& path);
// An absolute path with "." and ".." resolved and separators made single
// backslashes; a path relative to `directory` is taken from there.
std::string FullPath(const std::string& directory, const std::string& path);

// Which names a dialog shows: the long ones, or the 8.3 ones only (the
// dialog's kOfNoLongNames).
enum class NameKind { kLong, kShort };

class FileBrowser {
 public:
  explicit FileBrowser(platform::Files& files) : files_(files) {}

  // The letters of the drives the machine has (A to Z).
  std::vector<char> Drives();

  // The subdirectories of `directory` and its files matching any of the
  // patterns (separated by ";"), each list in the machine's order, by their
  // long names or their 8.3 names. False when the directory does not exist.
  bool List(const std::string& directory, const std::string& patterns,
            std::vector<std::string>* directories, std::vector<std::string>* files,
            NameKind names = NameKind::kLong);

  // An absolute path with each component that exists given by its 8.3 name
  // (as GetShortPathName gives it); a component that does not exist, and
  // those after it, stay as given.
  std::string ShortPath(const std::string& path);

  // What a name typed into the dialog stands for, taken from `directory`.
  enum class Typed {
    kNothing,      // an empty name
    kFile,         // `*result` is the file's path: the dialog is done
    kDirectory,    // `*result` is a directory to go to
    kPattern,      // `*result` is a pattern to list by (in `*directory`)
    kMissingFile,  // the file must exist and does not (`*result`: its path)
    kMissingPath,  // its directory must exist and does not (`*result`: its path)
  };
  // `options` are the dialog's (kOfFileMustExist, kOfPathMustExist); a name
  // without an extension gets `defaultExt` when that file exists or the
  // file need not exist. A pattern with a directory part changes
  // `*directory`.
  Typed Resolve(std::string* directory, const std::string& typed, const std::string& defaultExt,
                unsigned options, std::string* result);

 private:
  bool IsDirectory(const std::string& path);
  bool IsFile(const std::string& path);

  platform::Files& files_;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_FILEBROWSER_H_
