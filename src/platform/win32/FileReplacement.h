// Replacing a file so that it holds where MoveFileEx is missing (Windows 9x
// has it only as a stub): the new content goes to a file beside the target
// ("NAME.zn~") and is flushed; the old file moves to a backup name
// ("NAME.zb~"), the new one moves in, the backup is removed. The backup's
// existence is the point of no return: it is made only once the new file
// is complete. So whatever moment a power cut or an ended process stops a
// replacement at, the names left tell how to finish it or roll it back, and
// Settle does so before anyone reads or writes the file again:
//
//   target  backup  new     meaning                        Settle
//   yes     no      yes     new file not complete          removes the new file
//   yes     yes     -       new file moved in              removes the backup (and a new file)
//   no      yes     yes     cut between the two moves      moves the new file in, removes the backup
//   no      yes     no      the new file's move failed     moves the backup back
//   no      no      yes     a file being created           removes the new file
//
// Where MoveFileEx works (Windows NT, Wine) the new file replaces the target
// in one move and the backup never exists. Every replacement and every
// settling holds one mutex of the whole machine, so no process settles a
// replacement another one is making.
#ifndef ZUBA_PLATFORM_WIN32_FILEREPLACEMENT_H_
#define ZUBA_PLATFORM_WIN32_FILEREPLACEMENT_H_

#include <cstdint>
#include <string>

#include "platform/win32/Win32Api.h"

namespace zuba::platform::win32 {

class FileReplacement {
 public:
  FileReplacement();
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // The names beside `target` a replacement uses.
  static std::string NewNameOf(const std::string& target);
  static std::string BackupNameOf(const std::string& target);

  // Replaces (or creates) `target` with `content`; the new file gets
  // `attributes` unless they are kInvalidAttributes. False, with the old
  // file in its place (or none, as before) and the last error of the step
  // that failed, when a write or a move fails.
  bool Replace(const std::string& target, const std::string& content, DWORD attributes);

  // Finishes or rolls back a replacement of `target` that was cut short
  // (the table above); nothing when there is none.
  void Settle(const std::string& target);

 private:
  void SettleHeld(const std::string& target);
  bool ReplaceHeld(const std::string& target, const std::string& content, DWORD attributes);

  HANDLE mutex_;
};

}  // namespace zuba::platform::win32

#endif  // ZUBA_PLATFORM_WIN32_FILEREPLACEMENT_H_
