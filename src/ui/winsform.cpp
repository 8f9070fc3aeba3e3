#include "ui/winsform.h"

#include "system/ZubaUtil.h"
#include "toolkit/Application.h"
#include "toolkit/UiServices.h"
#include "ui/Place.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

Label& MakeLabel(Form& form, const char* name, int left, int top, int width, int height,
                 const char* caption) {
  Label& label = Place<Label>(form, name, left, top, width, height);
  label.SetAutoSize(false);
  label.SetCaption(caption);
  return label;
}

}  // namespace

TFmWins::TFmWins(Application& app, const core::TRegList& currentSetting, platform::System& system)
    : Form(app),
      La1(MakeLabel(*this, "La1", 4, 4, 75, 24, "プライマリ\r\nWINSサーバー")),
      La2(MakeLabel(*this, "La2", 4, 32, 75, 24, "セカンダリ\r\nWINSサーバー")),
      La3(MakeLabel(*this, "La3", 24, 64, 55, 12, "スコープID")),
      Label1(MakeLabel(*this, "Label1", 64, 84, 144, 24,
                       "※ WINSを使用しない場合は\r\nﾌﾟﾗｲﾏﾘを空にして下さい")),
      EdWpr(Place<Edit>(*this, "EdWpr", 84, 4, 121, 20)),
      EdWsc(Place<Edit>(*this, "EdWsc", 84, 32, 121, 20)),
      EdWid(Place<Edit>(*this, "EdWid", 84, 60, 121, 20)),
      BbOk(Place<Button>(*this, "BbOk", 88, 112, 121, 25)),
      BbCancel(Place<Button>(*this, "BbCancel", 8, 112, 77, 25)),
      currentSetting_(currentSetting),
      lead_(system) {
  SetName("FmWins");
  SetCaption("WINS設定");
  SetBorderStyle(BorderStyle::kSingle);
  SetBorderIcons(kBiSystemMenu);
  SetPosition(FormPosition::kScreenCenter);
  SetClientSize(211, 139);

  Label1.SetAlignment(Alignment::kRightJustify);
  Font blue = Label1.GetFont();
  blue.color = kClBlue;
  Label1.SetFont(blue);

  EdWpr.SetTag(1);
  EdWsc.SetTag(2);
  BbOk.SetCaption("Ok");
  BbOk.SetGlyph("BtnOk");
  BbCancel.SetCaption("Cancel");
  BbCancel.SetCancel(true);
  BbCancel.SetModalResult(ModalResult::kCancel);

  BbOk.SetTabOrder(0);
  EdWpr.SetTabOrder(1);
  EdWsc.SetTabOrder(2);
  EdWid.SetTabOrder(3);
  BbCancel.SetTabOrder(4);

  SetOnCreate([this](Component& sender) { FormCreate(sender); });
  SetOnShow([this](Component& sender) { FormShow(sender); });
  BbOk.SetOnClick([this](Component& sender) { BbOkClick(sender); });
  BbCancel.SetOnClick([this](Component& sender) { BbCancelClick(sender); });
  // A form made outside Application::CreateForm is complete here.
  FinishCreation();
}

void TFmWins::FormCreate(Component&) {
  EdWpr.SetText(currentSetting_[core::kWp].Value);
  EdWsc.SetText(currentSetting_[core::kWs].Value);
  EdWid.SetText(currentSetting_[core::kWi].Value);
}

void TFmWins::FormShow(Component&) {
  savedPrimary_ = EdWpr.Text();
  savedSecondary_ = EdWsc.Text();
  savedScope_ = EdWid.Text();
}

void TFmWins::BbOkClick(Component&) {
  if (ValidateWinsFields()) {
    if (ModalLoopRunning()) {
      SetModalResult(ModalResult::kOk);
    } else {
      Close();
    }
    return;
  }
  App().Ui().ShowMessageBox(kWinsFormatMessage, kInputErrorCaption, MessageIcon::kError,
                            MessageButtons::kOk);
}

void TFmWins::BbCancelClick(Component&) {
  EdWpr.SetText(savedPrimary_);
  EdWsc.SetText(savedSecondary_);
  EdWid.SetText(savedScope_);
}

void TFmWins::ClearWinsFields() {
  EdWpr.SetText("");
  EdWsc.SetText("");
  EdWid.SetText("");
}

std::string TFmWins::TrimField(Edit& edit) {
  std::string trimmed = system::TrimBlanks(edit.Text(), lead_);
  edit.SetText(trimmed);
  return trimmed;
}

bool TFmWins::ValidateWinsFields() {
  std::string primary = TrimField(EdWpr);
  if (primary.empty()) {
    EdWsc.SetText("");
    EdWid.SetText("");
    return true;
  }
  if (system::IsBadAddress(primary)) {
    EdWpr.SetFocus();
    return false;
  }
  std::string secondary = TrimField(EdWsc);
  if (!secondary.empty() && system::IsBadAddress(secondary)) {
    EdWsc.SetFocus();
    return false;
  }
  TrimField(EdWid);
  return true;
}

}  // namespace zuba::ui
