// The system's dialogs as the UI services show them: message boxes
// (MessageBoxA with the model's icon and buttons), the warning dialog with
// a button of its own caption, and the file-open dialog (GetOpenFileNameA).
#ifndef ZUBA_FRONTEND_WIN32_WINDIALOGS_H_
#define ZUBA_FRONTEND_WIN32_WINDIALOGS_H_

#include "frontend/win32/WinApi.h"

#include <string>

#include "toolkit/UiServices.h"

namespace zuba::winui {

// The MB_* flags of a message box with `icon` and `buttons`.
UINT MessageBoxFlags(toolkit::MessageIcon icon, toolkit::MessageButtons buttons);

// A message box owned by `owner` (nullptr: modal to the whole program).
// A box that could not be shown answers its last button (Cancel, No or the
// only OK), never Yes.
toolkit::MessageResult RunMessageBox(HWND owner, const std::string& text,
                                     const std::string& caption, toolkit::MessageIcon icon,
                                     toolkit::MessageButtons buttons);

// A message box that counts down in its text once a second and answers
// question.timeoutAnswer by itself when question.seconds have passed.
toolkit::MessageResult RunTimedMessageBox(HWND owner, const toolkit::TimedQuestion& question);

// The warning dialog: the warning icon, the text, and one button whose
// caption is `button` ("&" marks its access key); Escape and the close box
// press it too. `font` is the face of the dialog's font, 9 pt.
void RunWarningDialog(HWND owner, const std::string& title, const std::string& text,
                      const std::string& button, const std::string& font);

// The OPENFILENAME flags of a request: its options, and the Explorer style
// unless only 8.3 names are asked for (OFN_NOLONGNAMES holds only in the
// old style).
DWORD OpenDialogFlags(unsigned options);
// The filter of a request ("text|pattern|...") as the dialog takes it:
// the parts separated and the whole ended by NULs.
std::string OpenDialogFilter(const std::string& filter);

// The file-open dialog; true with the chosen path in `*path`.
bool RunOpenDialog(HWND owner, const toolkit::OpenFileRequest& request, std::string* path);

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_WINDIALOGS_H_
