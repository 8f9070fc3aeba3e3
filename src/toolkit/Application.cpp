#include "toolkit/Application.h"

#include <algorithm>
#include <stdexcept>

#include "toolkit/Cp932Text.h"
#include "toolkit/Form.h"
#include "toolkit/UiServices.h"

namespace zuba::toolkit {
namespace {

constexpr char kUnknownError[] = "不明なエラーが発生しました";

}  // namespace

Application::Application(UiServices& ui) : ui_(ui) {}

Application::~Application() {
  while (!ownedForms_.empty()) ownedForms_.pop_back();
}

void Application::SetTitle(std::string title) {
  title_ = std::move(title);
  ui_.SetApplicationTitle(title_);
}

bool Application::HelpContext(int context) {
  if (helpFile_.empty() || context == 0) return false;
  ui_.ShowHelpTopic(helpFile_, context);
  return true;
}

void Application::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (!onHint_) return;
  NotifyEvent handler = onHint_;
  RunHandler([&] { handler(*this); });
}

// --- Forms and the message loop ---------------------------------------------

void Application::AdoptForm(std::unique_ptr<Form> form) { ownedForms_.push_back(std::move(form)); }

void Application::FormCreated(Form& form) {
  if (mainForm_ == nullptr) mainForm_ = &form;
  form.FinishCreation();
}

void Application::RegisterForm(Form& form) { forms_.push_back(&form); }

void Application::UnregisterForm(Form& form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
  modalStack_.erase(std::remove(modalStack_.begin(), modalStack_.end(), &form), modalStack_.end());
  if (mainForm_ == &form) mainForm_ = nullptr;
}

void Application::PopModal(Form& form) {
  auto it = std::find(modalStack_.rbegin(), modalStack_.rend(), &form);
  if (it != modalStack_.rend()) modalStack_.erase(std::next(it).base());
}

void Application::Run() {
  if (!terminated_) ui_.RunMessageLoop(*this);
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  for (Form* form : modalStack_) form->AbortModal();
  ui_.QuitMessageLoop();
}

void Application::ProcessMessages() { ui_.ProcessMessages(); }

// --- The handler path -------------------------------------------------------

void Application::RunHandler(const std::function<void()>& handler) {
  int saved = handlerDepth_;
  ++handlerDepth_;
  if (saved > 0) {
    // Inside another handler: an error ends the whole chain.
    struct Restore {
      int& depth;
      int value;
      ~Restore() { depth = value; }
    } restore{handlerDepth_, saved};
    handler();
    return;
  }
  try {
    handler();
  } catch (const std::exception& error) {
    handlerDepth_ = saved;
    HandleException(error);
  } catch (...) {
    handlerDepth_ = saved;
    HandleException(std::runtime_error(kUnknownError));
  }
  handlerDepth_ = saved;
}

Form* Application::ActiveForm() const {
  return modalStack_.empty() ? mainForm_ : modalStack_.back();
}

void Application::DispatchUserAction(const std::function<void()>& action, ShiftState held) {
  struct Hold {
    ShiftState& keys;
    ShiftState saved;
    ~Hold() { keys = saved; }
  } hold{heldKeys_, heldKeys_};
  heldKeys_ = held;
  int saved = handlerDepth_;
  handlerDepth_ = 0;
  try {
    action();
    EndModalIfDone();
  } catch (const std::exception& error) {
    handlerDepth_ = 0;
    HandleException(error);
  } catch (...) {
    handlerDepth_ = 0;
    HandleException(std::runtime_error(kUnknownError));
  }
  handlerDepth_ = saved;
}

void Application::EndModalIfDone() {
  if (modalStack_.empty()) return;
  Form* top = modalStack_.back();
  if (top->ModalLoopRunning() && top->GetModalResult() != ModalResult::kNone) top->CloseModal();
}

void Application::HandleException(const std::exception& error) {
  ui_.ShowMessageBox(error.what(), title_, MessageIcon::kError, MessageButtons::kOk);
}

std::string GetShortHint(const std::string& hint) {
  std::size_t bar = platform::FindCp932(hint, '|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  std::size_t bar = platform::FindCp932(hint, '|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

}  // namespace zuba::toolkit
