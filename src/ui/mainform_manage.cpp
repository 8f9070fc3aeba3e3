// The main window's setting management: the setting list, recall, save,
// delete, reorder, the adapter choice and the TCP/IP group's enabling rules.
#include "ui/mainform.h"

#include "ui/DualListDlg.h"

namespace zuba::ui {

using toolkit::Component;

void TForm1::LoadSettingList() {}

void TForm1::CbSettingChange(Component&) {}

void TForm1::BbOkClick(Component&) {}

void TForm1::BtDeleteClick(Component&) {}

void TForm1::pmEditListClick(Component&) {}

void TForm1::CbTrgChange(Component&) {}

void TForm1::CbTncChange(Component&) {}

void TForm1::CbTcpClick(Component&) {}

void TForm1::CbTdhClick(Component&) {}

void TForm1::CbWiDhClick(Component&) {}

void TForm1::CbDdeClick(Component&) {}

void TForm1::RemoveAdapterEntry(const std::string&) {}

void TForm1::ConvertSettingsFile() {}

void TForm1::CreateDualListDlg() { DualListDlg = &Add<TDualListDlg>("DualListDlg", App()); }

}  // namespace zuba::ui
