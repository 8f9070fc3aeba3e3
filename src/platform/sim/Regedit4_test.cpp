#include "platform/sim/Regedit4.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zuba::platform::sim {
namespace {

// Records what the parser delivers as one line of text per call.
class Recorder : public Regedit4Sink {
 public:
  const char* OnKey(int line, RegRoot root, std::string_view path, bool remove) override {
    calls.push_back(std::to_string(line) + (remove ? " -key " : " key ") +
                    std::string(RegRootName(root)) + "|" + std::string(path));
    return nullptr;
  }
  const char* OnValue(int line, std::string_view name, std::uint32_t type,
                      std::string_view data) override {
    calls.push_back(std::to_string(line) + " value " + std::string(name) + "|" +
                    std::to_string(type) + "|" + std::string(data));
    return nullptr;
  }
  const char* OnRemoveValue(int line, std::string_view name) override {
    calls.push_back(std::to_string(line) + " -value " + std::string(name));
    return nullptr;
  }
  std::vector<std::string> calls;
};

std::vector<std::string> Parse(const std::string& text) {
  Recorder recorder;
  Regedit4Error error;
  EXPECT_TRUE(ParseRegedit4(text, recorder, &error)) << error.line << ": " << error.message;
  return recorder.calls;
}

Regedit4Error ParseError(const std::string& text) {
  Recorder recorder;
  Regedit4Error error;
  EXPECT_FALSE(ParseRegedit4(text, recorder, &error)) << text;
  return error;
}

using Calls = std::vector<std::string>;
using namespace std::string_literals;

TEST(Regedit4Test, ReadsEveryValueKind) {
  EXPECT_EQ(Parse("REGEDIT4\r\n"
                  "\r\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
                  "\"Str\"=\"C:\\\\WIN \\\"q\\\"\"\r\n"
                  "@=\"default\"\r\n"
                  "\"D\"=dword:0000002a\r\n"
                  "\"Short\" = dword:1\r\n"
                  "\"Bin\"=hex:01,ff,0A\r\n"
                  "\"Exp\"=hex(2):25,00\r\n"
                  "\"Empty\"=hex:\r\n"
                  "\"Gone\"=-\r\n"
                  "[-HKEY_CURRENT_USER\\Old]\r\n"),
            (Calls{"3 key HKEY_LOCAL_MACHINE|Software\\A", "4 value Str|1|C:\\WIN \"q\"\0"s,
                   "5 value |1|default\0"s, "6 value D|4|*\0\0\0"s, "7 value Short|4|\x01\0\0\0"s,
                   "8 value Bin|3|\x01\xff\x0a", "9 value Exp|2|%\0"s, "10 value Empty|3|",
                   "11 -value Gone", "12 -key HKEY_CURRENT_USER|Old"}));
}

TEST(Regedit4Test, ExpandAndMultiStringsGetTheirTerminatingZero) {
  // As on import, so a hive written by hand loads as an import would.
  EXPECT_EQ(Parse("REGEDIT4\r\n[HKEY_CURRENT_USER]\r\n"
                  "\"E\"=hex(2):41\r\n\"M\"=hex(7):61,00,62\r\n\"Z\"=hex(2):\r\n"
                  "\"Done\"=hex(7):61,00,00\r\n\"B\"=hex(3):41\r\n"),
            (Calls{"2 key HKEY_CURRENT_USER|", "3 value E|2|A\0"s, "4 value M|7|a\0b\0"s,
                   "5 value Z|2|\0"s, "6 value Done|7|a\0\0"s, "7 value B|3|A"}));
}

TEST(Regedit4Test, TrailByte5CIsNeitherEscapeNorSeparator) {
  // "ソ" is 83 5C: its second byte must not escape the closing quote, nor
  // split the key name.
  EXPECT_EQ(Parse("REGEDIT4\n[HKEY_LOCAL_MACHINE\\ソフト\\表示]\n\"ソ\"=\"ソ\"\n"),
            (Calls{"2 key HKEY_LOCAL_MACHINE|ソフト\\表示", "3 value ソ|1|ソ\0"s}));
}

TEST(Regedit4Test, ContinuationLinesCommentsAndStrayLines) {
  EXPECT_EQ(Parse("REGEDIT4\n"
                  "; comment\n"
                  "#stray line\n"
                  "[HKEY_LOCAL_MACHINE\\K] ; trailing\n"
                  "\"B\"=hex:01,02,\\\n"
                  "  03,04,\\\n"
                  "\t05 ; end\n"
                  "  \"S\"=\"x;y\" ; comment\n"),
            (Calls{"4 key HKEY_LOCAL_MACHINE|K", "5 value B|3|\x01\x02\x03\x04\x05",
                   "8 value S|1|x;y\0"s}));
}

TEST(Regedit4Test, RefusesMalformedLinesWithTheirNumber) {
  struct Case {
    std::string text;
    int line;
  } cases[] = {
      {"", 1},
      {"REGEDIT\n[HKEY_LOCAL_MACHINE\\A]\n", 1},
      {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A\n", 3},
      {"REGEDIT4\n[HKEY_NOWHERE\\A]\n", 2},
      {"REGEDIT4\n\"A\"=\"B\"\n", 2},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=\"B\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=dword:123456789\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=dword:\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=hex:01,\\\n  0g\n", 4},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=hex:012\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=hex(2:00\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\" \"B\"\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=\"B\" C\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=text\n", 3},
      {"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\A]\n\"A\"=\"B\"\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\x83]\n", 2},  // key name ending in a lead byte
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\0\"=\"B\"\n"s, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseError(c.text).line, c.line) << c.text;
  }
  EXPECT_EQ(ParseError("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"A\"=dword:123456789\n").message,
            "invalid dword value");
}

TEST(Regedit4Test, WritesAsTheRegistryEditorDoes) {
  std::string out;
  AppendRegedit4Header(&out);
  AppendKeyLine(&out, "HKEY_LOCAL_MACHINE\\ソ");
  EXPECT_TRUE(AppendValueLine(&out, "", 1, "a\\b\"ソ\0"s));
  EXPECT_TRUE(AppendValueLine(&out, "D", 4, "\x2a\0\0\x80"s));
  EXPECT_TRUE(AppendValueLine(&out, "M", 7, "a\0b\0\0"s));
  EXPECT_TRUE(AppendValueLine(&out, "Odd", 1, "line\r\n\0"s));  // a string cannot hold CR LF
  EXPECT_TRUE(AppendValueLine(&out, "W", 4, "\x01"s));          // not four bytes
  EXPECT_TRUE(AppendRemoveValueLine(&out, "R"));
  EXPECT_FALSE(AppendValueLine(&out, "bad\nname", 1, "x\0"s));
  EXPECT_EQ(out,
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\ソ]\r\n"
            "@=\"a\\\\b\\\"ソ\"\r\n"
            "\"D\"=dword:8000002a\r\n"
            "\"M\"=hex(7):61,00,62,00,00\r\n"
            "\"Odd\"=hex(1):6c,69,6e,65,0d,0a,00\r\n"
            "\"W\"=hex(4):01\r\n"
            "\"R\"=-\r\n");
}

TEST(Regedit4Test, WrapsLongHexDataNearEightyColumns) {
  std::string out;
  AppendValueLine(&out, "Settings", 3, std::string(60, '\xab'));
  // 15 columns of name and prefix, then bytes until column 77; continuation
  // lines hold 25 bytes after two blanks.
  std::string first = "\"Settings\"=hex:";
  for (int i = 0; i < 21; ++i) first += "ab,";
  std::string second = "  ";
  for (int i = 0; i < 25; ++i) second += "ab,";
  std::string third = "  ";
  for (int i = 0; i < 13; ++i) third += "ab,";
  third += "ab";
  EXPECT_EQ(out, first + "\\\r\n" + second + "\\\r\n" + third + "\r\n");
  Recorder recorder;
  Regedit4Error error;
  ASSERT_TRUE(ParseRegedit4("REGEDIT4\r\n[HKEY_CURRENT_USER]\r\n" + out, recorder, &error));
  EXPECT_EQ(recorder.calls.back(), "3 value Settings|3|" + std::string(60, '\xab'));
}

TEST(Regedit4Test, WrittenValuesReadBackUnchanged) {
  const std::string strings[] = {
      "",      "plain",    "ソ", "\\\\server\\share", "\"quoted\"", "ends in lead \x83",
      "x\0y"s, "tab\there"};
  for (const std::string& s : strings) {
    for (std::uint32_t type : {1u, 2u, 3u, 7u, 0x12345u}) {
      std::string data = s + '\0';
      std::string text = "REGEDIT4\r\n[HKEY_CURRENT_USER]\r\n";
      ASSERT_TRUE(AppendValueLine(&text, s == "x\0y"s ? "n" : s, type, data));
      Recorder recorder;
      Regedit4Error error;
      ASSERT_TRUE(ParseRegedit4(text, recorder, &error)) << text;
      EXPECT_EQ(recorder.calls.back(),
                "3 value " + (s == "x\0y"s ? "n"s : s) + "|" + std::to_string(type) + "|" + data)
          << text;
    }
  }
}

}  // namespace
}  // namespace zuba::platform::sim
