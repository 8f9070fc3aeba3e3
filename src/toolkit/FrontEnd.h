// What renders the control model for a program: the UI services its
// application uses, and the hook that shows the application's forms (as
// windows on a display, or not at all when the program runs headless).
#ifndef ZUBA_TOOLKIT_FRONTEND_H_
#define ZUBA_TOOLKIT_FRONTEND_H_

#include "toolkit/Application.h"
#include "toolkit/UiServices.h"

namespace zuba::toolkit {

class FrontEnd {
 public:
  FrontEnd() = default;
  FrontEnd(const FrontEnd&) = delete;
  FrontEnd& operator=(const FrontEnd&) = delete;
  virtual ~FrontEnd() = default;

  virtual UiServices& Ui() = 0;
  // The application whose forms are to be shown. Call it right after
  // creating the application.
  virtual void Watch(Application& app) = 0;
  // Whether a scripted action was a usage error (exit code 2).
  virtual bool ScriptFailed() const { return false; }
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_FRONTEND_H_
