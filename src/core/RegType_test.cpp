#include "core/RegType.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "system/Errors.h"
#include "system/MyRegs.h"
#include "testing/TempMachine.h"

namespace zuba::core {
namespace {

using platform::sim::OsKind;

const std::string kNetTrans = "\\System\\CurrentControlSet\\Services\\Class\\NetTrans";
const std::string kMstcp = "\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";

TEST(FindItemIndexTest, AnswersTheTableIndexOrTheSpareSlot) {
  EXPECT_EQ(FindItemIndex("ip"), 0);
  EXPECT_EQ(FindItemIndex("pr"), 32);
  for (const char* unknown : {"IP", "Ip", "zz", "", "i", "ipx", "pr "}) {
    EXPECT_EQ(FindItemIndex(unknown), kSpareSlot) << unknown;
  }
  // Every key code of a fresh table is found at its own slot.
  testing::TempMachine machine;
  TRegList list;
  InitRegList(list, false, machine.system());
  for (int i = 0; i < kItemCount; ++i) EXPECT_EQ(FindItemIndex(list[i].KeyCode), i);
}

TEST(InitRegListTest, FillsTheItemTableAndLeavesTheSpareSlot) {
  testing::TempMachine machine;
  TRegList list;
  for (TNetReg& item : list) {
    item.Value = "stale";
    item.IsSet = true;
    item.KeyPath = "stale";
  }
  InitRegList(list, false, machine.system());

  std::ostringstream codes;
  for (int i = 0; i < kItemCount; ++i) codes << list[i].KeyCode << ' ';
  EXPECT_EQ(codes.str(),
            "ip gw ms de dh dd di ds wg lc cc fs ps li ld wp ws nt wi lo hh hl ee eo pe pv pa cp "
            "pf pc pd tl pr ");

  for (int i = 0; i < kItemCount; ++i) {
    const TNetReg& item = list[i];
    EXPECT_FALSE(item.IsSet) << item.KeyCode;
    EXPECT_EQ(item.Value, i == kLo ? "0" : "") << item.KeyCode;
    const bool located = i <= kWi;
    EXPECT_EQ(item.RootKey, located ? platform::kHkeyLocalMachine : 0u) << item.KeyCode;
    EXPECT_EQ(item.KeyPath.empty(), !located) << item.KeyCode;
    EXPECT_EQ(item.ValueName.empty(), !located) << item.KeyCode;
    const bool listItem = i == kGw || i == kDi || i == kDs;
    EXPECT_EQ(item.Separator, listItem ? ',' : '\0') << item.KeyCode;
    const char type = (i == kPe || i == kPc || i == kPd) ? 'x' : i == kCp ? 'b' : 's';
    EXPECT_EQ(item.Vtype, type) << item.KeyCode;
  }
  EXPECT_EQ(list[kSpareSlot].Value, "stale");
  EXPECT_TRUE(list[kSpareSlot].IsSet);
  EXPECT_EQ(list[kSpareSlot].KeyPath, "stale");
}

TEST(WinsKeyPathTest, DependsOnWin98Mode) {
  testing::TempMachine win95(OsKind::kWin95);
  EXPECT_EQ(WinsKeyPath(false, win95.system()), kMstcp);
  EXPECT_EQ(WinsKeyPath(true, win95.system()), kNetTrans);
  TRegList list;
  InitRegList(list, false, win95.system());
  for (int i : {kWp, kWs, kNt, kWi}) EXPECT_EQ(list[i].KeyPath, kMstcp) << list[i].KeyCode;
  InitRegList(list, true, win95.system());
  for (int i : {kWp, kWs, kNt}) EXPECT_EQ(list[i].KeyPath, kNetTrans) << list[i].KeyCode;
  EXPECT_EQ(list[kWi].KeyPath, kMstcp);

  testing::TempMachine win98(OsKind::kWin98);
  EXPECT_EQ(WinsKeyPath(false, win98.system()), kNetTrans);
}

// Items read from keys built for the test.
class ReadItemTest : public ::testing::Test {
 protected:
  void Put(const std::string& path, const std::string& name, const platform::RegValue& value) {
    platform::RegKey key;
    ASSERT_EQ(registry().CreateKey(platform::kHkeyLocalMachine, path, &key),
              platform::kErrorSuccess);
    ASSERT_EQ(registry().SetValue(key, name, value), platform::kErrorSuccess);
    registry().CloseKey(key);
  }
  platform::Registry& registry() { return machine_.registry(); }
  static TNetReg Item(const std::string& path, const std::string& name) {
    TNetReg item;
    item.RootKey = platform::kHkeyLocalMachine;
    item.KeyPath = path;
    item.ValueName = name;
    item.Value = "stale";
    return item;
  }

  testing::TempMachine machine_;
};

TEST_F(ReadItemTest, StringItems) {
  Put("\\ZubaTest", "Text", {platform::kRegSz, std::string("a,b\0", 4)});
  TNetReg item = Item("\\ZubaTest", "Text");
  ReadItemString(item, registry());
  EXPECT_TRUE(item.IsSet);
  EXPECT_EQ(item.Value, "a,b");

  item = Item("\\ZubaTest", "Missing");
  ReadItemString(item, registry());
  EXPECT_TRUE(item.IsSet);
  EXPECT_EQ(item.Value, "");

  item = Item("\\ZubaTest\\Missing", "Text");
  item.IsSet = true;
  ReadItemString(item, registry());
  EXPECT_FALSE(item.IsSet);
  EXPECT_EQ(item.Value, "");
}

TEST_F(ReadItemTest, BoolItems) {
  Put("\\ZubaTest", "On", {platform::kRegDword, std::string("\x05\0\0\0", 4)});
  Put("\\ZubaTest", "Off", {platform::kRegDword, std::string(4, '\0')});
  Put("\\ZubaTest", "Text", {platform::kRegSz, std::string("1\0", 2)});
  TNetReg item = Item("\\ZubaTest", "On");
  ReadItemBool(item, registry());
  EXPECT_TRUE(item.IsSet);
  EXPECT_EQ(item.Value, "1");
  item = Item("\\ZubaTest", "Off");
  ReadItemBool(item, registry());
  EXPECT_TRUE(item.IsSet);
  EXPECT_EQ(item.Value, "0");

  // A missing value or a string: the error reaches the caller, the item stays unset.
  for (const char* name : {"Missing", "Text"}) {
    item = Item("\\ZubaTest", name);
    item.IsSet = true;
    EXPECT_THROW(ReadItemBool(item, registry()), system::ERegistryException) << name;
    EXPECT_FALSE(item.IsSet);
  }
  item = Item("\\ZubaTest\\Missing", "On");
  ReadItemBool(item, registry());
  EXPECT_FALSE(item.IsSet);
}

TEST_F(ReadItemTest, BinaryItems) {
  Put("\\ZubaTest", "Minus", {platform::kRegBinary, "\xFE\xFF\xFF\xFF"});
  Put("\\ZubaTest", "Text", {platform::kRegSz, std::string("1\0", 2)});
  TNetReg item = Item("\\ZubaTest", "Minus");
  ReadItemBinary(item, registry());
  EXPECT_TRUE(item.IsSet);
  EXPECT_EQ(item.Value, "-2");

  // The key exists but the value does not: unset, the value kept.
  item = Item("\\ZubaTest", "Missing");
  item.IsSet = true;
  ReadItemBinary(item, registry());
  EXPECT_FALSE(item.IsSet);
  EXPECT_EQ(item.Value, "stale");

  item = Item("\\ZubaTest\\Missing", "Minus");
  ReadItemBinary(item, registry());
  EXPECT_FALSE(item.IsSet);

  item = Item("\\ZubaTest", "Text");
  EXPECT_THROW(ReadItemBinary(item, registry()), system::ERegistryException);
  EXPECT_FALSE(item.IsSet);
}

TEST_F(ReadItemTest, ReadsTheNetworkValuesOfAWindows98Machine) {
  TRegList list;
  InitRegList(list, false, machine_.system());
  for (int i : {kWg, kLc}) {
    ReadItemString(list[i], registry());
    EXPECT_TRUE(list[i].IsSet) << list[i].KeyCode;
    EXPECT_FALSE(list[i].Value.empty()) << list[i].KeyCode;
  }
}

}  // namespace
}  // namespace zuba::core
