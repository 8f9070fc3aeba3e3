#include "platform/sim/HiveIndex.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/HiveFile.h"

namespace zuba::platform::sim {
namespace {

using namespace std::string_literals;

// Every key with its values, depth first: what a tree holds.
void Describe(const RegNode& node, const std::string& path, std::string* out) {
  *out += "[" + path + "]";
  for (std::size_t i = 0; i < node.ValueCount(); ++i) {
    *out += node.Value(i).name + "(" + std::to_string(node.Value(i).type) + ")=" +
            node.Value(i).data + ";";
  }
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    Describe(*node.Child(i), path + "\\" + node.Child(i)->name(), out);
  }
}

std::string Describe(const RegNode& tree) {
  std::string out;
  Describe(tree, "", &out);
  return out;
}

const std::string kHead = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE]\r\n\r\n";

// A text is indexed only when it is byte for byte what the writer makes of
// it; then its tree holds what the whole parse builds, and writing it back
// gives the text again. Anything else is left to the whole parse.
TEST(HiveIndexTest, IndexesOnlyWhatTheWriterWritesAndReadsItAsTheParserDoes) {
  struct Case {
    const char* what;
    std::string text;
    bool indexed;
  };
  const Case cases[] = {
      {"strings, escapes, dword, hex, default",
       kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n@=\"d\"\r\n\"s\"=\"a\\\\b\\\"c\"\r\n"
               "\"n\"=dword:0000002a\r\n\"h\"=hex:01,02\r\n\"e\"=hex(2):41,00\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\A\\B]\r\n\r\n[HKEY_LOCAL_MACHINE\\C]\r\n\"x\"=\"\"\r\n\r\n",
       true},
      {"a trail byte 0x5C in names and data",
       kHead + "[HKEY_LOCAL_MACHINE\\\x83\x5C]\r\n\"\x83\x5C\"=\"\x83\x5C\"\r\n\r\n", true},
      {"a lone lead byte before a quote (written as hex(1)), one at the end",
       kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=hex(1):61,81,22,00\r\n\"w\"=\"a\x81\"\r\n\r\n",
       true},
      {"LF line ends", "REGEDIT4\n\n[HKEY_LOCAL_MACHINE]\n\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"1\"\n\n",
       false},
      {"a comment", kHead + "; note\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\r\n", false},
      {"no empty line after the values",
       kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"1\"\r\n[HKEY_LOCAL_MACHINE\\B]\r\n\r\n", false},
      {"a short dword", kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=dword:2a\r\n\r\n", false},
      {"blanks around =", kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\"v\" = \"1\"\r\n\r\n", false},
      {"a backslash standing for itself",
       kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"a\\b\"\r\n\r\n", false},
      {"a value named twice",
       kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"1\"\r\n\"V\"=\"2\"\r\n\r\n", false},
      {"a key named twice",
       kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\r\n[HKEY_LOCAL_MACHINE\\a]\r\n\"v\"=\"1\"\r\n\r\n",
       false},
      {"a key whose parent has no line",
       kHead + "[HKEY_LOCAL_MACHINE\\A\\B]\r\n\"v\"=\"1\"\r\n\r\n", false},
      {"a key after a sibling's child, out of order",
       kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\r\n[HKEY_LOCAL_MACHINE\\B]\r\n\r\n"
               "[HKEY_LOCAL_MACHINE\\A\\C]\r\n\r\n",
       false},
      {"doubled backslashes in a path",
       kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\r\n[HKEY_LOCAL_MACHINE\\A\\\\B]\r\n\r\n", false},
      {"deletions", kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=-\r\n\r\n[-HKEY_LOCAL_MACHINE\\A]\r\n",
       false},
      {"no root block", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\r\n", false},
      {"the root name in another case", "REGEDIT4\r\n\r\n[hkey_local_machine]\r\n\r\n", false},
      {"a missing last empty line", kHead + "[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"1\"\r\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string text = c.text;
    std::unique_ptr<RegNode> indexed = IndexHiveText(&text, RegRoot::kLocalMachine);
    ASSERT_EQ(indexed != nullptr, c.indexed);
    std::unique_ptr<RegNode> whole = ParseHiveText(c.text, RegRoot::kLocalMachine, "system.reg");
    if (!indexed) {
      EXPECT_EQ(text, c.text);  // handed back untouched
      continue;
    }
    std::string written;
    WriteHiveText(*indexed, RegRoot::kLocalMachine, &written);
    EXPECT_EQ(written, c.text);
    EXPECT_EQ(Describe(*indexed), Describe(*whole));
  }
}

// A key's values made from its block, one peeked at, one changed: the
// changed key is written anew, every other block as it was read.
TEST(HiveIndexTest, AChangedKeyIsWrittenAnewAndTheOthersAsRead) {
  const std::string a = "[HKEY_LOCAL_MACHINE\\A]\r\n\"Class\"=\"Net\"\r\n\"x\"=hex:01\r\n\r\n";
  const std::string b = "[HKEY_LOCAL_MACHINE\\A\\B]\r\n\"CLASS\"=\"n\\\\t\"\r\n\r\n";
  const std::string c = "[HKEY_LOCAL_MACHINE\\C]\r\n\"class\"=dword:00000001\r\n\r\n";
  std::string text = kHead + a + b + c;
  std::unique_ptr<RegNode> tree = IndexHiveText(&text, RegRoot::kLocalMachine);
  ASSERT_NE(tree, nullptr);
  RegNode* keyA = tree->FindChild("A");
  RegNode* keyB = keyA->FindChild("b");
  RegNode* keyC = tree->FindChild("C");
  std::uint32_t type = 0;
  std::string data;
  ASSERT_TRUE(keyB->PeekValue("Class", &type, &data));
  EXPECT_EQ(data, "n\\t\0"s);
  ASSERT_TRUE(keyC->PeekValue("CLASS", &type, &data));
  EXPECT_EQ(type, 4u);
  EXPECT_FALSE(keyC->PeekValue("Driver", &type, &data));
  EXPECT_EQ(keyA->ValueCount(), 2u);
  EXPECT_FALSE(keyA->SetValue("class", 1, "Net\0"s));  // the same data: nothing changes
  ASSERT_TRUE(keyA->SetValue("x", 4, "\x02\0\0\0"s));
  std::string written;
  WriteHiveText(*tree, RegRoot::kLocalMachine, &written);
  EXPECT_EQ(written, kHead +
                         "[HKEY_LOCAL_MACHINE\\A]\r\n\"Class\"=\"Net\"\r\n\"x\"=dword:00000002\r\n"
                         "\r\n" +
                         b + c);
}

}  // namespace
}  // namespace zuba::platform::sim
