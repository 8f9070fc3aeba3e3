// The main window's faces and input: view and edit mode, the keys, the list
// entry fields, right-click help, the option menu, hints, About and the
// small handlers.
#include <cstdio>

#include "system/ZubaUtil.h"
#include "toolkit/Application.h"
#include "toolkit/UiServices.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

constexpr char kBadAddressMessage[] = "正しいアドレスを入力して下さい";
constexpr char kRightClickMessage[] =
    "各項目のチェックボックス等を右クリックすると\r\nヘルプの該当ページにジャンプします";
constexpr char kThanks[] = "★ベータテストありがとうございます★";

// The help topic of a control without a windowed help context of its own,
// by its Tag; 0 for a Tag without one.
int HelpTopicForTag(int tag) {
  switch (tag) {
    case 1: return 34;
    case 10: return 47;
    case 20: return 50;
    case 30: return 32;
    case 100: return 48;
    case 200: return 19;
    case 300: return 36;
    case 400: return 35;
    case 500: return 37;
    default: return 0;
  }
}

}  // namespace

// --- View mode and edit mode ------------------------------------------------

void TForm1::BtConfigClick(Component&) {
  BbCan.SetEnabled(true);
  BtDelete.SetEnabled(true);
  SetShowHint(false);
  SizeForEditMode();
  PnOpr.Hide();
  Sb1.Show();
  EdNm.SetFocus();
}

void TForm1::BbCanClick(Component&) {
  BbCan.SetEnabled(false);
  BtDelete.SetEnabled(false);
  SetShowHint(true);
  SizeForViewMode();
  PnOpr.Show();
  Sb1.Hide();
  CbSettingChange(CbSetting);
  CbSetting.SetFocus();
}

void TForm1::EdNmEnter(Component&) {
  // In view mode the edit lies outside the window: the focus goes back.
  if (PnOpr.Visible()) CbSetting.SetFocus();
}

// --- Keys -------------------------------------------------------------------

void TForm1::FormKeyPress(Component&, char& key) {
  if (key == '\x1b') Close();
}

void TForm1::CbSettingKeyDown(Component&, std::uint16_t& key, ShiftState shift) {
  bool viewMode = PnOpr.Visible();
  switch (key) {
    case vk::kReturn:
      key = 0;
      if (shift.KeysAre(kShiftKey)) {
        BtApplyClick(BtApply);
      } else {
        BtConfigClick(BtConfig);
      }
      break;
    case vk::kEscape:
      // In edit mode Escape goes on to the cancel button, as everywhere
      // else in the window, so unsaved edits are not lost by closing.
      if (!viewMode) break;
      key = 0;
      Close();
      break;
    case vk::kDelete:
      if (viewMode) BtDeleteClick(BtDelete);
      break;
    default:
      break;
  }
}

// --- List entry fields ------------------------------------------------------

Edit* TForm1::EntryField(int tag) {
  switch (tag) {
    case 1: return &EdTgw;
    case 2: return &EdDip;
    case 3: return &EdDsf;
    default: return nullptr;
  }
}

ListBox* TForm1::EntryList(int tag) {
  switch (tag) {
    case 1: return &LbTgw;
    case 2: return &LbDip;
    case 3: return &LbDsf;
    default: return nullptr;
  }
}

void TForm1::EdTgwKeyPress(Component& sender, char& key) {
  if (key != '\r') return;
  auto& field = static_cast<Edit&>(sender);
  std::string text = system::TrimBlanks(field.Text(), lead_);
  field.SetText(text);
  ListBox* list = EntryList(field.Tag());
  if (list == nullptr) return;
  key = 0;
  if (field.Tag() != 3 && system::IsBadAddress(text)) {
    App().Ui().ShowMessageBox(kBadAddressMessage, kInputErrorCaption, MessageIcon::kError,
                              MessageButtons::kOk);
    return;
  }
  list->AddItem(text);
  field.SetText("");
}

void TForm1::LbDipKeyDown(Component& sender, std::uint16_t& key, ShiftState) {
  if (key != vk::kDelete) return;
  auto& list = static_cast<ListBox&>(sender);
  Edit* field = EntryField(list.Tag());
  int index = list.ItemIndex();
  if (field == nullptr || index < 0) return;
  field->SetText(list.Item(index));
  list.DeleteItem(index);
}

// --- Help -------------------------------------------------------------------

void TForm1::CbMouseDownHelp(Component& sender, MouseButton button, ShiftState, int, int) {
  if (button != MouseButton::kRight) return;
  auto& control = static_cast<Control&>(sender);
  if (control.IsWindowed()) {
    App().HelpContext(control.HelpContext());
    return;
  }
  int topic = HelpTopicForTag(control.Tag());
  if (topic != 0) {
    App().HelpContext(topic);
  } else {
    system::ShowInfoBox(App().Ui(), kRightClickMessage);
  }
}

// --- Options ----------------------------------------------------------------

void TForm1::BtOptClick(Component&) {
  int x = 0;
  int y = 0;
  BtOpt.ClientToScreen(0, BtOpt.Height(), &x, &y);
  PmOpt.Popup(x, y);
}

void TForm1::PmOptChkClick(Component& sender) {
  auto& item = static_cast<MenuItem&>(sender);
  item.SetChecked(!item.Checked());
  SaveOptions();
}

void TForm1::PmOpt5Click(Component&) {
  PmOpt5.SetChecked(!PmOpt5.Checked());
  PmOpt2.SetEnabled(PmOpt5.Checked());
  SaveOptions();
}

// --- Hints, About, small handlers -------------------------------------------

void TForm1::DisplayHint(Component&) { Sb1.SetSimpleText(App().Hint()); }

void TForm1::ZubaNet1Click(Component&) {
  system::OsNameInfo os;
  system::GetOSName(system_, os);
  char version[64];
  std::snprintf(version, sizeof version, "OS Ver: %u.%u.%u", os.major, os.minor, os.build);
  zbVersion.apComm = std::string("\n\n") + version + "\n\n" + kThanks;
  zbVersion.ShowAbout();
}

void TForm1::Image5Click(Component&) { CbCpl.SetChecked(!CbCpl.Checked()); }

void TForm1::BtWinsClick(Component&) { FmWins->ShowModal(); }

void TForm1::Windows1Click(Component&) {
  if (bootDialog_ != nullptr) bootDialog_->ShowModal();
}

}  // namespace zuba::ui
