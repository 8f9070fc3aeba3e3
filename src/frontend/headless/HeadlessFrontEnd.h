// The front-end of zubanet --headless: no window at all; each message box
// is written to standard error and answered from the --answer values, and
// the --do actions play the user's part (frontend/headless/HeadlessUi.h).
#ifndef ZUBA_FRONTEND_HEADLESS_HEADLESSFRONTEND_H_
#define ZUBA_FRONTEND_HEADLESS_HEADLESSFRONTEND_H_

#include <ostream>

#include "frontend/headless/FrontEndOptions.h"
#include "frontend/headless/HeadlessUi.h"
#include "platform/Files.h"
#include "toolkit/FrontEnd.h"
#include "toolkit/UserScript.h"

namespace zuba::headless {

class HeadlessFrontEnd : public toolkit::FrontEnd {
 public:
  // Dumps go to `out`, everything else the services show to `err`; `files`
  // is the machine the help file is read from. All must outlive the
  // front-end.
  HeadlessFrontEnd(const FrontEndOptions& options, platform::Files& files, std::ostream& out,
                   std::ostream& err);

  toolkit::UiServices& Ui() override { return ui_; }
  void Watch(toolkit::Application&) override {}
  bool ScriptFailed() const override { return script_.Failed(); }

 private:
  toolkit::UserScript script_;
  HeadlessUi ui_;
};

}  // namespace zuba::headless

#endif  // ZUBA_FRONTEND_HEADLESS_HEADLESSFRONTEND_H_
