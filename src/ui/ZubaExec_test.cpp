#include "ui/ZubaExec.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "actions/ExecUtil.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/FileNameEdit.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using namespace actions;  // the system's side of the component

using toolkit::ScriptedUiServices;

// Remembers what the last start was asked to do.
class StartRecorder : public platform::SystemWrapper {
 public:
  using SystemWrapper::SystemWrapper;
  platform::ProcessHandle StartProcess(const std::string& commandLine,
                                       const std::string& workingDirectory,
                                       std::uint32_t creationFlags, int showState) override {
    ++starts;
    lastCommandLine = commandLine;
    lastDirectory = workingDirectory;
    lastFlags = creationFlags;
    lastShow = showState;
    return SystemWrapper::StartProcess(commandLine, workingDirectory, creationFlags, showState);
  }
  int starts = 0;
  std::string lastCommandLine, lastDirectory;
  std::uint32_t lastFlags = 0;
  int lastShow = 0;
};

// A current directory as long as a test wants it.
class LongCurrentDirectory : public platform::FilesWrapper {
 public:
  using FilesWrapper::FilesWrapper;
  std::string CurrentDirectory() override { return directory; }
  std::string directory;
};

class ZubaExecTest : public ::testing::Test {
 protected:
  ZubaExecTest() : system_(machine_.system()) {
    ui_.SetApplicationTitle("ZubaNet");
    exec_.SetExecFileEdit(&fedExe_);
    exec_.SetExecOptEdit(&fedOpt_);
  }
  // A program at `relative` below the machine directory.
  void WriteFile(const std::string& relative, const std::string& content, mode_t mode = 0644) {
    std::filesystem::create_directories(
        std::filesystem::path(machine_.HostPath(relative)).parent_path());
    std::ofstream(machine_.HostPath(relative), std::ios::binary) << content;
    chmod(machine_.HostPath(relative).c_str(), mode);
  }
  std::string Read(const std::string& relative) {
    std::ifstream in(machine_.HostPath(relative), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  testing::TempMachine machine_;
  StartRecorder system_;
  ScriptedUiServices ui_;
  toolkit::Application app_{ui_};
  toolkit::Form& form_ = app_.CreateForm<toolkit::Form>();
  toolkit::FileNameEdit& fedExe_ = form_.Add<toolkit::FileNameEdit>("fedExe");
  toolkit::FileNameEdit& fedOpt_ = form_.Add<toolkit::FileNameEdit>("fedOpt");
  TZubaExec& exec_ = form_.Add<TZubaExec>("zbExec", system_, machine_.files(), ui_);
};

TEST(StripQuotesTest, RemovesOneQuoteAtEachEnd) {
  EXPECT_EQ(StripQuotes(""), "");
  EXPECT_EQ(StripQuotes("\""), "");
  EXPECT_EQ(StripQuotes("\"\""), "");
  EXPECT_EQ(StripQuotes("\"C:\\Program Files\\a.exe\""), "C:\\Program Files\\a.exe");
  EXPECT_EQ(StripQuotes("\"a.exe"), "a.exe");
  EXPECT_EQ(StripQuotes("a.exe\""), "a.exe");
  EXPECT_EQ(StripQuotes("\"\"a\"b\"\""), "\"a\"b\"");
}

TEST_F(ZubaExecTest, PropertiesFollowTheBoundEdits) {
  fedExe_.SetText("\"C:\\Program Files\\My Tool\\tool.exe\"");
  fedOpt_.SetText(" \"-x\" ");
  EXPECT_EQ(exec_.FileName(), "C:\\Program Files\\My Tool\\tool.exe");
  EXPECT_EQ(exec_.Options(), " \"-x\" ");
  exec_.SetFileName("\"quoted\"");
  EXPECT_EQ(fedExe_.Text(), "\"quoted\"");  // written as it stands
  exec_.SetOptions("/s");
  EXPECT_EQ(fedOpt_.Text(), "/s");
  exec_.ClearControls();
  EXPECT_EQ(fedExe_.Text(), "");
  EXPECT_EQ(fedOpt_.Text(), "");
  EXPECT_EQ(exec_.FileName(), "");

  // Unbound, the stored values stand alone; an edit that goes is unbound.
  exec_.SetFileName("C:\\A.EXE");
  exec_.SetExecFileEdit(nullptr);
  fedExe_.SetText("C:\\B.EXE");
  EXPECT_EQ(exec_.FileName(), "C:\\A.EXE");
  form_.DestroyComponent(fedOpt_);
  EXPECT_EQ(exec_.ExecOptEdit(), nullptr);
  exec_.SetOptions("-q");
  EXPECT_EQ(exec_.Options(), "-q");
}

TEST_F(ZubaExecTest, BuildsTheCommandLineOfAnExistingFile) {
  WriteFile("drive_c/Program Files/My Tool/tool.exe", "MZ");
  std::string commandLine, directory;
  exec_.SetFileName("C:\\Program Files\\My Tool\\tool.exe");
  ASSERT_TRUE(exec_.BuildCommandLine(&commandLine, &directory));
  EXPECT_EQ(commandLine, "C:\\Program Files\\My Tool\\tool.exe");  // no trailing blank
  EXPECT_EQ(directory, "C:\\Program Files\\My Tool\\");
  exec_.SetOptions("-a \"b c\"");
  ASSERT_TRUE(exec_.BuildCommandLine(&commandLine, &directory));
  EXPECT_EQ(commandLine, "C:\\Program Files\\My Tool\\tool.exe -a \"b c\"");

  exec_.SetFileName("..\\WINDOWS\\NOTEPAD.EXE");  // from the current directory C:\ZUBANET
  ASSERT_TRUE(exec_.BuildCommandLine(&commandLine, &directory));
  EXPECT_EQ(directory, "..\\WINDOWS\\");
  WriteFile("drive_c/ZUBANET/\xE3\x82\xBD.exe", "MZ");  // "ソ": its trail byte is no "\"
  exec_.SetFileName("\x83\x5C.exe");
  ASSERT_TRUE(exec_.BuildCommandLine(&commandLine, &directory));
  EXPECT_EQ(directory, "");

  for (const char* missing : {"C:\\WINDOWS", "C:\\NOPE.EXE", ""}) {
    exec_.SetFileName(missing);
    EXPECT_FALSE(exec_.BuildCommandLine(&commandLine, &directory)) << missing;
    EXPECT_EQ(commandLine, missing);
  }
}

TEST_F(ZubaExecTest, LaunchRunsTheProgramInItsDirectoryAndWaits) {
  WriteFile("drive_c/Program Files/My Tool/tool.exe",
            "#!/bin/sh\nsleep 0.2\nprintf '%s|' \"$@\" > done.txt\n", 0755);
  fedExe_.SetText("\"C:\\Program Files\\My Tool\\tool.exe\"");
  fedOpt_.SetText("-v \"a b\"");
  exec_.FileName();
  exec_.Options();
  exec_.Launch(LaunchWait::kUntilEnded);
  EXPECT_EQ(Read("drive_c/Program Files/My Tool/done.txt"), "-v|a b|");
  EXPECT_EQ(system_.lastCommandLine, "C:\\Program Files\\My Tool\\tool.exe -v \"a b\"");
  EXPECT_EQ(system_.lastDirectory, "C:\\Program Files\\My Tool\\");
  EXPECT_EQ(system_.lastFlags, kNormalPriorityClass);
  EXPECT_EQ(system_.lastShow, kShowNormal);
  EXPECT_GT(ui_.ProcessMessagesCalls(), 0);  // the wait kept the messages flowing
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(ZubaExecTest, LaunchSaysWhenTheFileCannotBeRun) {
  for (const char* name : {"C:\\NOPE.EXE", "C:\\WINDOWS"}) {
    ui_.ClearRecords();
    exec_.SetFileName(name);
    exec_.Launch(LaunchWait::kUntilEnded);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    const ScriptedUiServices::Message& m = ui_.Messages()[0];
    EXPECT_EQ(m.text, std::string(name) + "\nこのファイルを実行できません");
    EXPECT_EQ(m.caption, "ZubaNet");
    EXPECT_EQ(m.icon, toolkit::MessageIcon::kNone);
    EXPECT_EQ(m.buttons, toolkit::MessageButtons::kOk);
  }
  ui_.ClearRecords();
  exec_.SetFileName("");
  exec_.Launch(LaunchWait::kUntilEnded);
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(system_.starts, 0);

  // A start the system refuses is not reported.
  ASSERT_TRUE(machine_.machine().config->Set("Fail", "CreateProcess", "5"));
  exec_.SetFileName("C:\\WINDOWS\\NOTEPAD.EXE");
  exec_.Launch(LaunchWait::kUntilEnded);
  EXPECT_EQ(system_.starts, 1);
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(ZubaExecTest, ExecCommandStartsInTheCurrentDirectoryWhenGivenNone) {
  LongCurrentDirectory files(machine_.files());
  files.directory = "C:\\ZUBANET";
  platform::ProcessHandle p = ExecCommand(system_, files, "notepad", "", kShowNormal);
  ASSERT_NE(p, 0u);
  EXPECT_EQ(system_.lastDirectory, "C:\\ZUBANET");
  WaitForProcess(system_, ui_, p);
  CloseProcessHandle(system_, p);
  EXPECT_EQ(system_.WaitProcess(p, 0), platform::kWaitFailed);
  const int rounds = ui_.ProcessMessagesCalls();
  WaitForProcess(system_, ui_, p);                    // an unusable handle ends the wait at once,
  EXPECT_EQ(ui_.ProcessMessagesCalls(), rounds + 1);  // after one round of messages

  files.directory = "C:\\" + std::string(254, 'D');  // 257 bytes: does not fit the buffer
  ExecCommand(system_, files, "notepad", "", kShowNormal);
  EXPECT_EQ(system_.lastDirectory, "");
}

}  // namespace
}  // namespace zuba::ui
