// Resetting every control of the main window and of the WINS dialog that
// shows an item of a Setting, before a Setting is shown in them.
#ifndef ZUBA_UI_FCLEAR_H_
#define ZUBA_UI_FCLEAR_H_

namespace zuba::ui {

class TForm1;

// Which controls the binding covers.
//   kFull: a saved setting recalled from the settings file. The name field,
//          the adapter choice, the launcher, the hosts files and the
//          control-panel switch are included.
//   kPartial: the system's configuration read into a temporary Setting. The
//          adapter choice stays as the user set it and the name field is
//          not emptied first; the launcher, the hosts files and the
//          control-panel switch are cleared but not filled.
enum class BindingForm { kPartial, kFull };

// Empties the fields and lists, unchecks the group check boxes (their click
// handlers run, so the panels follow), grays the three-state boxes (DNS,
// file and printer sharing), selects "他" in RgLogon and no printer, clears
// the dial-up, proxy and launcher components, the hosts-file buttons and the
// WINS dialog's fields. kFull also empties EdNm and selects no adapter in
// CbTrg and CbTnc.
void ClearSettingControls(TForm1& form, BindingForm which);

}  // namespace zuba::ui

#endif  // ZUBA_UI_FCLEAR_H_
