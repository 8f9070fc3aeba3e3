// Helpers of the front-end's tests under Wine: letting the windows work,
// where a window lies, and pictures of the screen as PNG files.
#ifndef ZUBA_TESTING_WINUI_WINTESTING_H_
#define ZUBA_TESTING_WINUI_WINTESTING_H_

#include "frontend/win32/WinApi.h"

#include <functional>
#include <string>

#include "frontend/win32/WinUiServices.h"

namespace zuba::winui::wintest {

// Handles the messages that are waiting, then those that arrive within
// `ms` milliseconds (ProcessMessages: the forms shown become windows).
void Settle(WinUiServices& ui, int ms = 50);

// Posts a left click at x, y of `hwnd`'s client area (its centre without
// them) and lets the windows handle it.
void PostClick(WinUiServices& ui, HWND hwnd, int x = -1, int y = -1);
void PostRightClick(WinUiServices& ui, HWND hwnd, int x, int y);
// Posts a key (WM_KEYDOWN, WM_KEYUP) to `hwnd`.
void PostKey(WinUiServices& ui, HWND hwnd, WPARAM key);
// Posts characters (WM_CHAR) to `hwnd`.
void PostChars(WinUiServices& ui, HWND hwnd, const std::string& text);

// The window's place in its parent's client area.
RECT PlaceInParent(HWND hwnd);
std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);

// Runs `action` once from a timer while a modal loop (a message box, a
// menu, a dialog) is running.
void Soon(const std::function<void()>& action, int ms = 300);

// Writes what the screen shows of `hwnd` (frame included) as a PNG file
// <dir>/<name>.png, `dir` being $ZUBA_SCREENSHOT_DIR; nothing without it.
// False when it could not be written.
bool SaveScreenshot(HWND hwnd, const std::string& name);
// The same of a rectangle of the screen.
bool SaveScreenshotOf(const RECT& area, const std::string& name);

}  // namespace zuba::winui::wintest

#endif  // ZUBA_TESTING_WINUI_WINTESTING_H_
