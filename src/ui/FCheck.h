// Capturing what the main window and the WINS dialog show into a Setting,
// checking the user's input on the way: the reverse of the binding
// (FExtract.h). The save is its caller; on failure it shows the message
// captioned "入力誤りです" with the error icon and stores nothing.
#ifndef ZUBA_UI_FCHECK_H_
#define ZUBA_UI_FCHECK_H_

#include <string>

#include "core/RegType.h"
#include "toolkit/ListBox.h"

namespace zuba::ui {

class TForm1;

// The messages of the checks, in the order the checks run.
inline constexpr char kNoSettingNameMessage[] = "設定名が未入力です";
inline constexpr char kNoAdapterMessage[] = "TCP/IP: ネットワークカードが選択されていません";
inline constexpr char kBadIpMessage[] = "TCP/IP: IPに正しいアドレスを入れて下さい";
inline constexpr char kBadMaskMessage[] = "TCP/IP: サブネットマスクに正しいアドレスを入れて下さい";
inline constexpr char kNoHostNameMessage[] = "DNS: ホスト名が未入力です";
inline constexpr char kNoComputerNameMessage[] = "WorkGroup: コンピューター名が未入力です";
inline constexpr char kNoGroupNameMessage[] = "WorkGroup: グループ名が未入力です";

// Re-initialises `setting` (InitRegList with `forceWin98`) and captures the
// window into it. True: the Setting holds exactly the items the window
// defines. False: a check failed; `message` says which (it is assigned only
// then), the focus is on the control to correct (when that control can take
// it), and the Setting holds what was captured before the check.
//
// The checks, first failure ends the capture:
//   1. EdNm empty (not trimmed: a name of blanks gets past this one), then
//      the name rule of the settings file (core::CheckSettingName), which
//      refuses names the file or the boot-time menu could not hold;
//   2. CbTcp checked and no adapter selected in CbTnc;
//   3., 4. CbTcp checked, DHCP not chosen (PnTcp2 enabled): the trimmed IP
//      and subnet mask must be dotted addresses;
//   5. CbDde checked: the trimmed host name must not be empty;
//   6., 7. CbWgp checked: the trimmed computer name, then group name, must
//      not be empty.
// Trimmed texts are put back into their fields, also when a later check
// fails.
bool CaptureSetting(TForm1& form, core::TRegList& setting, std::string& message, bool forceWin98);

// The steps of CaptureSetting.

// wp, ws, wi from the WINS dialog as they stand, or all three empty when
// both CbTdh and CbWiDh are checked (WINS by DHCP); nt by NodeTypeFor.
void CaptureWins(TForm1& form, core::TRegList& setting);
// pr := the selected printer; nothing when none is selected.
void CapturePrinter(TForm1& form, core::TRegList& setting);
// By CbDde: unchecked de "0"; grayed nothing; checked de "1" with host
// (check 5), domain, servers and suffixes.
bool CaptureDns(TForm1& form, core::TRegList& setting, std::string& message);
// With CbPpp checked: pc, pd ("1"/"0"), pf and tl, all four set.
void CaptureDialUp(TForm1& form, core::TRegList& setting);
// With CbEex checked: ee and eo, unless the file is the program itself
// (ASCII letters compared without case) or does not exist; then nothing,
// without a message.
void CaptureLauncher(TForm1& form, core::TRegList& setting);
// With CbPpe checked: pe ("1"/"0"), pv and pa.
void CaptureProxy(TForm1& form, core::TRegList& setting);
// With CbWgp checked: the five texts trimmed and put back, checks 6 and 7,
// then wg, lc, lo (RgLogon's index, "-1" for none), ld; li and cc only when
// not empty; fs and ps as "Yes"/"No" unless their box is grayed.
bool CaptureWorkgroup(TForm1& form, core::TRegList& setting, std::string& message);
// hh and hl: the source of each hosts-file button whose caption is not its
// NoFileCaption.
void CaptureHostsFiles(TForm1& form, core::TRegList& setting);
// cp := "1" when CbCpl is checked, else "0"; always set.
void CaptureControlPanelSwitch(TForm1& form, core::TRegList& setting);

// Value := text and IsSet := true, an empty text too.
void SetItemValue(core::TNetReg& item, const std::string& text);

// Item `index` := the entries of `list` joined by the item's Separator (one
// between two entries, none at either end), set also when empty.
void JoinListBox(core::TRegList& setting, int index, const toolkit::ListBox& list);

}  // namespace zuba::ui

#endif  // ZUBA_UI_FCHECK_H_
