#include "ui/ZubaPPP.h"

#include "ui/ComponentRef.h"

namespace zuba::ui {
namespace {

int SelectedIndex(const toolkit::ComboBox* box) { return box ? box->ItemIndex() : -1; }

std::string SelectedText(const toolkit::ComboBox* box) {
  const int index = SelectedIndex(box);
  return index >= 0 ? box->Item(index) : std::string();
}

}  // namespace

void TZubaPPP::SetPppComboBox(toolkit::ComboBox* box) {
  AssignRef(*this, pppComboBox_, box);
  if (box != nullptr) box->SetItems(ConnectionNames());
}

void TZubaPPP::SetTelComboBox(toolkit::ComboBox* box) {
  AssignRef(*this, telComboBox_, box);
  if (box != nullptr) box->SetItems(LocationNames());
}

void TZubaPPP::SetAtConnectCB(toolkit::CheckBox* box) { AssignRef(*this, atConnectCB_, box); }

void TZubaPPP::SetAtDisConnCB(toolkit::CheckBox* box) { AssignRef(*this, atDisConnCB_, box); }

void TZubaPPP::Notification(toolkit::Component& component, toolkit::Operation operation) {
  toolkit::Component::Notification(component, operation);
  if (operation != toolkit::Operation::kRemove) return;
  ForgetRef(pppComboBox_, component);
  ForgetRef(telComboBox_, component);
  ForgetRef(atConnectCB_, component);
  ForgetRef(atDisConnCB_, component);
}

void TZubaPPP::ShowValues(bool autoDial, bool autoDisconnect, const std::string& connectionName,
                          const std::string& locationName) {
  if (atConnectCB_ != nullptr) atConnectCB_->SetChecked(autoDial);
  if (atDisConnCB_ != nullptr) atDisConnCB_->SetChecked(autoDisconnect);
  if (pppComboBox_ != nullptr) pppComboBox_->SetItemIndex(pppComboBox_->IndexOf(connectionName));
  if (telComboBox_ != nullptr) telComboBox_->SetItemIndex(telComboBox_->IndexOf(locationName));
}

network::DialUpValues TZubaPPP::CaptureValues() const {
  network::DialUpValues values;
  values.autoDial = atConnectCB_ != nullptr && atConnectCB_->Checked();
  values.autoDisconnect = atDisConnCB_ != nullptr && atDisConnCB_->Checked();
  values.connectionName = SelectedText(pppComboBox_);
  values.locationName = SelectedText(telComboBox_);
  return values;
}

void TZubaPPP::ClearControls() {
  if (atConnectCB_ != nullptr) atConnectCB_->SetChecked(false);
  if (atDisConnCB_ != nullptr) atDisConnCB_->SetChecked(false);
  if (pppComboBox_ != nullptr) pppComboBox_->SetItemIndex(-1);
  if (telComboBox_ != nullptr) telComboBox_->SetItemIndex(-1);
}

}  // namespace zuba::ui
