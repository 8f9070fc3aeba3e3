#include "network/GetRegs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "system/Errors.h"
#include "testing/NetMachine.h"
#include "testing/TestMachine.h"

namespace zuba::network {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DiscoverAdaptersTest : public ::testing::Test {
 protected:
  void Discover() { DiscoverAdapters(machine_.registry(), lead_, descriptions_, registers_); }

  testing::TestMachine machine_;
  system::LeadBytes lead_{machine_.system()};
  system::NameList descriptions_{"stale"};
  system::NameList registers_{"stale", "entries"};
};

TEST_F(DiscoverAdaptersTest, TheTemplateCardAndDialUpAdapterWithTheirTcpIpSubkeys) {
  // The card is bound to NetBEUI before TCP/IP; the dial-up adapter only to
  // TCP/IP. NetBEUI's own NetTrans subkey (0002) is never taken.
  Discover();
  EXPECT_THAT(descriptions_, ElementsAre("PCI Fast Ethernet Adapter", "ダイヤルアップ アダプタ"));
  EXPECT_THAT(registers_, ElementsAre("0000", "0001"));
}

TEST_F(DiscoverAdaptersTest, BindingsClassAndDriverRules) {
  // Keys and bindings are named so that they sort in the order they are
  // created: the case holds whether the registry lists them in creation
  // order (Windows 9x) or sorted (Windows NT, Wine).
  testing::EditRegistry(machine_.registry(), R"(
[-HKEY_LOCAL_MACHINE\Enum\PCI]
[-HKEY_LOCAL_MACHINE\Enum\Root]

[HKEY_LOCAL_MACHINE\Enum\ISA\1Three]
"Class"="Net"
"DeviceDesc"="Three protocols"
[HKEY_LOCAL_MACHINE\Enum\ISA\1Three\Bindings]
"NETBEUI\\0000"=""
"NWLINK\\0000"=""
"MSTCP\\0005"=""

[HKEY_LOCAL_MACHINE\Enum\ISA\2Two]
"Class"="NET"
"DeviceDesc"="Two TCP/IP bindings"
[HKEY_LOCAL_MACHINE\Enum\ISA\2Two\Bindings]
"MSTCP\\0006"=""
"MSTCP\\0007"=""

[HKEY_LOCAL_MACHINE\Enum\ISA\3Lower]
"Class"="Net"
"DeviceDesc"="Lower-case binding"
[HKEY_LOCAL_MACHINE\Enum\ISA\3Lower\Bindings]
"mstcp\\0005"=""

[HKEY_LOCAL_MACHINE\Enum\ISA\4Unbound]
"Class"="Net"
"DeviceDesc"="No bindings key"

[HKEY_LOCAL_MACHINE\Enum\ISA\5Nameless]
"Class"="net"
[HKEY_LOCAL_MACHINE\Enum\ISA\5Nameless\Bindings]
"MSTCP\\0004"=""
"MSTCP\\0005"=""

[HKEY_LOCAL_MACHINE\Enum\ISA\6Bare]
"Class"="Net"
"DeviceDesc"="Binding without an instance"
[HKEY_LOCAL_MACHINE\Enum\ISA\6Bare\Bindings]
"MSTCP"=""

[HKEY_LOCAL_MACHINE\Enum\ISA\7Printer]
"Class"="Printer"
"DeviceDesc"="Not an adapter"
[HKEY_LOCAL_MACHINE\Enum\ISA\7Printer\Bindings]
"MSTCP\\0005"=""

[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP]
"Driver"="NetTrans\\9999"
[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0004]
"Driver"="NetTrans"
[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0005]
"Driver"="NetTrans\\0005"
[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0006]
"Driver"="NetTrans\\0006\\extra"
)");
  Discover();
  // "Nameless" has no DeviceDesc and its first TCP/IP binding's Driver has no
  // backslash: two empty texts at the same position. "Two" takes its first
  // binding (the second has no instance). A binding named MSTCP alone reads
  // no Driver (not even the MSTCP key's own).
  EXPECT_THAT(descriptions_, ElementsAre("Three protocols", "Two TCP/IP bindings", "",
                                         "Binding without an instance"));
  EXPECT_THAT(registers_, ElementsAre("0005", "0006\\extra", "", ""));
}

TEST_F(DiscoverAdaptersTest, AdaptersBelowAdaptersComeFirstAndNoneGivesEmptyLists) {
  testing::EditRegistry(machine_.registry(), R"(
[-HKEY_LOCAL_MACHINE\Enum\PCI]
[HKEY_LOCAL_MACHINE\Enum\Root\Net\0000\Child]
"Class"="Net"
"DeviceDesc"="Nested"
[HKEY_LOCAL_MACHINE\Enum\Root\Net\0000\Child\Bindings]
"MSTCP\\0000"=""
)");
  Discover();
  EXPECT_THAT(descriptions_, ElementsAre("Nested", "ダイヤルアップ アダプタ"));
  EXPECT_THAT(registers_, ElementsAre("0000", "0001"));

  testing::EditRegistry(machine_.registry(), "[-HKEY_LOCAL_MACHINE\\Enum\\Root]\n");
  Discover();
  EXPECT_THAT(descriptions_, IsEmpty());
  EXPECT_THAT(registers_, IsEmpty());
}

TEST_F(DiscoverAdaptersTest, ADriverOfTheWrongKindRaisesAndLeavesTheLists) {
  testing::EditRegistry(machine_.registry(), R"(
[HKEY_LOCAL_MACHINE\Enum\Network\MSTCP\0001]
"Driver"=hex:01,02
)");
  EXPECT_THROW(Discover(), system::ERegistryException);
  EXPECT_THAT(descriptions_, ElementsAre("stale"));
  EXPECT_THAT(registers_, ElementsAre("stale", "entries"));
}

}  // namespace
}  // namespace zuba::network
