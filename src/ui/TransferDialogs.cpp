#include "ui/TransferDialogs.h"

#include "toolkit/Application.h"
#include "ui/Place.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

Button& MakeButton(Form& form, const char* name, int left, int top, const char* caption,
                   ModalResult result) {
  Button& button = Place<Button>(form, name, left, top, 75, 25);
  button.SetCaption(caption);
  button.SetModalResult(result);
  return button;
}

Label& MakeLabel(Form& form, const char* name, int left, int top, int width, int height) {
  Label& label = Place<Label>(form, name, left, top, width, height);
  label.SetAutoSize(false);
  label.SetWordWrap(true);
  return label;
}

void SetUpDialog(Form& form, const char* name) {
  form.SetName(name);
  form.SetBorderStyle(BorderStyle::kDialog);
  form.SetBorderIcons(kBiSystemMenu);
  form.SetPosition(FormPosition::kScreenCenter);
}

}  // namespace

TChoiceDlg::TChoiceDlg(Application& app)
    : Form(app),
      LaPrompt(MakeLabel(*this, "LaPrompt", 8, 8, 264, 30)),
      LbChoices(Place<ListBox>(*this, "LbChoices", 8, 40, 264, 121)),
      LaFile(MakeLabel(*this, "LaFile", 8, 170, 264, 16)),
      EdFile(Place<Edit>(*this, "EdFile", 8, 188, 264, 21)),
      CbNoQuestion(Place<CheckBox>(*this, "CbNoQuestion", 8, 170, 264, 17)),
      BtOk(MakeButton(*this, "BtOk", 116, 220, "OK", ModalResult::kOk)),
      BtCancel(MakeButton(*this, "BtCancel", 197, 220, "キャンセル", ModalResult::kCancel)) {
  SetUpDialog(*this, "ChoiceDlg");
  SetClientSize(280, 253);
  LaFile.SetCaption("書き出すファイル(&F):");
  CbNoQuestion.SetCaption("再起動の確認をしないで反映する (/c)");
  BtOk.SetDefault(true);
  BtCancel.SetCancel(true);
  FinishCreation();
}

void TChoiceDlg::Prepare(Kind kind, const std::string& caption, const std::string& prompt,
                         const std::vector<std::string>& items) {
  SetCaption(caption);
  LaPrompt.SetCaption(prompt);
  LbChoices.SetMultiSelect(kind != Kind::kAdapter);
  LbChoices.SetItems(items);
  LbChoices.SetItemIndex(-1);
  for (int i = 0; i < LbChoices.ItemCount(); ++i) LbChoices.SetSelected(i, false);
  LaFile.SetVisible(kind == Kind::kExport);
  EdFile.SetVisible(kind == Kind::kExport);
  CbNoQuestion.SetVisible(kind == Kind::kShortcut);
  const int buttonsTop = kind == Kind::kExport ? 220 : kind == Kind::kShortcut ? 196 : 170;
  BtOk.SetTop(buttonsTop);
  BtCancel.SetTop(buttonsTop);
  SetClientSize(280, buttonsTop + 33);
}

std::vector<std::string> TChoiceDlg::Chosen() const {
  std::vector<std::string> chosen;
  for (int i = 0; i < LbChoices.ItemCount(); ++i) {
    const bool taken = LbChoices.MultiSelect() ? LbChoices.Selected(i) : LbChoices.ItemIndex() == i;
    if (taken) chosen.push_back(LbChoices.Item(i));
  }
  return chosen;
}

TReplaceDlg::TReplaceDlg(Application& app)
    : Form(app),
      LaQuestion(MakeLabel(*this, "LaQuestion", 8, 12, 324, 32)),
      BtYes(MakeButton(*this, "BtYes", 8, 52, "はい(&Y)", ModalResult::kYes)),
      BtNo(MakeButton(*this, "BtNo", 89, 52, "いいえ(&N)", ModalResult::kNo)),
      BtYesAll(MakeButton(*this, "BtYesAll", 170, 52, "すべてはい(&A)", ModalResult::kYes)),
      BtCancel(MakeButton(*this, "BtCancel", 251, 52, "キャンセル", ModalResult::kCancel)) {
  SetUpDialog(*this, "ReplaceDlg");
  SetCaption("既に登録されています");
  SetClientSize(340, 85);
  BtYes.SetDefault(true);
  BtCancel.SetCancel(true);
  BtYesAll.SetOnClick([this](Component&) { all_ = true; });
  FinishCreation();
}

TReplaceDlg::Answer TReplaceDlg::Ask(const std::string& name) {
  LaQuestion.SetCaption("【" + name + "】　を置き換えますか？");
  all_ = false;
  switch (ShowModal()) {
    case ModalResult::kYes: return all_ ? Answer::kYesToAll : Answer::kYes;
    case ModalResult::kNo: return Answer::kNo;
    default: return Answer::kCancel;
  }
}

}  // namespace zuba::ui
