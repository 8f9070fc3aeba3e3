#include "app/zubanet/Program.h"

#include "app/zubanet/CommandLineRun.h"
#include "system/ZubaUtil.h"
#include "ui/HeldKeysSystem.h"
#include "ui/ZubaSel.h"

namespace zuba::app {

bool AcceptSystem(toolkit::Application& app, const platform::Services& machine) {
  app.SetTitle(kApplicationTitle);
  system::OsNameInfo os;
  bool known = system::GetOSName(machine.system, os);
  if (!known || (os.name != system::kOsWin95 && os.name != system::kOsWin98)) {
    system::ShowInfoBox(app.Ui(), kOnlyWin9x);
    return false;
  }
  return true;
}

ui::TForm1* StartZubaNet(toolkit::Application& app, const platform::Services& machine,
                         const std::vector<std::string>& commandLine) {
  if (!AcceptSystem(app, machine)) return nullptr;
  ui::TForm1& form1 = app.CreateForm<ui::TForm1>(machine.registry, machine.files, machine.profiles,
                                                 machine.system, commandLine);
  ui::TfmZbSel& fmZbSel = app.CreateForm<ui::TfmZbSel>(
      machine.registry, machine.files, machine.profiles, machine.system, form1.IniGT.Path());
  form1.SetBootDialog(&fmZbSel);
  form1.Show();
  return &form1;
}

int RunZubaNet(toolkit::FrontEnd& frontEnd, const platform::Services& machine,
               const std::vector<std::string>& commandLine) {
  // The key state the forms see includes what the user holds in the action
  // being dispatched (a click with Ctrl held on the display, a scripted
  // Ctrl+ key). It outlives the application and its forms.
  ui::HeldKeysSystem system(machine.system);
  toolkit::Application app(frontEnd.Ui());
  system.Watch(app);
  frontEnd.Watch(app);
  const platform::Services seen{machine.registry, machine.files, machine.profiles, system};
  if (!AcceptSystem(app, seen)) return 1;
  // A command on the command line runs without the window.
  if (!RunCommandLine(app, seen, commandLine)) {
    if (StartZubaNet(app, seen, commandLine) == nullptr) return 1;
    app.Run();
  }
  return frontEnd.ScriptFailed() ? 2 : 0;
}

}  // namespace zuba::app
