#include "ui/FClear.h"

#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::ui {

using toolkit::CheckState;

namespace {

// The logon choice a cleared window shows: "他" (other).
constexpr int kLogonOther = 2;

void Empty(toolkit::Edit& edit) { edit.SetText(""); }

}  // namespace

// The order matters: each check box set here runs its click handler, and
// the enabling rules of the TCP/IP group read the boxes set before them.
void ClearSettingControls(TForm1& form, BindingForm which) {
  const bool full = which == BindingForm::kFull;
  if (full) Empty(form.EdNm);
  form.CbCpl.SetChecked(false);
  form.CbTcp.SetChecked(false);
  if (full) {
    form.CbTrg.SetItemIndex(-1);
    form.CbTnc.SetItemIndex(-1);
  }
  Empty(form.EdTip);
  Empty(form.EdTms);
  Empty(form.EdTgw);
  form.LbTgw.ClearItems();
  form.CbTdh.SetChecked(false);
  form.CbWiDh.SetChecked(false);

  form.CbPpp.SetChecked(false);
  form.zbPPP.ClearControls();

  form.pcbPr.ClearPrinterChoice();

  form.CbDde.SetState(CheckState::kGrayed);
  Empty(form.EdDhs);
  Empty(form.EdDdm);
  Empty(form.EdDip);
  form.LbDip.ClearItems();
  Empty(form.EdDsf);
  form.LbDsf.ClearItems();

  form.CbWgp.SetChecked(false);
  form.RgLogon.SetItemIndex(kLogonOther);
  Empty(form.EdWlc);
  Empty(form.EdWld);
  Empty(form.EdWgp);
  Empty(form.EdWli);
  Empty(form.EdWcc);
  form.CbWfs.SetState(CheckState::kGrayed);
  form.CbWps.SetState(CheckState::kGrayed);

  form.fcbtHosts.SetCopySrc("");
  form.fcbtLmhosts.SetCopySrc("");

  form.CbEex.SetChecked(false);
  form.zbExec.ClearControls();

  form.CbPpe.SetChecked(false);
  form.ZbProxy.ClearControls();

  form.FmWins->ClearWinsFields();
}

}  // namespace zuba::ui
