// Showing a Setting in the main window and in the WINS dialog, group by
// group. A group's check box is checked when the Setting carries the
// group's leading item; checking it by program runs its click handler as a
// user's click does, so the panels and the TCP/IP group's enabling rules
// follow without further calls. Selecting a list entry by program raises no
// change handler.
//
// The binding changes the Setting in two places only: a printer that is not
// installed loses its IsSet (ShowPrinter), and a TCP/IP setting without a
// node type and without DHCP gets the node type "1", WINS off (ShowWins).
#ifndef ZUBA_UI_FEXTRACT_H_
#define ZUBA_UI_FEXTRACT_H_

#include <string>
#include <vector>

#include "core/RegType.h"
#include "system/jstrm.h"
#include "toolkit/Edit.h"
#include "toolkit/ListBox.h"
#include "ui/FClear.h"

namespace zuba::ui {

class TForm1;

// Clears the controls (ClearSettingControls), puts the text of CbSetting
// into EdNm (in both forms), then shows the groups: TCP/IP with WINS,
// printer, DNS, dial-up, proxy, workgroup, and with kFull the launcher, the
// hosts files and the control-panel switch. A logon choice lo that is no
// integer raises system::Exception "'<lo>' は整数ではありません" and stops the
// binding there (the sharing boxes and the groups after the workgroup are
// not shown).
void ShowSetting(TForm1& form, core::TRegList& setting, BindingForm which);

// The steps of ShowSetting.

// With ip set: checks CbTcp; with kFull selects in CbTnc the adapter whose
// subkey [NIC_registry_list] holds for the name in CbSetting (none when it
// is not listed in CbTrg); shows ip, ms and the gateways (only when gw is
// not empty); checks CbTdh for the address "0.0.0.0"; then ShowWins. Without
// ip nothing, ShowWins included.
void ShowTcpIp(TForm1& form, core::TRegList& setting, BindingForm which);
// nt "8": the WINS dialog shows wp, ws and wi. nt empty: with CbTdh checked
// CbWiDh is checked (WINS by DHCP), otherwise nt's Value becomes "1" (its
// IsSet unchanged). Any other nt shows nothing.
void ShowWins(TForm1& form, core::TRegList& setting);
// Selects the printer pr names (letter case ignored); when none is selected
// afterwards, pr is no longer set.
void ShowPrinter(TForm1& form, core::TRegList& setting);
// de "1": CbDde checked, host, domain, servers and suffixes shown (the two
// lists also when empty). Another de: unchecked. de unset: stays grayed.
void ShowDns(TForm1& form, core::TRegList& setting);
// With pc set: checks CbPpp and shows the dial-up values (autodial on unless
// pc is "0", autodisconnect on unless pd is "0").
void ShowDialUp(TForm1& form, core::TRegList& setting);
// With pe set: checks CbPpe and shows the proxy (on exactly when pe is "1").
void ShowProxy(TForm1& form, core::TRegList& setting);
// With wg set: checks CbWgp, shows the five texts, the logon choice (below
// -1 none, beyond the last the last) and the two sharing states.
void ShowWorkgroup(TForm1& form, core::TRegList& setting);
// With ee set: checks CbEex and gives the launcher file name and options.
void ShowLauncher(TForm1& form, core::TRegList& setting);
// hh and hl, each when set, become the sources of the hosts-file buttons.
void ShowHostsFiles(TForm1& form, core::TRegList& setting);
// Checks CbCpl when cp is "1".
void ShowControlPanelSwitch(TForm1& form, core::TRegList& setting);

// The entries of a list item's Value: the text cut at each Separator that
// is not the second byte of a double-byte character. An empty text gives one
// empty entry, two separators in a row an empty entry between them, and a
// separator at the end no entry after it. Linear in the text's length.
std::vector<std::string> SplitListValue(const core::TNetReg& item, const system::LeadBytes& lead);

// Empties `entry` and fills `list` with SplitListValue of `item`.
void FillListBox(const core::TNetReg& item, toolkit::ListBox& list, toolkit::Edit& entry,
                 const system::LeadBytes& lead);

}  // namespace zuba::ui

#endif  // ZUBA_UI_FEXTRACT_H_
