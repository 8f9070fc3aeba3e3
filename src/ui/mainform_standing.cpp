// Where the machine stands: the saved settings it holds now (each one's
// apply planned without writing anything) and how it differs from the last
// apply, from the option menu or /S.
#include <exception>

#include "switch/MachineStanding.h"
#include "switch/SwitchJournal.h"
#include "toolkit/Application.h"
#include "ui/mainform.h"

namespace zuba::ui {

void TForm1::pmStandingClick(toolkit::Component&) { RunHandler([this] { ShowStanding(); }); }

void TForm1::ShowStanding() {
  toolkit::Application& app = *GetApplication();
  switching::SwitchJournal journal({registry_, files_, profiles_, system_}, app.Ui(),
                                   switching::JournalPathFor(IniGT.Path()));
  switching::MachineStanding standing;
  for (int i = 0; i < CbSetting.ItemCount(); ++i) {
    const std::string name = CbSetting.Item(i);
    try {
      if (switching::MachineHolds(journal.Plan(StoredRequest(name)), IniGT.Path())) {
        standing.matching.push_back(name);
      }
    } catch (const std::exception&) {
      // A setting the apply refuses (no adapter entry, a value that
      // cannot be written) is one the machine cannot hold.
    }
  }
  try {
    journal::Journal last;
    if (journal.Load(&last)) {
      if (last.state == journal::JournalState::kDone) {
        standing.lastDifferences = journal.DifferencesSince(last);
      }
      standing.last = std::move(last);
    }
  } catch (const std::exception& error) {
    standing.lastError = error.what();
  }
  app.Ui().ShowReport(switching::StandingText(standing), "現在の状態");
}

}  // namespace zuba::ui
