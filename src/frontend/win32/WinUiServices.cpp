#include "frontend/win32/WinUiServices.h"

#include <commctrl.h>

#include <algorithm>

#include "frontend/win32/WinDialogs.h"
#include "frontend/win32/WinHelpWindow.h"
#include "toolkit/Application.h"
#include "toolkit/HelpFile.h"
#include "toolkit/PopupMenu.h"

namespace zuba::winui {

namespace {

constexpr UINT kFirstMenuId = 100;

}  // namespace

// An open pop-up menu: which identifier and which sub-menu stand for which
// item, the item highlighted last, and the help context F1 asked for.
struct WinUiServices::OpenMenu {
  explicit OpenMenu(toolkit::PopupMenu& popup) : menu(popup) {}
  toolkit::PopupMenu& menu;
  HWND owner = nullptr;
  std::vector<toolkit::MenuItem*> items;  // by identifier - kFirstMenuId
  std::map<HMENU, toolkit::MenuItem*> subMenus;
  toolkit::MenuItem* highlighted = nullptr;
  int helpContext = 0;
  HHOOK hook = nullptr;
  WinUiServices* services = nullptr;
};

namespace {

// The services whose menu is open. A message hook has no data of its own;
// this is set only while TrackPopupMenu runs on this thread.
WinUiServices* menuServices = nullptr;

void AddItems(HMENU menu, toolkit::MenuItem& parent, std::vector<toolkit::MenuItem*>* items,
              std::map<HMENU, toolkit::MenuItem*>* subMenus) {
  for (toolkit::MenuItem* child : parent.Items()) {
    if (!child->Visible()) continue;
    if (child->IsLine()) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (child->Enabled() ? MF_ENABLED : MF_GRAYED) |
                 (child->Checked() ? MF_CHECKED : MF_UNCHECKED);
    if (!child->Items().empty()) {
      HMENU sub = CreatePopupMenu();
      (*subMenus)[sub] = child;
      AddItems(sub, *child, items, subMenus);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                  child->Caption().c_str());
      continue;
    }
    items->push_back(child);
    AppendMenuA(menu, flags, kFirstMenuId + items->size() - 1, child->Caption().c_str());
  }
}

}  // namespace

WinUiServices::WinUiServices(platform::Files& files)
    : files_(files) {
  InitCommonControls();
  FormWindow::RegisterClasses(GetModuleHandleA(nullptr));
}

WinUiServices::~WinUiServices() = default;

void WinUiServices::Watch(toolkit::Application& app) { views_.Watch(app); }

FormWindow& WinUiServices::Render(toolkit::Form& form) { return views_.Render(form); }

FormWindow* WinUiServices::WindowOf(const toolkit::Form& form) const { return views_.ViewOf(form); }

HWND WinUiServices::OwnerWindow() const {
  if (views_.App() == nullptr || views_.App()->MainForm() == nullptr) return nullptr;
  FormWindow* main = WindowOf(*views_.App()->MainForm());
  return main != nullptr ? main->Window() : nullptr;
}

HWND WinUiServices::ActiveWindow() const {
  HWND active = GetActiveWindow();
  for (const auto& window : views_.Views()) {
    if (window->Window() == active && active != nullptr) return active;
  }
  if (toolkit::Application* app = views_.App()) {
    if (toolkit::Form* form = app->ActiveForm()) {
      if (FormWindow* window = WindowOf(*form)) return window->Window();
    }
  }
  return OwnerWindow();
}

bool WinUiServices::Pump(bool wait) {
  Bury();
  MSG msg;
  if (wait) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      quitSeen_ = true;
      return false;
    }
  } else {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      quitSeen_ = true;
      return false;
    }
  }
  if (help_ && help_->PreTranslate(msg)) return true;
  for (const auto& window : views_.Views()) {
    if (window->Form() != nullptr && window->Contains(msg.hwnd)) {
      if (window->PreTranslate(msg)) return true;
      break;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

toolkit::MessageResult WinUiServices::ShowMessageBox(const std::string& text,
                                                     const std::string& caption,
                                                     toolkit::MessageIcon icon,
                                                     toolkit::MessageButtons buttons) {
  RenderShownForms();
  return RunMessageBox(ActiveWindow(), text, caption.empty() ? ApplicationTitle() : caption, icon,
                       buttons);
}

toolkit::MessageResult WinUiServices::ShowTimedMessageBox(const toolkit::TimedQuestion& question) {
  RenderShownForms();
  toolkit::TimedQuestion shown = question;
  if (shown.caption.empty()) shown.caption = ApplicationTitle();
  return RunTimedMessageBox(ActiveWindow(), shown);
}

void WinUiServices::ShowWarningDialog(const std::string& title, const std::string& text,
                                      const std::string& button) {
  RenderShownForms();
  RunWarningDialog(ActiveWindow(), title.empty() ? ApplicationTitle() : title, text, button,
                   toolkit::Font().name);
}

bool WinUiServices::ShowOpenDialog(const toolkit::OpenFileRequest& request, std::string* path) {
  RenderShownForms();
  return RunOpenDialog(ActiveWindow(), request, path);
}

void WinUiServices::ShowHelpTopic(const std::string& helpFile, int context) {
  RenderShownForms();
  std::string content;
  if (!files_.ReadBytes(helpFile, &content)) {
    RunMessageBox(ActiveWindow(), "ヘルプ ファイル " + helpFile + " を開けません。", "ヘルプ",
                  toolkit::MessageIcon::kError, toolkit::MessageButtons::kOk);
    return;
  }
  if (!help_) help_ = std::make_unique<WinHelpWindow>(gdi_.Font(toolkit::Font()));
  help_->ShowTopic(toolkit::HelpFile::Parse(content), context);
}

void WinUiServices::MenuSelected(WPARAM wParam, LPARAM lParam) {
  if (menu_ == nullptr) return;
  UINT flags = HIWORD(wParam);
  auto hmenu = reinterpret_cast<HMENU>(lParam);
  toolkit::MenuItem* item = nullptr;
  if (flags == 0xFFFF && hmenu == nullptr) {
    item = nullptr;  // the menu closes
  } else if (flags & MF_POPUP) {
    HMENU sub = GetSubMenu(hmenu, LOWORD(wParam));
    auto it = menu_->subMenus.find(sub);
    if (it != menu_->subMenus.end()) item = it->second;
  } else if (LOWORD(wParam) >= kFirstMenuId &&
             LOWORD(wParam) - kFirstMenuId < menu_->items.size()) {
    item = menu_->items[LOWORD(wParam) - kFirstMenuId];
  }
  menu_->highlighted = item;
  if (item != nullptr) item->Hover();
}

LRESULT CALLBACK WinUiServices::MenuKeys(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == MSGF_MENU && menuServices != nullptr && menuServices->menu_ != nullptr &&
      msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
    // F1 in an open menu: the help topic of the highlighted item (its own
    // help context, else its parents', else the menu's); the menu closes.
    OpenMenu& open = *menuServices->menu_;
    open.helpContext = open.menu.HelpContext();
    for (toolkit::MenuItem* item = open.highlighted; item != nullptr; item = item->ParentItem()) {
      if (item->HelpContext() != 0) {
        open.helpContext = item->HelpContext();
        break;
      }
    }
    if (open.helpContext == 0) open.helpContext = -1;  // closed all the same
    SendMessageA(open.owner, WM_CANCELMODE, 0, 0);
    return 1;
  }
  HHOOK hook = menuServices != nullptr && menuServices->menu_ != nullptr
                   ? menuServices->menu_->hook
                   : nullptr;
  return CallNextHookEx(hook, code, wParam, lParam);
}

toolkit::MenuItem* WinUiServices::TrackPopup(toolkit::PopupMenu& menu, int x, int y) {
  RenderShownForms();
  OpenMenu open(menu);
  open.owner = ActiveWindow();
  if (open.owner == nullptr) return nullptr;
  HMENU view = CreatePopupMenu();
  AddItems(view, menu.Items(), &open.items, &open.subMenus);
  menu_ = &open;
  WinUiServices* outer = menuServices;
  menuServices = this;
  open.hook = SetWindowsHookExA(WH_MSGFILTER, MenuKeys, nullptr, GetCurrentThreadId());
  SetForegroundWindow(open.owner);
  UINT chosen = static_cast<UINT>(TrackPopupMenu(
      view, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, open.owner,
      nullptr));
  if (open.hook != nullptr) UnhookWindowsHookEx(open.hook);
  menuServices = outer;
  menu_ = nullptr;
  DestroyMenu(view);
  if (open.helpContext != 0) {
    if (open.helpContext > 0) {
      if (toolkit::Application* app = menu.GetApplication()) app->HelpContext(open.helpContext);
    }
    return nullptr;
  }
  if (chosen < kFirstMenuId || chosen - kFirstMenuId >= open.items.size()) return nullptr;
  return open.items[chosen - kFirstMenuId];
}

void WinUiServices::RunModal(toolkit::Form& form) {
  Render(form);
  RenderShownForms();
  // The other windows of the program wait while the form is up.
  std::vector<HWND> disabled;
  FormWindow* own = WindowOf(form);
  for (const auto& window : views_.Views()) {
    if (window.get() != own && window->Window() != nullptr && IsWindowEnabled(window->Window())) {
      EnableWindow(window->Window(), FALSE);
      disabled.push_back(window->Window());
    }
  }
  if (own != nullptr && own->Window() != nullptr) SetForegroundWindow(own->Window());
  while (form.ModalLoopRunning() && WindowOf(form) != nullptr && !quitSeen_) Pump(true);
  for (HWND hwnd : disabled) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
  if (quitSeen_ && !mainLoopRunning_) return;
  if (quitSeen_) {
    // The quit ends the main loop, not only this one.
    quitSeen_ = false;
    PostQuitMessage(0);
  }
}

void WinUiServices::RunMessageLoop(toolkit::Application& app) {
  Watch(app);
  RenderShownForms();
  if (app.Terminated()) return;
  mainLoopRunning_ = true;
  quitSeen_ = false;
  while (views_.App() != nullptr && !views_.App()->Terminated() && !quitSeen_) Pump(true);
  mainLoopRunning_ = false;
}

void WinUiServices::QuitMessageLoop() {
  // Only a running main loop is ended: a quit asked for before it starts
  // would end the first loop of a dialog instead.
  if (mainLoopRunning_) PostQuitMessage(0);
}

void WinUiServices::ProcessMessages() {
  RenderShownForms();
  while (Pump(false)) {
  }
  if (quitSeen_) {
    quitSeen_ = false;
    PostQuitMessage(0);
  }
}

}  // namespace zuba::winui
