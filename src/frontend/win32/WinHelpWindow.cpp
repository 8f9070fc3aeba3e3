#include "frontend/win32/WinHelpWindow.h"

namespace zuba::winui {

namespace {
constexpr char kHelpClass[] = "ZubaNetHelp";
}  // namespace

WinHelpWindow::WinHelpWindow(HFONT font) : font_(font) {}

WinHelpWindow::~WinHelpWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

std::string WinHelpWindow::TopicCaption(const toolkit::HelpFile& file, int context) {
  std::string caption = file.Title().empty() ? "ヘルプ" : file.Title();
  if (const toolkit::HelpTopic* topic = file.Topic(context)) caption += " - " + topic->title;
  return caption;
}

std::string WinHelpWindow::TopicText(const toolkit::HelpFile& file, int context) {
  const toolkit::HelpTopic* topic = file.Topic(context);
  if (topic == nullptr) {
    return "このヘルプ ファイルにはトピック " + std::to_string(context) + " がありません。";
  }
  std::string text = topic->title + "\r\n";
  for (const std::string& line : topic->lines) text += "\r\n" + line;
  return text;
}

LRESULT CALLBACK WinHelpWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      HWND text = GetWindow(hwnd, GW_CHILD);
      if (text != nullptr) MoveWindow(text, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    }
    case WM_SETFOCUS:
      if (HWND text = GetWindow(hwnd, GW_CHILD)) SetFocus(text);
      return 0;
    case WM_CLOSE:
      ShowWindow(hwnd, SW_HIDE);  // kept for the next topic
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

bool WinHelpWindow::PreTranslate(const MSG& msg) {
  if (window_ == nullptr || msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return false;
  if (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)) return false;
  ShowWindow(window_, SW_HIDE);
  return true;
}

void WinHelpWindow::ShowTopic(const toolkit::HelpFile& file, int context) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (window_ == nullptr) {
    WNDCLASSA type{};
    type.lpfnWndProc = WindowProc;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    type.lpszClassName = kHelpClass;
    RegisterClassA(&type);
    window_ = CreateWindowExA(0, kHelpClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              420, 320, nullptr, nullptr, instance, nullptr);
    text_ = CreateWindowExA(0, "EDIT", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                                ES_AUTOVSCROLL,
                            0, 0, 0, 0, window_, nullptr, instance, nullptr);
    SendMessageA(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    RECT client;
    GetClientRect(window_, &client);
    MoveWindow(text_, 0, 0, client.right, client.bottom, FALSE);
  }
  SetWindowTextA(window_, TopicCaption(file, context).c_str());
  SetWindowTextA(text_, TopicText(file, context).c_str());
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

}  // namespace zuba::winui
