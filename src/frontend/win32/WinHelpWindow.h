// The window that shows a topic of the help file (toolkit/HelpFile): its
// title in the caption after the file's, its lines in a read-only edit.
// There is no help compiler here, so the program reads its help source
// itself, as the headless and Qt front-ends do.
#ifndef ZUBA_FRONTEND_WIN32_WINHELPWINDOW_H_
#define ZUBA_FRONTEND_WIN32_WINHELPWINDOW_H_

#include "frontend/win32/WinApi.h"

#include <string>

#include "toolkit/HelpFile.h"

namespace zuba::winui {

class WinHelpWindow {
 public:
  // `font` is the font of the text; it must outlive the window.
  explicit WinHelpWindow(HFONT font);
  ~WinHelpWindow();
  WinHelpWindow(const WinHelpWindow&) = delete;
  WinHelpWindow& operator=(const WinHelpWindow&) = delete;

  // Shows topic `context` of `file` (or that the file lacks it) and brings
  // the window to the front.
  void ShowTopic(const toolkit::HelpFile& file, int context);

  HWND Window() const { return window_; }
  // A message the loop is about to dispatch: Escape in the window or its
  // text closes the window, as in the system's help. True when handled.
  bool PreTranslate(const MSG& msg);
  // The text shown, lines separated by CR LF.
  static std::string TopicText(const toolkit::HelpFile& file, int context);
  static std::string TopicCaption(const toolkit::HelpFile& file, int context);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HFONT font_;
  HWND window_ = nullptr;
  HWND text_ = nullptr;
};

}  // namespace zuba::winui

#endif  // ZUBA_FRONTEND_WIN32_WINHELPWINDOW_H_
