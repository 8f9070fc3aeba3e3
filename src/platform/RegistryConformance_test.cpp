// The registry as Windows 9x answers, run against every implementation of
// the seam (testing/ConformanceTarget.h). Every case works below the
// target's own key of HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <vector>

#include "platform/Registry.h"
#include "testing/ConformanceTarget.h"

namespace zuba::platform {
namespace {

using namespace std::string_literals;

class RegistryConformance : public ::testing::Test {
 protected:
  Registry& r() { return target_->registry(); }
  std::string Path(const std::string& below) { return target_->key() + "\\" + below; }

  RegKey Create(const std::string& below) {
    RegKey key = 0;
    EXPECT_EQ(r().CreateKey(kHkeyCurrentUser, Path(below), &key), kErrorSuccess) << below;
    return key;
  }
  bool Exists(const std::string& below) {
    RegKey key;
    if (r().OpenKey(kHkeyCurrentUser, Path(below), &key) != kErrorSuccess) return false;
    r().CloseKey(key);
    return true;
  }
  std::vector<std::string> SubKeys(RegKey key) {
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; r().EnumKey(key, i, &name) == kErrorSuccess; ++i) {
      names.push_back(name);
    }
    return names;
  }
  std::vector<std::string> ValueNames(RegKey key) {
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; r().EnumValue(key, i, &name) == kErrorSuccess; ++i) {
      names.push_back(name);
    }
    return names;
  }
  // Sets a value and reads it back as "TYPE:data".
  std::string RoundTrip(std::uint32_t type, const std::string& data) {
    RegKey key = Create("Values");
    EXPECT_EQ(r().SetValue(key, "v", RegValue{type, data}), kErrorSuccess);
    RegValue read;
    EXPECT_EQ(r().QueryValue(key, "v", &read), kErrorSuccess);
    r().CloseKey(key);
    return std::to_string(read.type) + ":" + read.data;
  }

  std::unique_ptr<testing::ConformanceTarget> target_ = testing::OpenConformanceTarget();
};

// --- Opening, creating and closing keys ----------------------------------------

TEST_F(RegistryConformance, OpeningAMissingKeyFailsAndCreatesNothing) {
  RegKey key = 7;
  EXPECT_EQ(r().OpenKey(kHkeyCurrentUser, Path("Missing\\Deeper"), &key), kErrorFileNotFound);
  EXPECT_EQ(key, 7u);
  EXPECT_FALSE(Exists("Missing"));
}

TEST_F(RegistryConformance, CreatingMakesEveryMissingKeyOfThePath) {
  r().CloseKey(Create("A\\B\\C"));
  EXPECT_TRUE(Exists("A"));
  EXPECT_TRUE(Exists("A\\B"));
  EXPECT_TRUE(Exists("A\\B\\C"));
}

TEST_F(RegistryConformance, CreatingAnExistingKeyOpensItWithItsValues) {
  RegKey key = Create("Kept");
  ASSERT_EQ(r().SetValue(key, "v", RegValue{kRegSz, "x"}), kErrorSuccess);
  r().CloseKey(key);
  RegKey again = Create("Kept");
  RegValue value;
  EXPECT_EQ(r().QueryValue(again, "v", &value), kErrorSuccess);
  r().CloseKey(again);
}

TEST_F(RegistryConformance, ALeadingBackslashIsIgnored) {
  RegKey key;
  ASSERT_EQ(r().CreateKey(kHkeyCurrentUser, "\\" + Path("Lead"), &key), kErrorSuccess);
  r().CloseKey(key);
  ASSERT_EQ(r().OpenKey(kHkeyCurrentUser, "\\" + Path("Lead"), &key), kErrorSuccess);
  r().CloseKey(key);
  EXPECT_TRUE(Exists("Lead"));
}

TEST_F(RegistryConformance, AnEmptySubkeyOpensTheKeyAgain) {
  RegKey key = Create("Self");
  ASSERT_EQ(r().SetValue(key, "v", RegValue{kRegSz, "x"}), kErrorSuccess);
  RegKey same;
  ASSERT_EQ(r().OpenKey(key, "", &same), kErrorSuccess);
  RegValue value;
  EXPECT_EQ(r().QueryValue(same, "v", &value), kErrorSuccess);
  r().CloseKey(same);
  r().CloseKey(key);
}

TEST_F(RegistryConformance, SubkeysOpenRelativeToAnOpenKey) {
  r().CloseKey(Create("Parent\\Child"));
  RegKey parent = Create("Parent");
  RegKey child;
  EXPECT_EQ(r().OpenKey(parent, "child", &child), kErrorSuccess);
  r().CloseKey(child);
  r().CloseKey(parent);
}

TEST_F(RegistryConformance, KeyNamesCompareWithoutCaseAndKeepTheirCase) {
  r().CloseKey(Create("MixedCase"));
  EXPECT_TRUE(Exists("MIXEDCASE"));
  EXPECT_TRUE(Exists("mixedcase"));
  RegKey base;
  ASSERT_EQ(r().OpenKey(kHkeyCurrentUser, target_->key(), &base), kErrorSuccess);
  EXPECT_EQ(SubKeys(base), std::vector<std::string>{"MixedCase"});
  r().CloseKey(base);
}

TEST_F(RegistryConformance, OnlyAsciiLettersFoldInDoubleByteNames) {
  // 83 41 and 83 61 are two characters whose trail bytes are 'A' and 'a'.
  r().CloseKey(Create("\x83\x41"));
  r().CloseKey(Create("\x83\x61"));
  RegKey base;
  ASSERT_EQ(r().OpenKey(kHkeyCurrentUser, target_->key(), &base), kErrorSuccess);
  EXPECT_EQ(SubKeys(base).size(), 2u);
  r().CloseKey(base);
  r().CloseKey(Create("ソA"));
  EXPECT_TRUE(Exists("ソa"));  // the letter after the double-byte character folds
}

TEST_F(RegistryConformance, ATrailByte5CIsNoPathSeparator) {
  r().CloseKey(Create("ソフト\\Sub"));  // 83 5C 83 74 83 67
  RegKey base;
  ASSERT_EQ(r().OpenKey(kHkeyCurrentUser, target_->key(), &base), kErrorSuccess);
  EXPECT_EQ(SubKeys(base), std::vector<std::string>{"ソフト"});
  r().CloseKey(base);
  EXPECT_TRUE(Exists("ソフト\\sub"));
}

TEST_F(RegistryConformance, ClosingARootSucceeds) {
  EXPECT_EQ(r().CloseKey(kHkeyCurrentUser), kErrorSuccess);
  EXPECT_EQ(r().CloseKey(kHkeyLocalMachine), kErrorSuccess);
  EXPECT_TRUE(Exists(""));  // and the root still works
}

TEST_F(RegistryConformance, AHandleThatIsNoKeyIsABadKey) {
  const RegKey bogus = 0x1234;
  RegKey key;
  RegValue value;
  std::string name;
  EXPECT_EQ(r().OpenKey(bogus, "x", &key), kErrorBadKey);
  EXPECT_EQ(r().QueryValue(bogus, "x", &value), kErrorBadKey);
  EXPECT_EQ(r().SetValue(bogus, "x", RegValue{kRegSz, "x"}), kErrorBadKey);
  EXPECT_EQ(r().EnumKey(bogus, 0, &name), kErrorBadKey);
  EXPECT_EQ(r().CloseKey(bogus), kErrorBadKey);
}

TEST_F(RegistryConformance, TheTwoRootsAreApart) {
  r().CloseKey(Create("OnlyHere"));
  RegKey key;
  EXPECT_EQ(r().OpenKey(kHkeyLocalMachine, Path("OnlyHere"), &key), kErrorFileNotFound);
}

// --- Value types and data ------------------------------------------------------

TEST_F(RegistryConformance, AStringGetsItsTerminatingZero) {
  EXPECT_EQ(RoundTrip(kRegSz, "abc"), "1:abc\0"s);
  EXPECT_EQ(RoundTrip(kRegSz, "abc\0"s), "1:abc\0"s);
}

TEST_F(RegistryConformance, AStringIsKeptUpToItsFirstZeroByte) {
  EXPECT_EQ(RoundTrip(kRegSz, "ab\0cd\0"s), "1:ab\0"s);
}

TEST_F(RegistryConformance, AnEmptyStringReadsAsOneZeroByte) {
  EXPECT_EQ(RoundTrip(kRegSz, ""), "1:\0"s);
}

TEST_F(RegistryConformance, AnExpandableStringGetsItsTerminatingZero) {
  EXPECT_EQ(RoundTrip(kRegExpandSz, "%windir%"), "2:%windir%\0"s);
}

TEST_F(RegistryConformance, ADwordKeepsItsFourBytes) {
  EXPECT_EQ(RoundTrip(kRegDword, "\x2A\0\0\x80"s), "4:\x2A\0\0\x80"s);
}

TEST_F(RegistryConformance, BinaryDataIsKeptByteForByte) {
  EXPECT_EQ(RoundTrip(kRegBinary, "\0\x01\xFF\0"s), "3:\0\x01\xFF\0"s);
  EXPECT_EQ(RoundTrip(kRegBinary, ""), "3:");
}

TEST_F(RegistryConformance, AMultiStringIsKeptByteForByte) {
  EXPECT_EQ(RoundTrip(kRegMultiSz, "one\0two\0\0"s), "7:one\0two\0\0"s);
}

TEST_F(RegistryConformance, DoubleByteTextIsKeptByteForByte) {
  EXPECT_EQ(RoundTrip(kRegSz, "ソフト開発部 表示端末"), "1:ソフト開発部 表示端末\0"s);
}

TEST_F(RegistryConformance, ALargeValueIsKeptWhole) {
  std::string data(16000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
  EXPECT_EQ(RoundTrip(kRegBinary, data), "3:" + data);
}

TEST_F(RegistryConformance, SettingAgainReplacesTypeAndData) {
  RoundTrip(kRegSz, "text");
  EXPECT_EQ(RoundTrip(kRegDword, "\1\0\0\0"s), "4:\1\0\0\0"s);
}

TEST_F(RegistryConformance, TheDefaultValueHasTheEmptyName) {
  RegKey key = Create("Default");
  ASSERT_EQ(r().SetValue(key, "", RegValue{kRegSz, "True"}), kErrorSuccess);
  RegValue value;
  ASSERT_EQ(r().QueryValue(key, "", &value), kErrorSuccess);
  EXPECT_EQ(value.data, "True\0"s);
  r().CloseKey(key);
}

TEST_F(RegistryConformance, TheDefaultValueIsListedAndCountedLikeAnyOther) {
  RegKey key = Create("Default");
  ASSERT_EQ(r().SetValue(key, "", RegValue{kRegSz, "x"}), kErrorSuccess);
  ASSERT_EQ(r().SetValue(key, "a", RegValue{kRegSz, "y"}), kErrorSuccess);
  EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"", "a"}));
  std::uint32_t values = 0;
  EXPECT_EQ(r().QueryInfoKey(key, nullptr, &values), kErrorSuccess);
  EXPECT_EQ(values, 2u);
  r().CloseKey(key);
}

TEST_F(RegistryConformance, ValueNamesCompareWithoutCaseAndKeepTheFirstSpelling) {
  RegKey key = Create("Names");
  ASSERT_EQ(r().SetValue(key, "IPAddress", RegValue{kRegSz, "1"}), kErrorSuccess);
  ASSERT_EQ(r().SetValue(key, "ipaddress", RegValue{kRegSz, "2"}), kErrorSuccess);
  RegValue value;
  ASSERT_EQ(r().QueryValue(key, "IPADDRESS", &value), kErrorSuccess);
  EXPECT_EQ(value.data, "2\0"s);
  EXPECT_EQ(ValueNames(key), std::vector<std::string>{"IPAddress"});
  r().CloseKey(key);
}

TEST_F(RegistryConformance, DoubleByteValueNamesWork) {
  RegKey key = Create("Names");
  ASSERT_EQ(r().SetValue(key, "ソフト", RegValue{kRegSz, "x"}), kErrorSuccess);
  EXPECT_EQ(ValueNames(key), std::vector<std::string>{"ソフト"});
  EXPECT_EQ(r().DeleteValue(key, "ソフト"), kErrorSuccess);
  r().CloseKey(key);
}

TEST_F(RegistryConformance, QueryingAMissingValueLeavesTheOutputAlone) {
  RegKey key = Create("Empty");
  RegValue untouched{kRegBinary, "keep"};
  EXPECT_EQ(r().QueryValue(key, "missing", &untouched), kErrorFileNotFound);
  EXPECT_EQ(untouched.type, static_cast<std::uint32_t>(kRegBinary));
  EXPECT_EQ(untouched.data, "keep");
  r().CloseKey(key);
}

TEST_F(RegistryConformance, DeletingAValueAndOneThatIsNotThere) {
  RegKey key = Create("Delete");
  ASSERT_EQ(r().SetValue(key, "v", RegValue{kRegSz, "x"}), kErrorSuccess);
  EXPECT_EQ(r().DeleteValue(key, "V"), kErrorSuccess);
  RegValue value;
  EXPECT_EQ(r().QueryValue(key, "v", &value), kErrorFileNotFound);
  EXPECT_EQ(r().DeleteValue(key, "v"), kErrorFileNotFound);
  r().CloseKey(key);
}

// --- Enumeration ----------------------------------------------------------------

TEST_F(RegistryConformance, EnumerationEndsWithNoMoreItems) {
  RegKey key = Create("Enum");
  ASSERT_EQ(r().SetValue(key, "a", RegValue{kRegSz, "x"}), kErrorSuccess);
  r().CloseKey(Create("Enum\\Sub"));
  std::string name;
  EXPECT_EQ(r().EnumKey(key, 0, &name), kErrorSuccess);
  EXPECT_EQ(name, "Sub");
  EXPECT_EQ(r().EnumKey(key, 1, &name), kErrorNoMoreItems);
  EXPECT_EQ(r().EnumValue(key, 0, &name), kErrorSuccess);
  EXPECT_EQ(name, "a");
  EXPECT_EQ(r().EnumValue(key, 1, &name), kErrorNoMoreItems);
  EXPECT_EQ(r().EnumValue(key, 100, &name), kErrorNoMoreItems);
  r().CloseKey(key);
}

TEST_F(RegistryConformance, SubkeysAreListedInCreationOrder) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine lists subkeys sorted by name, as Windows NT";
  for (const char* name : {"Zeta", "alpha", "Mid"})
    r().CloseKey(Create(std::string("Order\\") + name));
  RegKey key = Create("Order");
  EXPECT_EQ(SubKeys(key), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
  r().CloseKey(key);
}

TEST_F(RegistryConformance, ValuesAreListedInCreationOrder) {
  if (target_->IsWine())
    GTEST_SKIP() << "Wine lists values sorted by name (Windows keeps the order)";
  RegKey key = Create("Order");
  for (const char* name : {"B", "a", "C"}) {
    ASSERT_EQ(r().SetValue(key, name, RegValue{kRegSz, "1"}), kErrorSuccess);
  }
  ASSERT_EQ(r().SetValue(key, "b", RegValue{kRegSz, "2"}), kErrorSuccess);  // in place
  EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"B", "a", "C"}));
  r().CloseKey(key);
}

TEST_F(RegistryConformance, KeyInformationCountsSubkeysAndValues) {
  RegKey key = Create("Info");
  r().CloseKey(Create("Info\\One"));
  r().CloseKey(Create("Info\\Two"));
  for (const char* name : {"x", "y", "z"}) {
    ASSERT_EQ(r().SetValue(key, name, RegValue{kRegDword, "\0\0\0\0"s}), kErrorSuccess);
  }
  std::uint32_t subKeys = 9, values = 9;
  EXPECT_EQ(r().QueryInfoKey(key, &subKeys, &values), kErrorSuccess);
  EXPECT_EQ(subKeys, 2u);
  EXPECT_EQ(values, 3u);
  r().CloseKey(key);
}

// --- Deleting keys, flushing ------------------------------------------------------

TEST_F(RegistryConformance, DeletingAKeyTakesItsWholeSubtree) {
  RegKey key = Create("Tree\\Branch\\Leaf");
  ASSERT_EQ(r().SetValue(key, "v", RegValue{kRegSz, "x"}), kErrorSuccess);
  r().CloseKey(key);
  EXPECT_EQ(r().DeleteKey(kHkeyCurrentUser, Path("tree\\branch")), kErrorSuccess);
  EXPECT_FALSE(Exists("Tree\\Branch"));
  EXPECT_TRUE(Exists("Tree"));
}

TEST_F(RegistryConformance, DeletingAMissingKeyIsFileNotFound) {
  EXPECT_EQ(r().DeleteKey(kHkeyCurrentUser, Path("NotThere")), kErrorFileNotFound);
}

TEST_F(RegistryConformance, DeletingWithoutASubkeyIsRefused) {
  RegKey key = Create("Whole");
  EXPECT_EQ(r().DeleteKey(key, ""), kErrorBadKey);
  EXPECT_TRUE(Exists("Whole"));
  r().CloseKey(key);
}

TEST_F(RegistryConformance, AHandleToADeletedKeyGoesBad) {
  RegKey inside = Create("Gone\\Inside");
  ASSERT_EQ(r().DeleteKey(kHkeyCurrentUser, Path("Gone")), kErrorSuccess);
  std::uint32_t subKeys, values;
  EXPECT_EQ(r().QueryInfoKey(inside, &subKeys, &values), kErrorBadKey);
  EXPECT_EQ(r().CloseKey(inside), kErrorSuccess);
}

TEST_F(RegistryConformance, FlushingARootOrAKeySucceeds) {
  RegKey key = Create("Flush");
  EXPECT_EQ(r().FlushKey(kHkeyCurrentUser), kErrorSuccess);
  EXPECT_EQ(r().FlushKey(kHkeyLocalMachine), kErrorSuccess);
  EXPECT_EQ(r().FlushKey(key), kErrorSuccess);
  EXPECT_EQ(r().FlushKey(0x1234), kErrorBadKey);
  r().CloseKey(key);
}

}  // namespace
}  // namespace zuba::platform
