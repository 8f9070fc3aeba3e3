// The WINS dialog: the primary and secondary WINS server and the NetBIOS
// scope identifier of a setting. Its three edits are where these values
// live while a setting is edited: the main window's binding fills and
// clears them, its capture reads them, and the dialog itself only checks
// them (OK) and restores them (Cancel, Escape). Closing by the title bar's
// close box keeps what was typed, unchecked.
#ifndef ZUBA_UI_WINSFORM_H_
#define ZUBA_UI_WINSFORM_H_

#include <string>

#include "core/RegType.h"
#include "platform/System.h"
#include "system/jstrm.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

namespace zuba::ui {

class TFmWins : public toolkit::Form {
 public:
  // `currentSetting` is the main window's setting, read once when the form
  // is created (FormCreate); `system` gives the code page's lead bytes.
  // Both must outlive the form.
  TFmWins(toolkit::Application& app, const core::TRegList& currentSetting,
          platform::System& system);

  toolkit::Label& La1;
  toolkit::Label& La2;
  toolkit::Label& La3;
  toolkit::Label& Label1;
  toolkit::Edit& EdWpr;  // primary WINS server (item wp)
  toolkit::Edit& EdWsc;  // secondary WINS server (item ws)
  toolkit::Edit& EdWid;  // scope identifier (item wi)
  toolkit::Button& BbOk;
  toolkit::Button& BbCancel;

  // The fields start with the Values of items wp, ws and wi.
  void FormCreate(toolkit::Component& sender);
  // Keeps the three texts as they are when the dialog is shown.
  void FormShow(toolkit::Component& sender);
  // Closes the dialog when the fields pass ValidateWinsFields; otherwise
  // it stays open with the focus on the faulty field and the message
  // "WINSサーバーのIP形式が誤っています..." captioned "入力誤りです".
  void BbOkClick(toolkit::Component& sender);
  // The fields get back the texts they had when the dialog was shown; the
  // button's modal result then closes it.
  void BbCancelClick(toolkit::Component& sender);
  // Empties the three fields.
  void ClearWinsFields();
  // Trims the fields (the trimmed text is put back) and checks them: an
  // empty primary server means no WINS and empties the other two (true); a
  // primary or a non-empty secondary that is not a dotted address takes the
  // focus and gives false. The scope identifier is never checked.
  bool ValidateWinsFields();

 private:
  std::string TrimField(toolkit::Edit& edit);

  const core::TRegList& currentSetting_;
  system::LeadBytes lead_;
  std::string savedPrimary_;
  std::string savedSecondary_;
  std::string savedScope_;
};

// The message of a failed check, and its caption.
inline constexpr char kWinsFormatMessage[] =
    "WINSサーバーのIP形式が誤っています\r\n\r\nWINSを使用しない場合は\r\n"
    "プライマリサーバーに何も入力しないでください";
inline constexpr char kInputErrorCaption[] = "入力誤りです";

}  // namespace zuba::ui

#endif  // ZUBA_UI_WINSFORM_H_
