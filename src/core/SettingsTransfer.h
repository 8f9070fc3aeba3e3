// Settings taken to another machine: a transfer file holds chosen settings
// in the settings file's own format (INI lines, CR LF, code page 932), each
// with the adapter it was saved for and that adapter's description, so that
// another machine, whose adapter subkeys differ, can bind the setting to
// its own card. Its layout:
//
//   [<setting name>]          the setting's keys, as the settings file holds them
//   ...
//   [NIC_registry_list]       setting name = adapter subkey on the machine of export
//   [NIC_description_list]    setting name = that adapter's description
//   [ZubaNetTransfer]         always the last section:
//     Format=1
//     CodePage=932
//     SETTINGS.Count=n, SETTINGS.0 ... the settings in the file, in order
//     Text=設定の移行            the last line: its bytes in code page 932
//
// A file is read whole and refused, with nothing taken from it, when it is
// damaged (a line that is neither a header nor a key, a zero byte, the
// header section missing or not last, a listed setting without keys, the
// last line cut) or written in another code page (a byte-order mark,
// CodePage other than 932, the Text line's bytes otherwise than in code
// page 932, a byte that is no character of code page 932).
#ifndef ZUBA_CORE_SETTINGSTRANSFER_H_
#define ZUBA_CORE_SETTINGSTRANSFER_H_

#include <string>
#include <utility>
#include <vector>

#include "core/SettingsFile.h"

namespace zuba::core {

inline constexpr char kTransferSection[] = "ZubaNetTransfer";
inline constexpr char kDescriptionSection[] = "NIC_description_list";

// An adapter of a machine: its subkey below the network-transport class key
// and its description (what the adapter list shows).
struct AdapterInfo {
  std::string subkey;
  std::string description;
};

// One setting of a transfer file.
struct TransferredSetting {
  std::string name;
  std::vector<std::string> entries;  // "key=value", item key codes only, in file order
  std::string adapter;               // subkey where it was saved; empty without TCP/IP
  std::string adapterDescription;
};

// Why a transfer file was refused.
enum class TransferFault { kNone, kUnreadable, kDamaged, kCodePage };

struct TransferRead {
  TransferFault fault = TransferFault::kNone;
  std::string reason;  // for the user, CP932; empty when read
  std::vector<TransferredSetting> settings;
};

// The transfer file's text for the settings `names` of `file` (each as it
// is stored, item keys only), their adapters described from `adapters`.
// A name without a stored setting raises system::Exception naming it.
std::string TransferText(SettingsFile& file, const std::vector<std::string>& names,
                         const std::vector<AdapterInfo>& adapters);

// Reads a transfer file's bytes (see the layout above).
TransferRead ReadTransferText(const std::string& bytes);

// The subkey of `present` a setting is bound to on this machine: its own
// subkey when the adapter there has the setting's description, else the
// first adapter of that description (descriptions compare without regard
// to case), else its own subkey when the file gives no description and
// this machine has the subkey; else empty, and the user chooses. A subkey
// that exists with another card's description is not taken: the setting
// would go to the wrong card. A setting without an adapter answers empty.
std::string BindAdapter(const TransferredSetting& setting, const std::vector<AdapterInfo>& present);

// Writes an imported setting into `file` as a save does: the section made
// anew (a setting of that name deleted first with its adapter entry), the
// adapter entry `adapter` when not empty. Call it inside a
// SettingsFile::Change.
void WriteImportedSetting(SettingsFile& file, const TransferredSetting& setting,
                          const std::string& adapter);

}  // namespace zuba::core

#endif  // ZUBA_CORE_SETTINGSTRANSFER_H_
