#include "frontend/win32/WinDialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zuba::winui {

namespace {

using toolkit::MessageButtons;
using toolkit::MessageIcon;
using toolkit::MessageResult;

MessageResult LastButton(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOkCancel:
    case MessageButtons::kYesNoCancel:
      return MessageResult::kCancel;
    case MessageButtons::kYesNo:
      return MessageResult::kNo;
    default:
      return MessageResult::kOk;
  }
}

// An in-memory dialog template: DLGTEMPLATE and DLGITEMTEMPLATE records,
// each DWORD-aligned, their strings in UTF-16.
class DialogTemplate {
 public:
  void Header(DWORD style, int items, int cx, int cy, const std::string& title, int points,
              const std::string& font) {
    Align(4);
    Dword(style);
    Dword(0);
    Word(static_cast<WORD>(items));
    Word(0);
    Word(0);
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(0);  // no menu
    Word(0);  // the dialog class
    Text(title);
    Word(static_cast<WORD>(points));
    Text(font);
  }
  void Item(DWORD style, int x, int y, int cx, int cy, WORD id, WORD type,
            const std::string& text, WORD icon = 0) {
    Align(4);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(id);
    Word(0xFFFF);
    Word(type);
    if (icon != 0) {
      Word(0xFFFF);
      Word(icon);
    } else {
      Text(text);
    }
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Align(std::size_t bytes) {
    while ((words_.size() * 2) % bytes != 0) words_.push_back(0);
  }
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    for (wchar_t c : wide) words_.push_back(static_cast<WORD>(c));
  }

  std::vector<WORD> words_;
};

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

INT_PTR CALLBACK WarningProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageA(dialog, 10, STM_SETICON,
                          reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_EXCLAMATION)), 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDOK);
      return TRUE;
    default:
      return FALSE;
  }
}

// The countdown of a timed question: a hidden window of our own whose
// timer ticks once a second while MessageBoxA runs its modal loop on the
// same thread. It finds the box among the thread's windows by its class and
// caption, writes the seconds left into the box's text and, when they run
// out, presses the question's timeout answer.
constexpr char kCountdownClass[] = "ZubaNetCountdown";
constexpr UINT_PTR kCountdownTick = 1;
constexpr int kMessageBoxTextId = 0xFFFF;  // the static text of MessageBoxA

struct Countdown {
  const toolkit::TimedQuestion& question;
  int secondsLeft;
  HWND box = nullptr;
};

BOOL CALLBACK FindQuestionBox(HWND hwnd, LPARAM param) {
  auto* countdown = reinterpret_cast<Countdown*>(param);
  char className[16] = {};
  char title[256] = {};
  GetClassNameA(hwnd, className, sizeof className);
  GetWindowTextA(hwnd, title, sizeof title);
  if (std::strcmp(className, "#32770") != 0 || countdown->question.caption != title) return TRUE;
  countdown->box = hwnd;
  return FALSE;
}

LRESULT CALLBACK CountdownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER || wParam != kCountdownTick) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  auto* countdown = reinterpret_cast<Countdown*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (countdown == nullptr) return 0;
  if (countdown->box == nullptr) {
    EnumThreadWindows(GetCurrentThreadId(), FindQuestionBox, reinterpret_cast<LPARAM>(countdown));
  }
  --countdown->secondsLeft;
  if (countdown->box == nullptr) return 0;
  if (countdown->secondsLeft > 0) {
    const std::string text = TimedQuestionText(countdown->question, countdown->secondsLeft);
    SetDlgItemTextA(countdown->box, kMessageBoxTextId, text.c_str());
  } else {
    KillTimer(hwnd, kCountdownTick);
    PostMessageA(countdown->box, WM_COMMAND,
                 static_cast<WPARAM>(countdown->question.timeoutAnswer), 0);
  }
  return 0;
}

}  // namespace

UINT MessageBoxFlags(MessageIcon icon, MessageButtons buttons) {
  UINT flags = 0;
  switch (buttons) {
    case MessageButtons::kOkCancel:
      flags |= MB_OKCANCEL;
      break;
    case MessageButtons::kYesNo:
      flags |= MB_YESNO;
      break;
    case MessageButtons::kYesNoCancel:
      flags |= MB_YESNOCANCEL;
      break;
    default:
      flags |= MB_OK;
      break;
  }
  switch (icon) {
    case MessageIcon::kInformation:
      flags |= MB_ICONINFORMATION;
      break;
    case MessageIcon::kQuestion:
      flags |= MB_ICONQUESTION;
      break;
    case MessageIcon::kWarning:
      flags |= MB_ICONWARNING;
      break;
    case MessageIcon::kError:
      flags |= MB_ICONERROR;
      break;
    default:
      break;
  }
  return flags;
}

MessageResult RunMessageBox(HWND owner, const std::string& text, const std::string& caption,
                            MessageIcon icon, MessageButtons buttons) {
  UINT flags = MessageBoxFlags(icon, buttons) | (owner == nullptr ? MB_TASKMODAL : 0);
  int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
  switch (answer) {
    case IDOK:
    case IDCANCEL:
    case IDYES:
    case IDNO:
      return static_cast<MessageResult>(answer);
    default:
      return LastButton(buttons);
  }
}

MessageResult RunTimedMessageBox(HWND owner, const toolkit::TimedQuestion& question) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CountdownProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kCountdownClass;
  RegisterClassA(&windowClass);  // a second registration fails harmlessly
  Countdown countdown{question, question.seconds};
  HWND ticker = CreateWindowExA(0, kCountdownClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, nullptr);
  if (ticker != nullptr) {
    SetWindowLongPtrA(ticker, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&countdown));
    SetTimer(ticker, kCountdownTick, 1000, nullptr);
  }
  const MessageResult answer =
      RunMessageBox(owner, TimedQuestionText(question, question.seconds), question.caption,
                    question.icon, question.buttons);
  if (ticker != nullptr) {
    KillTimer(ticker, kCountdownTick);
    DestroyWindow(ticker);
  }
  return answer;
}

void RunWarningDialog(HWND owner, const std::string& title, const std::string& text,
                      const std::string& button, const std::string& font) {
  // The text's size in dialog units at the dialog's font decides the
  // dialog's: measured with the font at 9 pt.
  HDC screen = GetDC(nullptr);
  HFONT measure = CreateFontA(-MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0,
                              FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, font.c_str());
  HGDIOBJ old = SelectObject(screen, measure);
  RECT box{0, 0, 360, 0};
  DrawTextA(screen, text.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  TEXTMETRICA metrics;
  GetTextMetricsA(screen, &metrics);
  SIZE average;
  GetTextExtentPoint32A(screen,
                        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &average);
  SelectObject(screen, old);
  DeleteObject(measure);
  ReleaseDC(nullptr, screen);
  const int unitX = std::max<int>((average.cx / 26 + 1) / 2, 1);
  const int unitY = std::max<int>(metrics.tmHeight, 1);
  const int textCx = (box.right * 4 + unitX - 1) / unitX;
  const int textCy = (box.bottom * 8 + unitY - 1) / unitY;
  const int cx = std::max(textCx + 48, 120);
  const int cy = textCy + 40;
  DialogTemplate dialog;
  dialog.Header(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 3, cx,
                cy, title, 9, font);
  dialog.Item(SS_ICON, 8, 8, 20, 20, 10, kStaticClass, "", 0);
  dialog.Item(SS_LEFT | SS_NOPREFIX, 38, 8, textCx, textCy, 11, kStaticClass, text);
  dialog.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, (cx - 60) / 2, cy - 22, 60, 14, IDOK, kButtonClass,
              button);
  DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Data(), owner, WarningProc, 0);
}

DWORD OpenDialogFlags(unsigned options) {
  DWORD flags = options;
  if ((options & toolkit::kOfNoLongNames) == 0) flags |= OFN_EXPLORER;
  return flags;
}

std::string OpenDialogFilter(const std::string& filter) {
  std::string parts = filter;
  for (char& c : parts) {
    if (c == '|') c = '\0';
  }
  parts.push_back('\0');
  parts.push_back('\0');
  return parts;
}

bool RunOpenDialog(HWND owner, const toolkit::OpenFileRequest& request, std::string* path) {
  char file[MAX_PATH] = {};
  std::strncpy(file, request.fileName.c_str(), sizeof file - 1);
  std::string filter = OpenDialogFilter(request.filter);
  std::string ext = request.defaultExt;
  OPENFILENAMEA open{};
  // The size Windows 95 knows; later fields stay unused.
  open.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  open.hwndOwner = owner;
  open.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
  open.nFilterIndex = static_cast<DWORD>(request.filterIndex);
  open.lpstrFile = file;
  open.nMaxFile = sizeof file;
  open.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  open.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  open.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  open.Flags = OpenDialogFlags(request.options);
  if (!GetOpenFileNameA(&open)) return false;
  *path = file;
  return true;
}

}  // namespace zuba::winui
