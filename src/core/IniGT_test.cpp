#include "core/IniGT.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "system/Errors.h"
#include "testing/TempMachine.h"

namespace zuba::core {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kIniPath[] = "C:\\ZUBANET\\Zubanet.ini";

// A store as the program's forms make it: ddApplication, fnNone, no name,
// then the end of loading.
class IniGTTest : public ::testing::Test {
 protected:
  IniGTTest() : ini_(machine_.profiles(), machine_.files()) { ini_.Loaded(); }

  void StoreFile(const std::string& content) {
    ASSERT_TRUE(machine_.files().WriteBytes(kIniPath, content));
  }
  std::string FileText() {
    std::string content;
    machine_.files().ReadBytes(kIniPath, &content);
    return content;
  }

  testing::TempMachine machine_;
  TIniGT ini_;
};

// --- Where the file is ------------------------------------------------------

TEST(IniGTNameTest, DefaultFileNameFollowsTheProgramName) {
  EXPECT_EQ(TIniGT::DefaultFileName("C:\\ZUBANET\\ZUBANET.EXE"), "Zubanet.ini");
  EXPECT_EQ(TIniGT::DefaultFileName("C:\\ZUBANET\\zubanet.exe"), "Zubanet.ini");
  EXPECT_EQ(TIniGT::DefaultFileName("C:\\A.B\\NET.V2.EXE"), "Net.v2.ini");
  EXPECT_EQ(TIniGT::DefaultFileName("C:\\APPS\\ZUBANET"), "Zubanet.ini");
  EXPECT_EQ(TIniGT::DefaultFileName("C:\\APPS\\1NET.EXE"), "1net.ini");
  // The second bytes of ア (83 41) and ソ (83 5C) are no letters or separators.
  EXPECT_EQ(TIniGT::DefaultFileName("C:\\ソフト\\アA.EXE"), "アa.ini");
}

TEST_F(IniGTTest, PathFollowsDefaultDirAndFileName) {
  EXPECT_EQ(ini_.FileName(), "Zubanet.ini");
  EXPECT_EQ(ini_.Path(), kIniPath);

  ini_.SetFileName("other.ini");
  EXPECT_EQ(ini_.Path(), "C:\\ZUBANET\\other.ini");
  ini_.SetDefaultDir(ddWindows);
  EXPECT_EQ(ini_.Path(), "C:\\WINDOWS\\other.ini");
  ini_.SetDefaultDir(ddNone);
  EXPECT_EQ(ini_.Path(), "other.ini");

  // A directory part, up to the last "\" or ":", is kept whatever DefaultDir.
  for (TIniGTDefaultDir dir : {ddApplication, ddWindows, ddNone}) {
    ini_.SetDefaultDir(dir);
    ini_.SetFileName("D:\\DATA\\x.ini");
    EXPECT_EQ(ini_.Path(), "D:\\DATA\\x.ini");
    ini_.SetFileName("D:x.ini");
    EXPECT_EQ(ini_.Path(), "D:x.ini");
  }
}

// A machine whose Windows directory is whatever the test says.
class WindowsDirFiles : public platform::FilesWrapper {
 public:
  WindowsDirFiles(platform::Files& target, std::string dir)
      : FilesWrapper(target), dir_(std::move(dir)) {}
  std::string WindowsDirectory() override { return dir_; }

 private:
  std::string dir_;
};

// The path of a bare name under ddWindows on a machine whose Windows
// directory is `dir`.
std::string PathUnderWindowsDir(testing::TempMachine& machine, const std::string& dir) {
  WindowsDirFiles files(machine.files(), dir);
  TIniGT store(machine.profiles(), files);
  store.SetDefaultDir(ddWindows);
  store.SetFileName("x.ini");
  return store.Path();
}

TEST_F(IniGTTest, WindowsDirectoryThroughItsBuffer) {
  EXPECT_EQ(PathUnderWindowsDir(machine_, "C:\\"), "C:\\x.ini");
  // A directory ending in ソ (83 5C) still needs its backslash.
  EXPECT_EQ(PathUnderWindowsDir(machine_, "C:\\ソ"), "C:\\ソ\\x.ini");
  // 149 bytes fit the 150-byte buffer; 150 do not, and the bare name is left
  // to the platform, which places it in the Windows directory itself.
  const std::string fits = "C:\\" + std::string(146, 'W');
  EXPECT_EQ(PathUnderWindowsDir(machine_, fits), fits + "\\x.ini");
  EXPECT_EQ(PathUnderWindowsDir(machine_, fits + "W"), "x.ini");
}

TEST_F(IniGTTest, BareNameUnderDdNoneLandsInTheWindowsDirectory) {
  TIniGT bare(machine_.profiles(), machine_.files());
  bare.SetDefaultDir(ddNone);
  bare.SetFileName("bare.ini");
  bare.WriteText("S", "k", "v");
  TIniGT windows(machine_.profiles(), machine_.files());
  windows.SetFileName("C:\\WINDOWS\\BARE.INI");
  EXPECT_EQ(windows.ReadText("S", "k", ""), "v");
}

// --- Design state -----------------------------------------------------------

class RecordingDesigner : public TIniGTDesigner {
 public:
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
  std::vector<std::string> warnings;
};

TEST_F(IniGTTest, DesignStateFenceRules) {
  RecordingDesigner designer;
  TIniGT designed(machine_.profiles(), machine_.files(), &designer);
  EXPECT_TRUE(designed.FenceNotStreamed());
  designed.Loaded();  // a description without Fence
  EXPECT_EQ(designed.Fence(), fnVer11Mode);
  EXPECT_TRUE(designed.FileName().empty());  // no default name at design time
  EXPECT_THAT(designer.warnings, IsEmpty());

  designed.SetFence(fnVer11Mode);
  EXPECT_FALSE(designed.FenceNotStreamed());
  EXPECT_THAT(designer.warnings, IsEmpty());
  designed.SetFence(fnNone);
  EXPECT_EQ(designed.Fence(), fnNone);
  ASSERT_EQ(designer.warnings.size(), 1u);
  EXPECT_EQ(designer.warnings[0],
            "fnVer11Mode以外の値にすると、TIniGTのVer1.0とVer1.1で書き込んだﾌｧｲﾙを正しく読めない事"
            "があります。");
  designed.SetFence(fnDoubleQuote);  // leaving a value other than fnVer11Mode
  EXPECT_EQ(designer.warnings.size(), 1u);

  // A streamed Fence stays, also when it keeps the initial value.
  TIniGT streamed(machine_.profiles(), machine_.files(), &designer);
  streamed.SetFence(fnNone);
  streamed.Loaded();
  EXPECT_EQ(streamed.Fence(), fnNone);

  // At run time nothing of this happens.
  TIniGT running(machine_.profiles(), machine_.files());
  running.Loaded();
  EXPECT_EQ(running.Fence(), fnNone);
  running.SetFence(fnVer11Mode);
  running.SetFence(fnNone);
  EXPECT_EQ(running.FileName(), "Zubanet.ini");
}

// --- Values -----------------------------------------------------------------

TEST_F(IniGTTest, FencesWrapOnWritingAndUnwrapOnePairOnReading) {
  const std::string open = "\xA2";
  const std::string close = "\xA3";
  ini_.SetFence(fnDoubleQuote);
  ini_.WriteText("S", "empty", "");
  ini_.WriteText("S", "q", "a\"b");
  ini_.SetFence(fnVer11Mode);
  ini_.WriteText("S", "v", "text");
  EXPECT_NE(FileText().find("empty=\"\"\r\n"), std::string::npos);
  EXPECT_NE(FileText().find("v=" + open + "text" + close + "\r\n"), std::string::npos);

  StoreFile("[S]\r\nquoted=\"x\"\r\nbracketed=" + open + "x" + close + "\r\nboth=" + open +
            "\"x\"" + close + "\r\nlone=\"\r\nempty=\"\"\r\ntwice=\"\"x\"\"\r\n");
  struct Case {
    TIniGTFence fence;
    const char* key;
    std::string expected;
  };
  const Case cases[] = {
      // The platform itself removes one pair of quotes before the store sees them.
      {fnDoubleQuote, "quoted", "x"},
      {fnParenthesis, "quoted", "x"},
      {fnVer11Mode, "bracketed", "x"},
      {fnParenthesis, "bracketed", "x"},
      {fnDoubleQuote, "bracketed", open + "x" + close},
      {fnNone, "bracketed", open + "x" + close},
      // The platform leaves "x" of ""x"": only the quote fences take that pair.
      {fnDoubleQuote, "twice", "x"},
      {fnVer11Mode, "twice", "x"},
      {fnParenthesis, "twice", "\"x\""},
      {fnNone, "twice", "\"x\""},
      // At most one pair goes.
      {fnVer11Mode, "both", "\"x\""},
      {fnDoubleQuote, "empty", ""},
      {fnDoubleQuote, "lone", "\""},
      {fnParenthesis, "lone", "\""},
      {fnVer11Mode, "lone", "\""},
      {fnNone, "lone", "\""},
  };
  for (const Case& c : cases) {
    ini_.SetFence(c.fence);
    EXPECT_EQ(ini_.ReadText("S", c.key, "def"), c.expected) << c.key << " fence " << c.fence;
  }
  for (TIniGTFence fence : {fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone}) {
    ini_.SetFence(fence);
    EXPECT_EQ(ini_.ReadText("S", "missing", "def"), "def") << fence;
    EXPECT_EQ(ini_.ReadText("Missing", "k", "def"), "def") << fence;
  }
}

TEST_F(IniGTTest, NumbersAndFlags) {
  StoreFile(
      "[N]\r\nhex=0x1F\r\nHEX=0X1f\r\nbare=0x\r\ndollar=$1F\r\nneg=-12\r\nplus=+7\r\n"
      "max=2147483647\r\nover=2147483648\r\nmin=-2147483648\r\nunder=-2147483649\r\n"
      "bigHex=0x80000000\r\nnegHex=-$10\r\nword=yes\r\ntrailing=12abc\r\nempty=\r\n"
      "two=2\r\nminusOne=-1\r\nzero=0\r\n");
  EXPECT_EQ(ini_.ReadNumber("N", "hex", 5), 31);
  EXPECT_EQ(ini_.ReadNumber("N", "HEX", 5), 31);  // the first of the two, names match in any case
  EXPECT_EQ(ini_.ReadNumber("N", "bare", 5), 5);
  EXPECT_EQ(ini_.ReadNumber("N", "dollar", 5), 31);
  EXPECT_EQ(ini_.ReadNumber("N", "neg", 5), -12);
  EXPECT_EQ(ini_.ReadNumber("N", "plus", 5), 7);
  EXPECT_EQ(ini_.ReadNumber("N", "max", 5), 2147483647);
  EXPECT_EQ(ini_.ReadNumber("N", "over", 5), 5);
  EXPECT_EQ(ini_.ReadNumber("N", "min", 5), -2147483647 - 1);
  EXPECT_EQ(ini_.ReadNumber("N", "under", 5), 5);
  EXPECT_EQ(ini_.ReadNumber("N", "bigHex", 5), 5);
  EXPECT_EQ(ini_.ReadNumber("N", "negHex", 5), -16);
  EXPECT_EQ(ini_.ReadNumber("N", "trailing", 5), 5);
  EXPECT_EQ(ini_.ReadNumber("N", "empty", 5), 5);
  EXPECT_EQ(ini_.ReadNumber("N", "missing", 5), 5);

  EXPECT_TRUE(ini_.ReadFlag("N", "two", false));
  EXPECT_TRUE(ini_.ReadFlag("N", "minusOne", false));
  EXPECT_FALSE(ini_.ReadFlag("N", "zero", true));
  EXPECT_TRUE(ini_.ReadFlag("N", "word", true));
  EXPECT_FALSE(ini_.ReadFlag("N", "word", false));

  ini_.WriteNumber("W", "n", -2147483647 - 1);
  ini_.WriteFlag("W", "on", true);
  ini_.WriteFlag("W", "off", false);
  EXPECT_NE(FileText().find("[W]\r\nn=-2147483648\r\non=1\r\noff=0\r\n"), std::string::npos);

  // A sign belongs before the hexadecimal prefix, never after it.
  StoreFile("[H]\r\na=0x-1F\r\nb=$-1F\r\nc=0x+1F\r\nd=$+1F\r\ne=-$1F\r\nf=+$1F\r\n");
  for (const char* key : {"a", "b", "c", "d"}) EXPECT_EQ(ini_.ReadNumber("H", key, 5), 5) << key;
  EXPECT_EQ(ini_.ReadNumber("H", "e", 5), -31);
  EXPECT_EQ(ini_.ReadNumber("H", "f", 5), 31);
}

TEST_F(IniGTTest, LongValuesComeBackCut) {
  ini_.WriteText("S", "long", std::string(3000, 'v'));
  EXPECT_EQ(ini_.ReadText("S", "long", ""), std::string(2047, 'v'));
}

// --- Lists and positions ----------------------------------------------------

TEST_F(IniGTTest, TextListsFollowTheCountAndTheTargetsItems) {
  std::vector<std::string> list = {"kept"};
  ini_.ReadTextList("L", "absent", &list);
  EXPECT_THAT(list, ElementsAre("kept"));

  StoreFile(
      "[L]\r\nthree.Count=3\r\nthree.0=stored\r\nzero.Count=0\r\nzero.0=x\r\n"
      "neg.Count=-4\r\nhuge.Count=2147483647\r\n");
  list = {"own0", "own1"};
  ini_.ReadTextList("L", "three", &list);
  EXPECT_THAT(list, ElementsAre("stored", "own1", ""));
  list = {"own"};
  ini_.ReadTextList("L", "zero", &list);
  EXPECT_THAT(list, IsEmpty());
  list = {"own"};
  ini_.ReadTextList("L", "neg", &list);
  EXPECT_THAT(list, IsEmpty());
  // A wild count neither hangs nor exhausts memory.
  ini_.ReadTextList("L", "huge", &list);
  EXPECT_EQ(list.size(), static_cast<std::size_t>(TIniGT::kMaxListCount));

  ini_.WriteTextList("W", "N", {"a", "b", "c", "d", "e"});
  ini_.WriteTextList("W", "N", {"x", "y"});
  EXPECT_NE(FileText().find("[W]\r\nN.Count=2\r\nN.0=x\r\nN.1=y\r\nN.2=c\r\nN.3=d\r\nN.4=e\r\n"),
            std::string::npos);
  list.clear();
  ini_.ReadTextList("W", "N", &list);
  EXPECT_THAT(list, ElementsAre("x", "y"));

  // Items are wrapped; the count is not.
  ini_.SetFence(fnDoubleQuote);
  ini_.WriteTextList("Q", "N", {""});
  EXPECT_NE(FileText().find("[Q]\r\nN.Count=1\r\nN.0=\"\"\r\n"), std::string::npos);
}

class Box : public TPositioned {
 public:
  Box(int left, int top) : left_(left), top_(top) {}
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  void SetLeft(int left) override { left_ = left; }
  void SetTop(int top) override { top_ = top; }

 private:
  int left_;
  int top_;
};

TEST_F(IniGTTest, PositionsKeepLeftAndTop) {
  Box box(10, 20);
  ini_.ReadPosition("P", "Win", &box);
  EXPECT_EQ(box.Left(), 10);
  EXPECT_EQ(box.Top(), 20);

  ini_.WritePosition("P", "Win", Box(-8, 300));
  EXPECT_NE(FileText().find("[P]\r\nWin.X=-8\r\nWin.Y=300\r\n"), std::string::npos);
  StoreFile("[P]\r\nWin.Y=0x10\r\n");
  ini_.ReadPosition("P", "Win", &box);
  EXPECT_EQ(box.Left(), 10);
  EXPECT_EQ(box.Top(), 16);
}

// --- Sections ---------------------------------------------------------------

TEST_F(IniGTTest, KeyNamesAndKeyValues) {
  StoreFile("[S]\r\nb=2\r\nA=1\r\nempty=\r\nquoted=\"q\"\r\nb=dup\r\n[T]\r\nx=\r\n");
  std::vector<std::string> names = {"stale"};
  ini_.ReadKeyNames("S", &names);
  EXPECT_THAT(names, ElementsAre("b", "A", "empty", "quoted", "b"));
  ini_.ReadKeyNames("missing", &names);
  EXPECT_THAT(names, IsEmpty());

  std::vector<std::string> lines = {"a=old", "EMPTY=gone", "keep=me"};
  ini_.ReadKeyValues("S", &lines);
  EXPECT_THAT(lines, ElementsAre("A=1", "keep=me", "b=2", "quoted=q"));

  // An empty value removes only the first entry of its name.
  lines = {"x=1", "X=2"};
  ini_.ReadKeyValues("T", &lines);
  EXPECT_THAT(lines, ElementsAre("X=2"));
  // An entry without "=" has no name: a key never takes its place.
  lines = {"b", "quoted"};
  ini_.ReadKeyValues("S", &lines);
  EXPECT_THAT(lines, ElementsAre("b", "quoted", "b=2", "A=1", "quoted=q"));
}

// A section of `count` keys, 13 bytes each with their zero byte.
std::string BigSection(int count) {
  std::string content = "[Big]\r\n";
  for (int i = 0; i < count; ++i) content += "Setting" + std::to_string(10000 + i) + "=0000\r\n";
  return content;
}

TEST_F(IniGTTest, KeyNamesBeyondTheFirstBufferAreListed) {
  StoreFile(BigSection(2000));  // 26,000 bytes of names
  std::vector<std::string> names;
  EXPECT_TRUE(ini_.ReadKeyNames("Big", &names));
  ASSERT_EQ(names.size(), 2000u);
  EXPECT_EQ(names.back(), "Setting11999");

  // Windows 9x lists at most 32 KB: the names that came whole, and a warning.
  StoreFile(BigSection(3000));
  EXPECT_FALSE(ini_.ReadKeyNames("Big", &names));
  ASSERT_EQ(names.size(), 32765u / 13);
  EXPECT_EQ(names.back(), "Setting" + std::to_string(10000 + 32765 / 13 - 1));
  std::vector<std::string> lines;
  EXPECT_FALSE(ini_.ReadKeyValues("Big", &lines));
  EXPECT_EQ(lines.size(), names.size());
}

TEST_F(IniGTTest, DeleteSectionRemovesOnlyThatSection) {
  StoreFile("[A]\r\nk=1\r\n[B]\r\nk=2\r\n");
  ini_.DeleteSection("a");
  EXPECT_EQ(ini_.ReadText("A", "k", "gone"), "gone");
  EXPECT_EQ(ini_.ReadText("B", "k", ""), "2");
  ini_.DeleteSection("never there");
}

TEST_F(IniGTTest, BadFilesReadWithoutFailure) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 37) & 0xFF);
  StoreFile(junk + "\n[S]\nk=first\r[S]\r\nk=second\r\n[T]\r\n" + std::string(100000, 'x') +
            "\r\nlong=" + std::string(70000, 'y') + "\r\nlast=no line end");
  EXPECT_EQ(ini_.ReadText("S", "k", ""), "first");
  EXPECT_EQ(ini_.ReadText("T", "last", ""), "no line end");
  EXPECT_EQ(ini_.ReadText("T", "long", "").size(), 2047u);
  std::vector<std::string> names;
  ini_.ReadKeyNames("S", &names);
  EXPECT_THAT(names, ElementsAre("k"));
  std::vector<std::string> list;
  ini_.ReadTextList("S", "k", &list);
  EXPECT_THAT(list, IsEmpty());
}

// --- Whole sections ---------------------------------------------------------

TEST_F(IniGTTest, KeysWrittenAtOnceLeaveWhatKeyByKeyWritesWould) {
  const std::string before =
      "[L]\r\nLISTEDIT=1\r\n; names\r\nn.count=3\r\nN.0=a\r\nN.1=\"b\"\r\nN.2=c\r\n[M]\r\nk=1\r\n";
  for (TIniGTFence fence : {fnNone, fnDoubleQuote}) {
    StoreFile(before);
    ini_.SetFence(fence);
    ini_.WriteTextList("L", "N", {"x", "b", "y", "z"});
    const std::string keyByKey = FileText();
    StoreFile(before);
    EXPECT_TRUE(ini_.WriteKeys("l", ini_.TextListKeys("N", {"x", "b", "y", "z"})));
    EXPECT_EQ(FileText(), keyByKey) << fence;
  }
  EXPECT_EQ(FileText(),
            "[L]\r\nLISTEDIT=1\r\n; names\r\nn.count=4\r\nN.0=\"x\"\r\nN.1=\"b\"\r\nN.2=\"y\"\r\n"
            "N.3=\"z\"\r\n[M]\r\nk=1\r\n");
  ini_.SetFence(fnNone);

  std::vector<std::string> entries;
  EXPECT_TRUE(ini_.ReadSection("L", &entries));
  EXPECT_THAT(entries, ElementsAre("LISTEDIT=1", "n.count=4", "N.0=\"x\"", "N.1=\"b\"",
                                   "N.2=\"y\"", "N.3=\"z\""));
  ini_.WriteSection("M", {"a=1", "b=2"});
  ini_.Flush();
  EXPECT_EQ(ini_.ReadText("M", "b", ""), "2");
  EXPECT_TRUE(ini_.ReadSection("none", &entries));
  EXPECT_THAT(entries, IsEmpty());
}

// --- Refused writes ---------------------------------------------------------

// Lets `allowed` writes through, then refuses every write and section removal.
class RefusingProfiles : public platform::ProfilesWrapper {
 public:
  RefusingProfiles(platform::Profiles& target, int allowed)
      : ProfilesWrapper(target), allowed_(allowed) {}
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    return Allow() && target().WriteString(section, key, value, file);
  }
  bool RemoveSection(const std::string& section, const std::string& file) override {
    return Allow() && target().RemoveSection(section, file);
  }

 private:
  bool Allow() { return allowed_-- > 0; }
  int allowed_;
};

std::string WriteErrorOf(const std::function<void()>& write) {
  try {
    write();
  } catch (const system::Exception& e) {
    return e.what();
  }
  return "(no error)";
}

TEST_F(IniGTTest, RefusedWritesRaiseWithThePathAndKeepEarlierWrites) {
  const std::string expected = std::string(kIniPath) + " に書き込めません";
  RefusingProfiles refusing(machine_.profiles(), 2);
  TIniGT store(refusing, machine_.files());
  store.Loaded();
  EXPECT_EQ(WriteErrorOf([&] { store.WriteTextList("L", "N", {"a", "b", "c"}); }), expected);
  std::vector<std::string> list;
  ini_.ReadTextList("L", "N", &list);
  EXPECT_THAT(list, ElementsAre("a", "", ""));  // the count and N.0 were written

  EXPECT_EQ(WriteErrorOf([&] { store.WriteText("S", "k", "v"); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { store.WriteNumber("S", "k", 1); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { store.WriteFlag("S", "k", true); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { store.WritePosition("S", "k", Box(1, 2)); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { store.DeleteSection("L"); }), expected);
  EXPECT_EQ(ini_.ReadNumber("L", "N.Count", 0), 3);
}

TEST_F(IniGTTest, LineBreaksAreRefusedBeforeTheyReachTheFile) {
  StoreFile("[S]\r\nk=old\r\n");
  const std::string expected = std::string(kIniPath) + " に書き込めません";
  // Written as it stands, the text would add a section and a key of its own.
  EXPECT_EQ(WriteErrorOf([&] { ini_.WriteText("S", "k", "a\r\n[Initialize]\r\nOpt7=1"); }),
            expected);
  EXPECT_EQ(WriteErrorOf([&] { ini_.WriteText("S", "k", "a\nb"); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { ini_.WriteTextList("S", "N\r", {}); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { ini_.WriteFlag("S\n[T]", "k", true); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { ini_.WriteSection("S", {"k=a", "x=\r\n[T]"}); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { ini_.WriteSection("S", {"k=a", "", "x=1"}); }), expected);
  EXPECT_EQ(WriteErrorOf([&] { ini_.WriteKeys("S", {{"k", "a\nb"}}); }), expected);
  EXPECT_EQ(FileText(), "[S]\r\nk=old\r\n");
}

TEST_F(IniGTTest, WriteIntoAMissingDirectoryIsRefused) {
  TIniGT store(machine_.profiles(), machine_.files());
  store.SetFileName("C:\\NO\\SUCH\\DIR\\x.ini");
  EXPECT_EQ(WriteErrorOf([&] { store.WriteText("S", "k", "v"); }),
            "C:\\NO\\SUCH\\DIR\\x.ini に書き込めません");
  EXPECT_EQ(store.ReadText("S", "k", "def"), "def");
}

}  // namespace
}  // namespace zuba::core
