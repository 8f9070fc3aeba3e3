#include "ui/qt/FrontEnd.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "ui/qt/HeadlessUi.h"
#include "ui/qt/QtKeyState.h"
#include "ui/qt/QtLook.h"
#include "ui/qt/QtUiServices.h"

namespace zuba::qt {
namespace {

bool ParseAnswer(std::string value, toolkit::MessageResult* answer) {
  for (char& c : value) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (value == "ok") {
    *answer = toolkit::MessageResult::kOk;
  } else if (value == "cancel") {
    *answer = toolkit::MessageResult::kCancel;
  } else if (value == "yes") {
    *answer = toolkit::MessageResult::kYes;
  } else if (value == "no") {
    *answer = toolkit::MessageResult::kNo;
  } else {
    return false;
  }
  return true;
}

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

class HeadlessFrontEnd : public FrontEnd {
 public:
  HeadlessFrontEnd(std::ostream& err, const std::vector<toolkit::MessageResult>& answers)
      : ui_(err, answers) {}
  toolkit::UiServices& Ui() override { return ui_; }
  void Watch(toolkit::Application&) override {}

 private:
  HeadlessUi ui_;
};

class QtFrontEnd : public FrontEnd {
 public:
  explicit QtFrontEnd(platform::Files& files) : ui_(files) {}
  toolkit::UiServices& Ui() override { return ui_; }
  void Watch(toolkit::Application& app) override { ui_.Watch(app); }
  platform::System& WithKeyboard(platform::System& machine) override {
    keys_ = std::make_unique<QtKeyState>(machine);
    return *keys_;
  }

 private:
  QtUiServices ui_;
  std::unique_ptr<QtKeyState> keys_;
};

}  // namespace

bool TakeFrontEndOptions(std::vector<std::string>* args, FrontEndOptions* options,
                         std::string* error) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args->size(); ++i) {
    const std::string& arg = (*args)[i];
    if (arg == "--") {
      rest.insert(rest.end(), args->begin() + static_cast<std::ptrdiff_t>(i), args->end());
      break;
    }
    if (arg == "--headless") {
      options->headless = true;
      continue;
    }
    if (arg == "--answer" || arg.rfind("--answer=", 0) == 0) {
      std::string value;
      if (arg == "--answer") {
        if (i + 1 >= args->size()) {
          *error = "--answer needs a value: ok, cancel, yes or no";
          return false;
        }
        value = (*args)[++i];
      } else {
        value = arg.substr(9);
      }
      toolkit::MessageResult answer;
      if (!ParseAnswer(value, &answer)) {
        *error = "--answer " + value + ": expected ok, cancel, yes or no";
        return false;
      }
      options->answers.push_back(answer);
      continue;
    }
    rest.push_back(arg);
  }
  *args = std::move(rest);
  return true;
}

bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::string chosen = platform != nullptr ? platform : "";
  // X11 and Wayland need their server; the other platforms (offscreen,
  // vnc, linuxfb, ...) need nothing more.
  if (chosen.rfind("xcb", 0) == 0) return Set("DISPLAY");
  if (chosen.rfind("wayland", 0) == 0) return Set("WAYLAND_DISPLAY");
  return !chosen.empty() || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

int RunFrontEnd(const std::string& programName, const FrontEndOptions& options,
                platform::Files& files, std::ostream& err,
                const std::function<int(FrontEnd&)>& program) {
  if (options.headless) {
    HeadlessFrontEnd frontEnd(err, options.answers);
    return program(frontEnd);
  }
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
