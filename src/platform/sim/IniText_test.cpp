#include "platform/sim/IniText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zuba::platform::sim {
namespace {

std::string ValueOf(const IniText& ini, const char* section, const char* key) {
  std::string_view value;
  return ini.Find(section, key, &value) ? std::string(value) : "<missing>";
}

TEST(IniTextTest, ReadsLinesAsWindowsDoes) {
  IniText ini(
      "orphan=before any section\r\n"
      "[ Sec ]trailing text\r\n"
      "  Key  =  spaced value \t\r\n"
      ";comment=no\r\n"
      "novalue\r\n"
      "empty=\n"
      "=nameless\r"
      "dup=first\r\n"
      "dup=second\r\n"
      "[sec]\r\n"
      "other=in the duplicate section\r\n"
      "[open\r\n"
      "k=in a header without bracket");
  EXPECT_EQ(ValueOf(ini, "sec", "key"), "spaced value");
  EXPECT_EQ(ValueOf(ini, " SEC ", " KEY "), "spaced value");  // arguments lose their spaces
  EXPECT_EQ(ValueOf(ini, "sec", "empty"), "");
  EXPECT_EQ(ValueOf(ini, "sec", "dup"), "first");
  EXPECT_EQ(ValueOf(ini, "sec", "novalue"), "<missing>");
  EXPECT_EQ(ValueOf(ini, "sec", ";comment"), "<missing>");
  EXPECT_EQ(ValueOf(ini, "sec", ""), "<missing>");
  EXPECT_EQ(ValueOf(ini, "sec", "other"), "<missing>");  // only the first section counts
  EXPECT_EQ(ValueOf(ini, "sec", "orphan"), "<missing>");
  EXPECT_EQ(ValueOf(ini, "open", "k"), "in a header without bracket");

  std::vector<std::string_view> names;
  ASSERT_TRUE(ini.KeyNames("SEC", &names));
  EXPECT_EQ(names, (std::vector<std::string_view>{"Key", "empty", "dup", "dup"}));
  EXPECT_FALSE(ini.KeyNames("missing", &names));
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string_view>{"Sec", "sec", "open"}));
}

// A section's first lookup scans its lines, later ones use an index: both
// find the same line whichever comes first.
TEST(IniTextTest, FirstAndLaterLookupsFindTheSameLine) {
  const char* text = "[s]\r\nA=1\r\na=2\r\nb=3\r\n\x82\x81=4\r\n";
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"a", "1"},        {"A", "1"}, {"B", "3"}, {"\x82\x81", "4"}, {"\x82\x60", "<missing>"},
      {"c", "<missing>"}};
  for (const auto& [key, expected] : cases) {
    IniText ini(text);
    EXPECT_EQ(ValueOf(ini, "s", key), expected) << key << " first";
    EXPECT_EQ(ValueOf(ini, "s", key), expected) << key << " again";
    for (const auto& [other, value] : cases) EXPECT_EQ(ValueOf(ini, "S", other), value) << other;
  }
}

// Only a "[" with nothing but blanks before it on its line opens a section:
// not one inside a value or after other text, not the trail byte of a
// double-byte character at a line's start, not a second header on a header
// line. Lines end in CR LF, LF or CR alone. Each section's lines are read
// when it is first looked into, in any order.
TEST(IniTextTest, HeadersAreFoundWhereverALineStarts) {
  const std::string text =
      "k=[no]\r\n"
      "[a] [b]\r"
      "x=1 [c]\n"
      " \t[d]\r\n"
      "text [e]\r\n"
      "\x83[f]\r\n"
      "y=2\r\r"
      "\f[g]";
  IniText ini(text);
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string_view>{"a", "d", "g"}));
  EXPECT_EQ(ValueOf(ini, "g", "x"), "<missing>");
  EXPECT_EQ(ValueOf(ini, "d", "y"), "2");
  EXPECT_EQ(ValueOf(ini, "a", "x"), "1 [c]");
  std::vector<std::string_view> names;
  ASSERT_TRUE(ini.KeyNames("d", &names));
  EXPECT_EQ(names, (std::vector<std::string_view>{"y"}));
  ASSERT_TRUE(ini.KeyNames("g", &names));
  EXPECT_TRUE(names.empty());
  // Edits of the last section and of one in the middle keep every other byte.
  EXPECT_EQ(ini.WithValue("g", "z", "3"), text + "\r\nz=3\r\n");
  bool changed = false;
  EXPECT_EQ(ini.WithoutSection("d", &changed), "k=[no]\r\n[a] [b]\rx=1 [c]\n\f[g]");
  EXPECT_TRUE(changed);
  EXPECT_EQ(ini.WithSection("a", {{"x", "1 [c]"}, {"w", "4"}}),
            "k=[no]\r\n[a] [b]\rx=1 [c]\nw=4\r\n \t[d]\r\ntext [e]\r\n\x83[f]\r\ny=2\r\r\f[g]");
}

TEST(IniTextTest, TrailBytesAreNeitherBracketsNorFolded) {
  // 0x83 0x5D has the trail byte ']'; 0x82 0x61 has the trail byte 'a'.
  IniText ini("[\x83\x5D]\r\nk\x82\x61=v1\r\n");
  EXPECT_EQ(ValueOf(ini, "\x83\x5D", "k\x82\x61"), "v1");
  EXPECT_EQ(ValueOf(ini, "\x83\x5D", "K\x82\x61"), "v1");
  EXPECT_EQ(ValueOf(ini, "\x83\x5D", "k\x82\x41"), "<missing>");  // the trail byte stays as it is
}

TEST(IniTextTest, StripsOnePairOfMatchingQuotes) {
  EXPECT_EQ(StripQuotes("\"a b\""), "a b");
  EXPECT_EQ(StripQuotes("' x'"), " x");
  EXPECT_EQ(StripQuotes("\"\"x\"\""), "\"x\"");
  EXPECT_EQ(StripQuotes("\"abc'"), "\"abc'");
  EXPECT_EQ(StripQuotes("\""), "\"");
  EXPECT_EQ(StripQuotes("\"\""), "");
}

TEST(IniTextTest, EditsKeepEveryOtherByte) {
  const std::string text = "; head\n[A]\r\n  x = 1\r\n\r\n;tail of A\r\n[B]\ry=2\r\n[C]\r\nz=3";
  IniText ini(text);
  EXPECT_EQ(ini.WithValue("a", "X", "new"),
            "; head\n[A]\r\nx=new\r\n\r\n;tail of A\r\n[B]\ry=2\r\n[C]\r\nz=3");
  EXPECT_EQ(ini.WithValue("A", "w", "4"),
            "; head\n[A]\r\n  x = 1\r\nw=4\r\n\r\n;tail of A\r\n[B]\ry=2\r\n[C]\r\nz=3");
  EXPECT_EQ(ini.WithValue(" C ", " v ", " 5 "), text + "\r\nv= 5 \r\n");
  EXPECT_EQ(ini.WithValue("D", "k", "v"), text + "\r\n[D]\r\nk=v\r\n");
  bool changed;
  EXPECT_EQ(ini.WithoutKey("b", "Y", &changed),
            "; head\n[A]\r\n  x = 1\r\n\r\n;tail of A\r\n[B]\r[C]\r\nz=3");
  EXPECT_TRUE(changed);
  EXPECT_EQ(ini.WithoutKey("b", "none", &changed), text);
  EXPECT_FALSE(changed);
  EXPECT_EQ(ini.WithoutSection("A", &changed), "; head\n;tail of A\r\n[B]\ry=2\r\n[C]\r\nz=3");
  EXPECT_TRUE(changed);
  EXPECT_EQ(ini.WithoutSection("c", &changed),
            "; head\n[A]\r\n  x = 1\r\n\r\n;tail of A\r\n[B]\ry=2\r\n");
  EXPECT_EQ(IniText("").WithValue("S", "k", "v"), "[S]\r\nk=v\r\n");
  EXPECT_EQ(IniText("[S]").WithValue("S", "k", "v"), "[S]\r\nk=v\r\n");
}

TEST(IniTextTest, SectionReplacedKeyLineByKeyLine) {
  using Entries = std::vector<std::pair<std::string, std::string>>;
  const std::string text = "[A]\r\n;about x\r\n x = 1\r\nnote\r\ny=2\r\n\r\n;end\r\n[B]\r\nz=3";
  IniText ini(text);
  // Same keys: every other byte stays, as writing key by key; an unchanged
  // line keeps its blanks.
  EXPECT_EQ(ini.WithSection("a", Entries{{"x", "1"}, {"y", "8"}}),
            "[A]\r\n;about x\r\n x = 1\r\nnote\r\ny=8\r\n\r\n;end\r\n[B]\r\nz=3");
  EXPECT_EQ(ini.WithSection("a", Entries{{"x", "9"}, {"y", "2"}}),
            "[A]\r\n;about x\r\nx=9\r\nnote\r\ny=2\r\n\r\n;end\r\n[B]\r\nz=3");
  // More entries: the rest after the last line with text.
  EXPECT_EQ(ini.WithSection("A", Entries{{"x", "1"}, {"y", "2"}, {"w", "4"}}),
            "[A]\r\n;about x\r\n x = 1\r\nnote\r\ny=2\r\nw=4\r\n\r\n;end\r\n[B]\r\nz=3");
  // Fewer: the key lines left over go, comments and text lines stay.
  EXPECT_EQ(ini.WithSection("A", Entries{{"k", "v"}}),
            "[A]\r\n;about x\r\nk=v\r\nnote\r\n\r\n;end\r\n[B]\r\nz=3");
  EXPECT_EQ(ini.WithSection("A", Entries{}), "[A]\r\n;about x\r\nnote\r\n\r\n;end\r\n[B]\r\nz=3");
  // The last section without a final line break, and a missing one.
  EXPECT_EQ(ini.WithSection("b", Entries{{"z", "3"}, {"q", "4"}}),
            "[A]\r\n;about x\r\n x = 1\r\nnote\r\ny=2\r\n\r\n;end\r\n[B]\r\nz=3\r\nq=4\r\n");
  EXPECT_EQ(ini.WithSection("C", Entries{{"k", "v"}}), text + "\r\n[C]\r\nk=v\r\n");
  EXPECT_EQ(IniText("[S]").WithSection("S", Entries{{"k", "v"}}), "[S]\r\nk=v\r\n");
  EXPECT_EQ(IniText("[S]\r\n[T]\r\n").WithSection("s", Entries{{"k", "v"}}),
            "[S]\r\nk=v\r\n[T]\r\n");
}

TEST(IniTextTest, ReadsAnyBytes) {
  std::string text = "[s]\r\nk=";
  text += std::string("\0\x01\xff\x81", 4);
  text += std::string(100000, 'x');
  text += "\r\n\x81";  // a lone lead byte at the very end
  IniText ini(text);
  std::string_view value;
  ASSERT_TRUE(ini.Find("s", "k", &value));
  EXPECT_EQ(value.size(), 4u + 100000u);
}

// Thousands of sections, each found by its name in any case; of sections
// whose names differ only in case, the first; names that are no section's,
// not found.
TEST(IniTextTest, FindsEachOfManySectionsAndOnlyTheFirstOfAName) {
  std::string text;
  for (int i = 0; i < 3000; ++i)
    text += "[Setting" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
  for (int i = 0; i < 3000; i += 7) text += "[SETTING" + std::to_string(i) + "]\r\nk=late\r\n";
  const IniText ini(text);
  for (int i = 0; i < 3000; ++i) {
    const std::string name = "setting" + std::to_string(i);
    ASSERT_EQ(ValueOf(ini, name.c_str(), "K"), std::to_string(i)) << name;
  }
  for (const char* missing : {"setting3000", "setting", "Setting0x", ""}) {
    EXPECT_EQ(ValueOf(ini, missing, "k"), "<missing>") << missing;
  }
  EXPECT_EQ(ini.SectionNames().size(), 3000u + 429u);
}

// Everything a parse tells: each section's entries, each entry found by its
// name twice (a scan, then the index), and where an edit of each section
// goes (which shows where the parse puts its lines and its end).
std::string Reading(const IniText& ini) {
  std::vector<std::string_view> names = ini.SectionNames();
  names.push_back("absent");
  std::string out;
  for (std::string_view name : names) {
    out += "[" + std::string(name) + "]";
    std::vector<std::pair<std::string_view, std::string_view>> entries;
    if (!ini.Entries(name, &entries)) continue;
    for (const auto& [key, value] : entries) {
      std::string_view found;
      for (int pass = 0; pass < 2; ++pass)
        out += ini.Find(name, key, &found) ? std::string(found) : "<missing>";
      out += "|" + std::string(key) + "=" + std::string(value);
    }
    bool changed = false;
    out += ini.WithValue(name, "new", "v") + ini.WithoutSection(name, &changed);
  }
  return out;
}

std::string Splice(std::string text, std::string_view at, std::size_t erase,
                   std::string_view insert) {
  const std::size_t pos = text.find(at);
  return pos == std::string::npos ? "<no " + std::string(at) + ">"
                                  : text.replace(pos, erase, insert);
}

// A text made from an edit of another reads as the same text parsed afresh,
// whether the sections of the one before were read or not, and after a
// chain of edits; the edits are the program's own and changes of any bytes
// that make, move and unmake header lines.
TEST(IniTextTest, TextMadeFromAnEditReadsAsParsedAfresh) {
  const std::string base = std::string(
                               "lead=1\r\n"
                               "[First]\r\n"
                               "a=1\r\n"
                               "b=2\r"
                               "  [Second] tail\n"
                               "x=1\n"
                               "y=") +
                           std::string("\0zero", 5) +
                           "\r\n"
                           "; note\r\n"
                           "[first]\r\n"
                           "a=dup\r\n"
                           "[Third]\r\n"
                           "k=v\r\n"
                           "[Last]";
  using Edit = std::function<std::string(const IniText&)>;
  bool changed = false;
  const std::vector<std::pair<const char*, Edit>> edits = {
      {"value of a key", [](const IniText& t) { return t.WithValue("second", "x", "longer"); }},
      {"new key", [](const IniText& t) { return t.WithValue("First", "c", "3"); }},
      {"new section", [](const IniText& t) { return t.WithValue("Fourth", "n", "1"); }},
      {"key after a header without break",
       [](const IniText& t) { return t.WithValue("Last", "n", "1"); }},
      {"section written with more",
       [](const IniText& t) {
         return t.WithSection("Second", {{"x", "1"}, {"z", "9"}, {"w", ""}});
       }},
      {"section written with fewer",
       [](const IniText& t) {
         return t.WithSection("first", {{"b", "2"}});
       }},
      {"key removed", [&](const IniText& t) { return t.WithoutKey("Third", "k", &changed); }},
      {"first section removed",
       [&](const IniText& t) { return t.WithoutSection("First", &changed); }},
      {"middle section removed",
       [&](const IniText& t) { return t.WithoutSection("Second", &changed); }},
      {"last section removed",
       [&](const IniText& t) { return t.WithoutSection("Last", &changed); }},
      {"nothing changed", [](const IniText& t) { return t.content(); }},
      {"emptied", [](const IniText&) { return std::string(); }},
      {"header joined to the line before",
       [](const IniText& t) { return Splice(t.content(), "\r  [Second]", 1, "x"); }},
      {"header's bracket changed",
       [](const IniText& t) { return Splice(t.content(), "[Third]", 1, "x"); }},
      {"indented header's bracket changed",
       [](const IniText& t) { return Splice(t.content(), "[Second]", 1, "x"); }},
      {"bracket made a header",
       [](const IniText& t) { return Splice(t.content(), "k=v", 0, "\r\n[k]"); }},
      {"header put first", [](const IniText& t) { return "[new]\r\n" + t.content(); }},
      {"CR made CR LF before a header",
       [](const IniText& t) { return Splice(t.content(), "\r  [Second]", 1, "\r\n"); }},
      {"line break taken out after a header",
       [](const IniText& t) { return Splice(t.content(), "\r\nk=v", 2, ""); }},
      {"bytes after the last header", [](const IniText& t) { return t.content() + "]x\r\nq=1"; }},
      {"header inside a section",
       [](const IniText& t) { return Splice(t.content(), "x=1", 0, "[Mid]\r\n"); }},
  };
  for (const auto& [name, edit] : edits) {
    const IniText cold(base), warm(base);
    Reading(warm);
    const std::string edited = edit(cold);
    const IniText fresh(edited), fromCold(cold, edited), fromWarm(warm, edited);
    const std::string expected = Reading(fresh);
    EXPECT_EQ(Reading(fromCold), expected) << name;
    EXPECT_EQ(Reading(fromWarm), expected) << name;
    EXPECT_EQ(fromWarm.content(), edited) << name;
    // One edit after another, each made on the text the last one made.
    const std::string twice = edit(fromWarm);
    EXPECT_EQ(Reading(IniText(fromWarm, twice)), Reading(IniText(twice))) << name;
  }
}

}  // namespace
}  // namespace zuba::platform::sim
