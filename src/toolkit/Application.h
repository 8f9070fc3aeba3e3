// The running application: its title, help file and hints, the forms, the
// message loop, and the one path every event handler runs through, with the
// default error handler at its end.
#ifndef ZUBA_TOOLKIT_APPLICATION_H_
#define ZUBA_TOOLKIT_APPLICATION_H_

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Events.h"

namespace zuba::toolkit {

class Control;
class Form;
class UiServices;

class Application : public Component {
 public:
  // `ui` shows what the application shows; it must outlive the application.
  explicit Application(UiServices& ui);
  ~Application() override;

  UiServices& Ui() const { return ui_; }
  Application* GetApplication() const override { return const_cast<Application*>(this); }

  // The caption of plain message boxes and of the error box, and the name
  // the system shows for the program.
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);

  // The help file topics are shown from; empty for none.
  const std::string& HelpFile() const { return helpFile_; }
  void SetHelpFile(std::string helpFile) { helpFile_ = std::move(helpFile); }
  // Shows help topic `context` of the help file. False (nothing shown) when
  // there is no help file or the context is 0.
  bool HelpContext(int context);

  // Whether tool tips are shown at all.
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool showHint) { showHint_ = showHint; }

  // The current hint: the long part of the hint of the control or menu item
  // under the mouse. Changing it raises OnHint.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  void SetOnHint(NotifyEvent handler) { onHint_ = std::move(handler); }

  // --- Forms and the message loop -----------------------------------------

  // Creates a form owned by the application from `args` (the form's
  // constructor takes the Application& first), runs its OnCreate and answers
  // it. The first form created this way is the main form.
  template <class F, class... Args>
  F& CreateForm(Args&&... args) {
    auto form = std::make_unique<F>(*this, std::forward<Args>(args)...);
    F& result = *form;
    AdoptForm(std::move(form));
    FormCreated(result);
    return result;
  }
  Form* MainForm() const { return mainForm_; }
  // Every form that exists, in creation order.
  const std::vector<Form*>& Forms() const { return forms_; }

  // Runs the message loop until the application is terminated (closing the
  // main form terminates it), or until the UI services have no more input.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Processes the window messages that are pending, then returns.
  void ProcessMessages();

  // --- The handler path ----------------------------------------------------

  // Runs one event handler. An exception that leaves the outermost handler of
  // a user action (or of a program step outside any handler) ends that
  // handler and is shown by HandleException; the program goes on. Handlers
  // raised inside another handler (a state set by program raising OnClick)
  // let the exception pass to the handler that caused them, so the whole
  // chain stops where the error happened.
  void RunHandler(const std::function<void()>& handler);

  // Runs one user action (a click, a key, a choice) as the message loop
  // dispatches a message: handlers it raises are outermost handlers, and
  // after it a modal form whose ModalResult was set ends its loop. `held`
  // is what the user holds of Shift, Ctrl and Alt meanwhile (HeldKeys).
  void DispatchUserAction(const std::function<void()>& action, ShiftState held = {});

  // Shift, Ctrl and Alt as the user holds them during the user action being
  // dispatched (none outside one): what the program's key-state query sees
  // besides the keyboard itself.
  ShiftState HeldKeys() const { return heldKeys_; }

  // The form the user works in: the innermost modal form, else the main
  // form; nullptr when there is neither.
  Form* ActiveForm() const;

  // The default error handler: a message box with the exception's message,
  // the title as caption, the error icon and an OK button.
  void HandleException(const std::exception& error);

  // --- Used by Form --------------------------------------------------------
  void RegisterForm(Form& form);
  void UnregisterForm(Form& form);
  void PushModal(Form& form) { modalStack_.push_back(&form); }
  void PopModal(Form& form);

 private:
  void AdoptForm(std::unique_ptr<Form> form);
  void FormCreated(Form& form);
  void EndModalIfDone();

  UiServices& ui_;
  std::string title_;
  std::string helpFile_;
  bool showHint_ = true;
  std::string hint_;
  NotifyEvent onHint_;
  std::vector<std::unique_ptr<Form>> ownedForms_;
  std::vector<Form*> forms_;
  std::vector<Form*> modalStack_;
  Form* mainForm_ = nullptr;
  bool terminated_ = false;
  int handlerDepth_ = 0;
  ShiftState heldKeys_;
};

// The part of a hint before "|" (shown as a tool tip) and the part after it
// (shown in the status bar); a hint without "|" is both.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_APPLICATION_H_
