#include "ui/ZbProxy.h"

#include "ui/ComponentRef.h"

namespace zuba::ui {

void TZbProxy::SetPxEnabled(toolkit::CheckBox* box) { AssignRef(*this, pxEnabled_, box); }
void TZbProxy::SetPxNotLan(toolkit::CheckBox* box) { AssignRef(*this, pxNotLan_, box); }
void TZbProxy::SetPxAddr(toolkit::Edit* edit) { AssignRef(*this, pxAddr_, edit); }
void TZbProxy::SetPxPort(toolkit::Edit* edit) { AssignRef(*this, pxPort_, edit); }
void TZbProxy::SetPxAutoURL(toolkit::Edit* edit) { AssignRef(*this, pxAutoURL_, edit); }

void TZbProxy::Notification(toolkit::Component& component, toolkit::Operation operation) {
  toolkit::Component::Notification(component, operation);
  if (operation != toolkit::Operation::kRemove) return;
  ForgetRef(pxEnabled_, component);
  ForgetRef(pxNotLan_, component);
  ForgetRef(pxAddr_, component);
  ForgetRef(pxPort_, component);
  ForgetRef(pxAutoURL_, component);
}

void TZbProxy::ShowValues(bool enabled, const std::string& server,
                          const std::string& autoConfigUrl) {
  if (pxEnabled_ != nullptr) {
    pxEnabled_->SetChecked(enabled);
    if (enabled && pxAddr_ != nullptr) {
      // Neither "=" nor ":" is ever the second byte of a double-byte
      // character, so a byte search finds only whole characters.
      const std::size_t colon = server.find(':');
      if (pxPort_ == nullptr || server.find('=', 1) != std::string::npos ||
          colon == std::string::npos) {
        pxAddr_->SetText(server);
      } else {
        pxAddr_->SetText(server.substr(0, colon));
        pxPort_->SetText(server.substr(colon + 1));
      }
    }
  }
  if (pxAutoURL_ != nullptr && !autoConfigUrl.empty()) pxAutoURL_->SetText(autoConfigUrl);
}

network::ProxyValues TZbProxy::CaptureValues() const {
  network::ProxyValues values;
  values.enabled = pxEnabled_ != nullptr && pxEnabled_->Checked();
  if (pxAddr_ != nullptr) {
    values.server = pxAddr_->Text();
    if (pxPort_ != nullptr && !pxPort_->Text().empty()) values.server += ":" + pxPort_->Text();
  }
  if (pxAutoURL_ != nullptr) values.autoConfigUrl = pxAutoURL_->Text();
  return values;
}

void TZbProxy::ClearControls() {
  if (pxEnabled_ != nullptr) pxEnabled_->SetChecked(false);
  if (pxNotLan_ != nullptr) pxNotLan_->SetChecked(false);
  if (pxAddr_ != nullptr) pxAddr_->SetText("");
  if (pxPort_ != nullptr) pxPort_->SetText("");
  if (pxAutoURL_ != nullptr) pxAutoURL_->SetText("");
}

}  // namespace zuba::ui
