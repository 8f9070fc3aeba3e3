#include "platform/sim/SimFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

class SimFilesTest : public ::testing::Test {
 protected:
  Files& files() { return machine_.files(); }
  std::string HostFile(const std::string& relative) {
    std::ifstream in(machine_.HostPath(relative), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return in ? s.str() : "<missing>";
  }
  void SetMachineIni(const std::string& section, const std::string& key, const std::string& v) {
    ASSERT_TRUE(machine_.machine().config->Set(section, key, v));
  }
  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<FindData> found;
    files().FindFiles(pattern, &found);
    std::vector<std::string> names;
    for (const FindData& d : found) names.push_back(d.longName + "|" + d.shortName);
    return names;
  }

  testing::TempMachine machine_;
};

TEST_F(SimFilesTest, ThreeSpellingsNameOneFile) {
  ASSERT_TRUE(files().WriteBytes("C:\\ZUBANET\\Zubanet.ini", "one"));
  ASSERT_TRUE(files().WriteBytes("c:\\zubanet\\zubanet.ini", "two"));
  std::string content;
  ASSERT_TRUE(files().ReadBytes("C:\\ZUBANET\\ZUBANET.INI", &content));
  EXPECT_EQ(content, "two");
  EXPECT_EQ(HostFile("drive_c/ZUBANET/Zubanet.ini"), "two");  // the first spelling stays
  EXPECT_EQ(Names("C:\\ZUBANET\\*.ini"), (std::vector<std::string>{"Zubanet.ini|ZUBANET.INI"}));
  EXPECT_TRUE(files().RemoveFile("c:\\ZubaNet\\ZUBANET.ini"));
  EXPECT_EQ(files().GetAttributes("C:\\ZUBANET\\Zubanet.ini"), kInvalidAttributes);
}

// A directory's listing serves later lookups only while the directory is
// unchanged: entries another process adds, renames or removes on the host,
// settled or within the same moment, are seen at the next call.
TEST_F(SimFilesTest, ListingsFollowChangesMadeByOtherProcesses) {
  ASSERT_TRUE(files().WriteBytes("C:\\ZUBANET\\Data.txt", "one"));
  const std::string dir = machine_.HostPath("drive_c/ZUBANET/");
  for (bool settle : {true, false}) {
    SCOPED_TRACE(settle ? "settled" : "at once");
    if (settle) usleep(20000);
    std::string content;
    ASSERT_TRUE(files().ReadBytes("C:\\zubanet\\DATA.TXT", &content));  // listed
    if (settle) usleep(20000);
    std::ofstream(dir + "Other.txt") << "two";
    ASSERT_TRUE(files().ReadBytes("C:\\zubanet\\OTHER.TXT", &content));
    EXPECT_EQ(content, "two");
    ASSERT_EQ(rename((dir + "Other.txt").c_str(), (dir + "Third.txt").c_str()), 0);
    EXPECT_EQ(files().GetAttributes("C:\\zubanet\\OTHER.TXT"), kInvalidAttributes);
    EXPECT_EQ(Names("C:\\ZUBANET\\T*"), (std::vector<std::string>{"Third.txt|THIRD.TXT"}));
    ASSERT_EQ(unlink((dir + "Third.txt").c_str()), 0);
    EXPECT_EQ(Names("C:\\ZUBANET\\T*"), std::vector<std::string>());
  }
}

// A path once found is answered from memory only while nothing on its way
// changed: each row changes the host directories behind the machine's back
// after the path was read, and the next read must see the change. Rows run
// once with the directories settled before the first read (the answer is
// remembered) and once right after they were made (it is not). Host steps,
// in the row's own directory: "d DIR" makes a directory holding f.txt with
// the content DIR, "f FILE TEXT" writes a file, "m FROM TO" renames, "l
// TARGET NAME" makes a link (TARGET "@" is a file outside the machine, "@/"
// a directory there), "r FILE" removes.
TEST_F(SimFilesTest, RememberedPathsFollowChangesOnTheirWay) {
  testing::TempDir outside;
  std::ofstream(outside.path() + "/f.txt") << "outside";
  auto run = [&](const std::string& dir, const std::string& steps) {
    std::istringstream in(steps);
    for (std::string op, a, b; in >> op >> a;) {
      if (op != "d" && op != "r") in >> b;
      const std::string target = a == "@"    ? outside.path() + "/f.txt"
                                 : a == "@/" ? outside.path()
                                             : a;
      int rc = 0;
      if (op == "d") {
        rc = mkdir((dir + a).c_str(), 0755);
        std::ofstream(dir + a + "/f.txt") << a;
      } else if (op == "f") {
        std::ofstream(dir + a) << b;
      } else if (op == "m") {
        rc = rename((dir + a).c_str(), (dir + b).c_str());
      } else if (op == "l") {
        rc = symlink(target.c_str(), (dir + b).c_str());
      } else {
        rc = unlink((dir + a).c_str());
      }
      ASSERT_EQ(rc, 0) << op << " " << a;
    }
  };
  struct Row {
    const char* name;
    const char* before;  // host steps before the first read
    const char* path;    // below the row's directory
    const char* first;   // what it reads before the change
    const char* change;  // host steps
    const char* then;    // what it reads after them
  };
  const Row rows[] = {
      {"directory created", "", "NEW\\f.txt", "<missing>", "d NEW", "NEW"},
      {"directory renamed away", "d Box", "BOX\\F.TXT", "Box", "m Box Crate", "<missing>"},
      {"another renamed into its place", "d Box d Two", "box\\f.txt", "Box", "m Box Old m Two BOX",
       "Two"},
      {"exact spelling beside a case-insensitive match", "f DATA.TXT upper", "Data.txt", "upper",
       "f Data.txt exact", "exact"},
      {"missing entry made in another spelling", "", "later.txt", "<missing>", "f LATER.TXT x",
       "x"},
      {"file removed", "f gone.txt here", "GONE.TXT", "here", "r gone.txt", "<missing>"},
      {"directory replaced by a link out of the drive", "d Box", "Box\\f.txt", "Box",
       "m Box Old l @/ Box", "<missing>"},
      {"directory replaced by a link within the drive", "d Box d Two", "box\\F.txt", "Box",
       "m Box Old l Two Box", "Two"},
      {"link's target replaced below it", "d X d X/Y d X/W l X/Y Lnk", "LNK\\f.txt", "X/Y",
       "m X/Y X/Old m X/W X/Y", "X/W"},
      {"file behind a link made a link out of the drive", "d X l X/f.txt Lnk.txt", "LNK.TXT", "X",
       "r X/f.txt l @ X/f.txt", "<missing>"},
  };
  int n = 0;
  for (bool settle : {true, false}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.name) + (settle ? ", settled" : ", at once"));
      const std::string name = "ROW" + std::to_string(++n);
      const std::string dir = machine_.HostPath("drive_c/" + name + "/");
      ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
      run(dir, row.before);
      if (settle) usleep(20000);
      const std::string path = "C:\\" + name + "\\" + row.path;
      std::string content;
      for (int i = 0; i < 2; ++i) {  // the second read is answered from memory
        EXPECT_EQ(files().ReadBytes(path, &content) ? content : "<missing>", row.first);
      }
      run(dir, row.change);
      EXPECT_EQ(files().ReadBytes(path, &content) ? content : "<missing>", row.then);
    }
  }
}

TEST_F(SimFilesTest, ShortNamesAreListedAndAccepted) {
  ASSERT_TRUE(files().MakeDirectory("C:\\Long Folder Name"));
  ASSERT_TRUE(files().WriteBytes("C:\\LONGFO~1\\my file.txt", "x"));
  ASSERT_TRUE(files().WriteBytes("C:\\Long Folder Name\\my file 2.txt", "y"));
  // Numbers follow the sorted long names (' ' sorts before '.'), so the
  // first file is now the second alias.
  EXPECT_EQ(Names("C:\\long folder name\\*"),
            (std::vector<std::string>{"my file 2.txt|MYFILE~1.TXT", "my file.txt|MYFILE~2.TXT"}));
  ASSERT_TRUE(files().WriteBytes("C:\\LONGFO~1\\MYFILE~2.TXT", "z"));
  EXPECT_EQ(HostFile("drive_c/Long Folder Name/my file.txt"), "z");
  EXPECT_EQ(Names("C:\\LONGFO~1\\myfil*.txt").size(), 2u);  // short names match too
  EXPECT_EQ(Names("C:\\WINDOWS\\hosts*"),
            (std::vector<std::string>{"HOSTS|", "hosts.home|HOSTS~1.HOM",
                                      "hosts.office|HOSTS~1.OFF", "HOSTS.SAM|"}));
  EXPECT_EQ(Names("C:\\WINDOWS\\hosts.*").size(), 4u);  // "hosts.*" also finds HOSTS
  EXPECT_EQ(Names("C:\\WINDOWS\\*."),
            (std::vector<std::string>{"COMMAND|", "HOSTS|", "LMHOSTS|", "SYSTEM|", "TEMP|"}));
  std::vector<FindData> found;
  ASSERT_TRUE(files().FindFiles("C:\\PROGRA~1", &found));
  EXPECT_EQ(found[0].longName, "Program Files");
  EXPECT_EQ(found[0].attributes, kAttrDirectory);
  found.clear();
  ASSERT_TRUE(files().FindFiles("C:\\WINDOWS\\WIN.INI", &found));
  EXPECT_EQ(found[0].attributes, kAttrArchive);
  EXPECT_EQ(found[0].size, HostFile("drive_c/WINDOWS/WIN.INI").size());
  EXPECT_FALSE(files().FindFiles("C:\\WINDOWS\\", &found));
  EXPECT_FALSE(files().FindFiles("C:\\WINDOWS\\*.xyz", &found));
}

TEST_F(SimFilesTest, JapaneseNamesAreUtf8OnTheHost) {
  const std::string name = "C:\\\x83\x5C\x83\x74\x83\x67.ini";  // "ソフト.ini" in CP932
  ASSERT_TRUE(files().WriteBytes(name, "a"));
  EXPECT_EQ(HostFile("drive_c/\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88.ini"), "a");
  EXPECT_EQ(Names("C:\\*.ini").front(),
            "\x83\x5C\x83\x74\x83\x67.ini|\x83\x5C\x83\x74\x83\x67.INI");
}

TEST_F(SimFilesTest, PathsLeavingTheMachineAreMissing) {
  std::ofstream(machine_.HostPath("secret.txt")) << "outside";
  std::string content;
  EXPECT_FALSE(files().ReadBytes("C:\\..\\secret.txt", &content));
  EXPECT_FALSE(files().ReadBytes("C:\\WINDOWS\\..\\..\\secret.txt", &content));
  EXPECT_FALSE(files().ReadBytes("..\\..\\secret.txt", &content));
  EXPECT_FALSE(files().WriteBytes("C:\\..\\x.txt", "x"));
  EXPECT_FALSE(files().WriteBytes("D:\\x.txt", "x"));  // no drive D:
  EXPECT_EQ(files().GetAttributes("D:\\"), kInvalidAttributes);
  EXPECT_FALSE(files().ReadBytes("\\\\host\\share\\x", &content));
  EXPECT_EQ(files().GetAttributes("C:\\"), kAttrDirectory);
  EXPECT_TRUE(files().ReadBytes("..\\AUTOEXEC.BAT", &content));  // from C:\ZUBANET
}

// A link inside a drive may lead elsewhere in that drive, never out of it:
// a path that gets out through a link is missing, for reading and writing.
TEST_F(SimFilesTest, LinksOutOfTheDriveAreMissing) {
  testing::TempDir outside;
  const std::string secret = outside.path() + "/secret.txt";
  std::ofstream(secret) << "outside";
  ASSERT_EQ(remove(machine_.HostPath("drive_c/WINDOWS/HOSTS").c_str()), 0);
  ASSERT_EQ(symlink(secret.c_str(), machine_.HostPath("drive_c/WINDOWS/HOSTS").c_str()), 0);
  ASSERT_EQ(symlink(outside.path().c_str(), machine_.HostPath("drive_c/OUT").c_str()), 0);
  ASSERT_EQ(symlink("../..", machine_.HostPath("drive_c/WINDOWS/UP").c_str()), 0);
  ASSERT_EQ(symlink("../WINDOWS", machine_.HostPath("drive_c/ZUBANET/WIN").c_str()), 0);

  std::string content;
  EXPECT_FALSE(files().ReadBytes("C:\\WINDOWS\\HOSTS", &content));
  EXPECT_FALSE(files().ReadBytes("c:\\windows\\hosts", &content));
  EXPECT_EQ(files().GetAttributes("C:\\WINDOWS\\HOSTS"), kInvalidAttributes);
  EXPECT_FALSE(files().WriteBytes("C:\\WINDOWS\\HOSTS", "changed"));
  EXPECT_FALSE(files().CopyTo("C:\\WINDOWS\\HOSTS", "C:\\COPY.TXT", IfTargetExists::kReplace));
  EXPECT_FALSE(files().CopyTo("C:\\AUTOEXEC.BAT", "C:\\OUT\\A.BAT", IfTargetExists::kReplace));
  EXPECT_FALSE(files().RemoveFile("C:\\WINDOWS\\HOSTS"));
  EXPECT_EQ(Names("C:\\WINDOWS\\HOSTS"), std::vector<std::string>{});
  EXPECT_EQ(Names("C:\\OUT"), std::vector<std::string>{});
  EXPECT_FALSE(files().WriteBytes("C:\\OUT\\new.txt", "x"));
  EXPECT_FALSE(files().MakeDirectory("C:\\OUT\\D"));
  EXPECT_FALSE(files().ReadBytes("C:\\WINDOWS\\UP\\system.reg", &content));
  EXPECT_FALSE(files().ReadBytes("C:\\WINDOWS\\UP\\drive_c\\AUTOEXEC.BAT", &content));
  std::ifstream stillSecret(secret);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stillSecret), {}), "outside");
  struct stat st;
  EXPECT_NE(stat((outside.path() + "/new.txt").c_str(), &st), 0);
  EXPECT_NE(stat((outside.path() + "/D").c_str(), &st), 0);
  EXPECT_NE(stat((outside.path() + "/A.BAT").c_str(), &st), 0);

  // Within the drive a link is followed.
  EXPECT_TRUE(files().ReadBytes("C:\\ZUBANET\\WIN\\WIN.INI", &content));
  EXPECT_TRUE(files().WriteBytes("C:\\ZUBANET\\WIN\\NEW.TXT", "x"));
  EXPECT_EQ(HostFile("drive_c/WINDOWS/NEW.TXT"), "x");
}

TEST_F(SimFilesTest, CopyHonoursFailIfExists) {
  EXPECT_TRUE(
      files().CopyTo("C:\\WINDOWS\\hosts.office", "C:\\WINDOWS\\hosts", IfTargetExists::kReplace));
  EXPECT_EQ(HostFile("drive_c/WINDOWS/HOSTS"), HostFile("drive_c/WINDOWS/hosts.office"));
  EXPECT_FALSE(
      files().CopyTo("C:\\WINDOWS\\lmhosts.office", "C:\\WINDOWS\\lmhosts", IfTargetExists::kFail));
  EXPECT_NE(HostFile("drive_c/WINDOWS/LMHOSTS"), HostFile("drive_c/WINDOWS/lmhosts.office"));
  EXPECT_TRUE(
      files().CopyTo("C:\\WINDOWS\\LMHOST~1.OFF", "C:\\WINDOWS\\new", IfTargetExists::kFail));
  EXPECT_EQ(HostFile("drive_c/WINDOWS/new"), HostFile("drive_c/WINDOWS/lmhosts.office"));
  EXPECT_FALSE(files().CopyTo("C:\\WINDOWS\\none", "C:\\x", IfTargetExists::kReplace));
  EXPECT_FALSE(files().CopyTo("C:\\WINDOWS", "C:\\x", IfTargetExists::kReplace));
  EXPECT_FALSE(files().CopyTo("C:\\WINDOWS\\HOSTS", "C:\\NODIR\\x", IfTargetExists::kReplace));
  EXPECT_FALSE(files().CopyTo("C:\\WINDOWS\\HOSTS", "C:\\WINDOWS", IfTargetExists::kReplace));
  EXPECT_FALSE(
      files().CopyTo("C:\\WINDOWS\\HOSTS", "C:\\WINDOWS\\hosts", IfTargetExists::kReplace));
}

TEST_F(SimFilesTest, ReadOnlyFilesStay) {
  chmod(machine_.HostPath("drive_c/WINDOWS/LMHOSTS").c_str(), 0444);
  EXPECT_EQ(files().GetAttributes("C:\\WINDOWS\\LMHOSTS"), kAttrArchive | kAttrReadOnly);
  EXPECT_FALSE(files().WriteBytes("C:\\WINDOWS\\LMHOSTS", "x"));
  EXPECT_FALSE(files().RemoveFile("C:\\WINDOWS\\LMHOSTS"));
  EXPECT_FALSE(
      files().CopyTo("C:\\WINDOWS\\HOSTS", "C:\\WINDOWS\\LMHOSTS", IfTargetExists::kReplace));
  // The copy of a read-only file is read-only.
  ASSERT_TRUE(files().CopyTo("C:\\WINDOWS\\LMHOSTS", "C:\\lm", IfTargetExists::kFail));
  EXPECT_EQ(files().GetAttributes("C:\\lm"), kAttrArchive | kAttrReadOnly);
}

TEST_F(SimFilesTest, WritesAreAtomicAndStampsChange) {
  EXPECT_EQ(files().ChangeStamp("C:\\new.txt"), 0u);
  ASSERT_TRUE(files().WriteBytes("C:\\new.txt", "abc"));
  std::uint64_t first = files().ChangeStamp("C:\\new.txt");
  EXPECT_NE(first, 0u);
  ASSERT_TRUE(files().WriteBytes("C:\\NEW.TXT", "abd"));  // same size, same moment
  EXPECT_NE(files().ChangeStamp("C:\\new.txt"), first);
  std::vector<FindData> found;
  ASSERT_TRUE(files().FindFiles("C:\\*", &found));
  for (const FindData& d : found) EXPECT_NE(d.longName.substr(0, 2), ".~");  // no temporary files
  EXPECT_FALSE(files().WriteBytes("C:\\NODIR\\x.txt", "x"));
  EXPECT_FALSE(files().WriteBytes("C:\\WINDOWS", "x"));
  EXPECT_TRUE(files().MakeDirectory("C:\\WINDOWS\\NEW"));
  EXPECT_FALSE(files().MakeDirectory("C:\\WINDOWS\\new"));
  EXPECT_FALSE(files().MakeDirectory("C:\\A\\B"));
  EXPECT_FALSE(files().RemoveFile("C:\\WINDOWS\\NEW"));
}

TEST_F(SimFilesTest, MachineIniNamesTheDirectoriesAndFailingCalls) {
  EXPECT_EQ(files().WindowsDirectory(), "C:\\WINDOWS");
  EXPECT_EQ(files().ProgramPath(), "C:\\ZUBANET\\ZUBANET.EXE");
  EXPECT_EQ(files().CurrentDirectory(), "C:\\ZUBANET");
  SetMachineIni("Program", "CurrentDirectory", "C:\\WINDOWS");
  std::string content;
  EXPECT_TRUE(files().ReadBytes("WIN.INI", &content));

  SetMachineIni("Fail", "CopyFile", "5");
  EXPECT_FALSE(files().CopyTo("C:\\WINDOWS\\HOSTS", "C:\\x", IfTargetExists::kReplace));
  SetMachineIni("Fail", "CopyFile", "0");
  EXPECT_TRUE(files().CopyTo("C:\\WINDOWS\\HOSTS", "C:\\x", IfTargetExists::kReplace));
  SetMachineIni("Fail", "WriteFile:c:\\zubanet", "5");
  EXPECT_FALSE(files().WriteBytes("C:\\ZUBANET\\zubanet.ini", "x"));
  EXPECT_FALSE(files().WriteBytes("C:\\ZUBANE~1\\zubanet.ini", "x"));
  EXPECT_TRUE(files().WriteBytes("C:\\ZUBANET.TXT", "x"));
  EXPECT_TRUE(files().WriteBytes("C:\\WINDOWS\\x", "x"));
  SetMachineIni("Fail", "ReadFile:C:\\WINDOWS\\HOSTS", "1");
  EXPECT_FALSE(files().ReadBytes("C:\\WINDOWS\\hosts", &content));
  EXPECT_TRUE(files().ReadBytes("C:\\WINDOWS\\HOSTS.SAM", &content));
}

}  // namespace
}  // namespace zuba::platform::sim
