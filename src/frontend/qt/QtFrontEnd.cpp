#include "frontend/qt/QtFrontEnd.h"

#include <QApplication>
#include <cstdlib>

#include "frontend/qt/QtLook.h"
#include "frontend/qt/QtUiServices.h"

namespace zuba::qt {
namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

class QtFrontEnd : public toolkit::FrontEnd {
 public:
  explicit QtFrontEnd(platform::Files& files) : ui_(files) {}
  toolkit::UiServices& Ui() override { return ui_; }
  void Watch(toolkit::Application& app) override { ui_.Watch(app); }

 private:
  QtUiServices ui_;
};

}  // namespace

bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::string chosen = platform != nullptr ? platform : "";
  // X11 and Wayland need their server; the other platforms (offscreen,
  // vnc, linuxfb, ...) need nothing more.
  if (chosen.rfind("xcb", 0) == 0) return Set("DISPLAY");
  if (chosen.rfind("wayland", 0) == 0) return Set("WAYLAND_DISPLAY");
  return !chosen.empty() || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

int RunQtFrontEnd(const std::string& programName, platform::Files& files, std::ostream& err,
                  const std::function<int(toolkit::FrontEnd&)>& program) {
  if (!DisplayAvailable()) {
    err << "zubanet: no display available (DISPLAY is not set); run with --headless to work "
           "without windows\n";
    return 1;
  }
  // Qt sees only the program's name: the arguments are the program's own.
  std::string name = programName;
  int argc = 1;
  char* argv[] = {name.data(), nullptr};
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  UseClassicLook();
  QtFrontEnd frontEnd(files);
  return program(frontEnd);
}

}  // namespace zuba::qt
