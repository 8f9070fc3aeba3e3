// The dial-up group's binding: TZubaPPP shows a Setting's dial-up values
// (items pc, pd, pf, tl) in four controls of the main window, fills its two
// lists with the machine's connections and locations, and captures the
// values back. The system's side (where the values live, the values in
// force, their write) is actions::DialUpSettings, which it also is.
#ifndef ZUBA_UI_ZUBAPPP_H_
#define ZUBA_UI_ZUBAPPP_H_

#include <string>
#include <vector>

#include "actions/DialUpSettings.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Component.h"

namespace zuba::ui {

class TZubaPPP : public toolkit::Component, public actions::DialUpSettings {
 public:
  // The services must outlive the component.
  TZubaPPP(platform::Registry& registry, platform::Profiles& profiles, platform::Files& files,
           platform::System& system)
      : DialUpSettings(registry, profiles, files, system) {}

  // --- Bound controls (owned by the window; a control that goes is
  // dropped). Every operation skips a reference that is empty. ----------

  toolkit::ComboBox* PppComboBox() const { return pppComboBox_; }
  // Stores the box; a box given gets a copy of ConnectionNames as entries.
  void SetPppComboBox(toolkit::ComboBox* box);
  toolkit::ComboBox* TelComboBox() const { return telComboBox_; }
  // Stores the box; a box given gets a copy of LocationNames as entries.
  void SetTelComboBox(toolkit::ComboBox* box);
  toolkit::CheckBox* AtConnectCB() const { return atConnectCB_; }
  void SetAtConnectCB(toolkit::CheckBox* box);
  toolkit::CheckBox* AtDisConnCB() const { return atDisConnCB_; }
  void SetAtDisConnCB(toolkit::CheckBox* box);

  // --- The window's side --------------------------------------------------

  // Checks or unchecks the two boxes (their OnClick runs when the state
  // changes) and selects in each list the entry equal to the name without
  // regard to case, or none when the name is not listed.
  void ShowValues(bool autoDial, bool autoDisconnect, const std::string& connectionName,
                  const std::string& locationName);

  // The two boxes' states (off when unbound) and the selected entry of
  // each list (empty when none is selected or the list is unbound).
  network::DialUpValues CaptureValues() const;

  // Unchecks both boxes and selects nothing in either list.
  void ClearControls();

 protected:
  void Notification(toolkit::Component& component, toolkit::Operation operation) override;

 private:
  toolkit::ComboBox* pppComboBox_ = nullptr;
  toolkit::ComboBox* telComboBox_ = nullptr;
  toolkit::CheckBox* atConnectCB_ = nullptr;
  toolkit::CheckBox* atDisConnCB_ = nullptr;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_ZUBAPPP_H_
