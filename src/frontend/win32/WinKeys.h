// The keys held as the model knows them, read from the keyboard state.
#ifndef ZUBA_FRONTEND_WIN32_WINKEYS_H_
#define ZUBA_FRONTEND_WIN32_WINKEYS_H_

#include "frontend/win32/WinApi.h"

#include <string>

#include "toolkit/Keys.h"

namespace zuba::winui {

// Shift, Ctrl and Alt as held while the current message was sent.
toolkit::ShiftState HeldKeys();

// The access key of a caption: the character after a single "&" (upper
// case for a letter); 0 for none. "&&" stands for "&" itself.
char AccessKey(const std::string& caption);

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_WINKEYS_H_
