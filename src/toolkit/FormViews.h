// The forms a front-end renders: one view (a FormView) a form, made the
// first time the form is asked for or seen visible, dropped once its form
// has gone. The application is watched so that a deleted one is never
// asked for its forms again.
#ifndef ZUBA_TOOLKIT_FORMVIEWS_H_
#define ZUBA_TOOLKIT_FORMVIEWS_H_

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Component.h"
#include "toolkit/Form.h"
#include "toolkit/FormView.h"

namespace zuba::toolkit {

// View: a class with `Form* Form() const`, nullptr once its form went.
template <class View>
class FormViews {
 public:
  using Make = std::function<std::unique_ptr<View>(toolkit::Form&)>;
  // A view whose form went; it may be inside its own event handling now and
  // is to be deleted once the event loop is back.
  using Bury = std::function<void(std::unique_ptr<View>)>;

  FormViews(Make make, Bury bury)
      : make_(std::move(make)),
        bury_(std::move(bury)),
        watch_(std::make_unique<RemovalWatch>([this](Component& gone) {
          if (&gone == app_) app_ = nullptr;
        })) {}
  ~FormViews() {
    if (app_ != nullptr) app_->RemoveFreeNotification(*watch_);
  }
  FormViews(const FormViews&) = delete;
  FormViews& operator=(const FormViews&) = delete;

  // The application whose forms are rendered; nullptr before Watch or once
  // it has gone.
  Application* App() const { return app_; }
  void Watch(Application& app) {
    if (app_ == &app) return;
    if (app_ != nullptr) app_->RemoveFreeNotification(*watch_);
    app_ = &app;
    app.FreeNotification(*watch_);
  }

  // The view of `form`, made now if it has none.
  View& Render(toolkit::Form& form) {
    Watch(form.App());
    if (View* view = ViewOf(form)) return *view;
    views_.push_back(make_(form));
    return *views_.back();
  }
  View* ViewOf(const toolkit::Form& form) const {
    for (const auto& view : views_) {
      if (view->Form() == &form) return view.get();
    }
    return nullptr;
  }
  const std::vector<std::unique_ptr<View>>& Views() const { return views_; }

  // Buries the views whose forms went and renders every visible form of the
  // application that has no view yet.
  void RenderShownForms() {
    for (auto& view : views_) {
      if (view->Form() == nullptr) bury_(std::move(view));
    }
    views_.erase(std::remove(views_.begin(), views_.end(), nullptr), views_.end());
    if (app_ == nullptr) return;
    std::vector<toolkit::Form*> forms = app_->Forms();
    for (toolkit::Form* form : forms) {
      if (form->Visible() && ViewOf(*form) == nullptr) Render(*form);
    }
  }

 private:
  Make make_;
  Bury bury_;
  Application* app_ = nullptr;
  std::unique_ptr<RemovalWatch> watch_;
  std::vector<std::unique_ptr<View>> views_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_FORMVIEWS_H_
