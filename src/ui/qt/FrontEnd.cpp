#include "ui/qt/FrontEnd.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "ui/qt/HeadlessUi.h"
#include "ui/qt/QtLook.h"
#include "ui/qt/QtUiServices.h"

namespace zuba::qt {
namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

class HeadlessFrontEnd : public FrontEnd {
 public:
  HeadlessFrontEnd(const FrontEndOptions& options, platform::Files& files, std::ostream& out,
                   std::ostream& err)
      : script_(options.answers, options.actions, out, err), ui_(err, files, script_) {}
  toolkit::UiServices& Ui() override { return ui_; }
  void Watch(toolkit::Application&) override {}
  bool ScriptFailed() const override { return script_.Failed(); }

 private:
  toolkit::UserScript script_;
  HeadlessUi ui_;
};

// The value of an option given as "--name VALUE" or "--name=VALUE" at
// args[*i]; false when `arg` is not the option. A missing value is an empty
// one with `*missing` set.
bool OptionValue(const std::vector<std::string>& args, std::size_t* i, const std::string& name,
                 std::string* value, bool* missing) {
  const std::string& arg = args[*i];
  *missing = false;
  if (arg == name) {
    if (*i + 1 >= args.size()) {
      *missing = true;
      return true;
    }
    *value = args[++*i];
    return true;
  }
  if (arg.rfind(name + "=", 0) != 0) return false;
  *value = arg.substr(name.size() + 1);
  return true;
}

class QtFrontEnd : public FrontEnd {
 public:
  explicit QtFrontEnd(platform::Files& files) : ui_(files) {}
  toolkit::UiServices& Ui() override { return ui_; }
  void Watch(toolkit::Application& app) override { ui_.Watch(app); }

 private:
  QtUiServices ui_;
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
    std::string value;
    bool missing = false;
    if (OptionValue(*args, &i, "--answer", &value, &missing)) {
      toolkit::ScriptAnswer answer;
      if (missing) {
        *error = "--answer needs a value: ok, cancel, yes, no or file=WINPATH";
        return false;
      }
      if (!toolkit::ParseScriptAnswer(value, &answer, error)) return false;
      options->answers.push_back(answer);
      continue;
    }
    if (OptionValue(*args, &i, "--do", &value, &missing)) {
      toolkit::UserAction action;
      if (missing) {
        *error = "--do needs an action: click, rclick, type, key, choose or dump";
        return false;
      }
      if (!toolkit::ParseUserAction(value, &action, error)) return false;
      options->actions.push_back(action);
      continue;
    }
    rest.push_back(arg);
  }
  if (!options->actions.empty() && !options->headless) {
    *error = "--do runs only with --headless";
    return false;
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
                platform::Files& files, std::ostream& out, std::ostream& err,
                const std::function<int(FrontEnd&)>& program) {
  if (options.headless) {
    HeadlessFrontEnd frontEnd(options, files, out, err);
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
