#include "frontend/win32/WinFrontEnd.h"

#include "frontend/win32/WinUiServices.h"

namespace zuba::winui {
namespace {

class WinFrontEnd : public toolkit::FrontEnd {
 public:
  explicit WinFrontEnd(platform::Files& files) : ui_(files) {}
  toolkit::UiServices& Ui() override { return ui_; }
  void Watch(toolkit::Application& app) override { ui_.Watch(app); }

 private:
  WinUiServices ui_;
};

}  // namespace

int RunWinFrontEnd(platform::Files& files, std::ostream&,
                   const std::function<int(toolkit::FrontEnd&)>& program) {
  WinFrontEnd frontEnd(files);
  return program(frontEnd);
}

}  // namespace zuba::winui
