#include "ui/FileCopyBtn.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using platform::sim::OsKind;

class FileCopyTest : public ::testing::TestWithParam<OsKind> {
 protected:
  // The two buttons as the main window sets them up.
  void SetUp() override {
    const std::string dir = machine_.files().WindowsDirectory() + "\\";
    hostsDialog_.SetTitle("Hostsファイルの選択");
    hostsDialog_.SetFileName("hosts*");
    hostsDialog_.SetFilter("hostsファイル|hosts*");
    hostsDialog_.SetInitialDir(dir);
    hosts_.SetOpenDialog(&hostsDialog_);
    hosts_.SetNoFileCaption("Hosts変更");
    hosts_.SetCopyOverWrite(true);
    hosts_.SetCopyDst(dir + "hosts");
    lmhosts_.SetNoFileCaption("LMHosts変更");
    lmhosts_.SetCopyDst(dir + "lmhosts");
    dir_ = dir;
  }
  std::string Read(const std::string& name) {
    std::string bytes;
    machine_.files().ReadBytes(dir_ + name, &bytes);
    return bytes;
  }

  testing::TempMachine machine_{GetParam()};
  toolkit::ScriptedUiServices ui_;
  toolkit::Application app_{ui_};
  toolkit::Form& form_ = app_.CreateForm<toolkit::Form>();
  toolkit::OpenDialog& hostsDialog_ = form_.Add<toolkit::OpenDialog>("odHosts");
  TFileCopyBtn& hosts_ = form_.Add<TFileCopyBtn>("fcbtHosts", machine_.files());
  TFileCopyBtn& lmhosts_ = form_.Add<TFileCopyBtn>("fcbtLmhosts", machine_.files());
  std::string dir_;
};

TEST_P(FileCopyTest, TheCaptionFollowsTheSource) {
  TFileCopyBtn& fresh = form_.Add<TFileCopyBtn>("fresh", machine_.files());
  EXPECT_EQ(fresh.NoFileCaption(), "(NoFile)");
  EXPECT_EQ(fresh.Caption(), "(NoFile)");
  EXPECT_FALSE(fresh.CopyOverWrite());
  EXPECT_EQ(fresh.OpenDialog(), nullptr);

  EXPECT_EQ(hosts_.Caption(), "(NoFile)");  // a new NoFileCaption waits for CopySrc
  hosts_.SetCopySrc(dir_ + "hosts.office");
  EXPECT_EQ(hosts_.CopySrc(), dir_ + "hosts.office");
  EXPECT_EQ(hosts_.Caption(), "hosts.office");
  for (const std::string& gone :
       {dir_ + "hosts.gone", dir_.substr(0, dir_.size() - 1), std::string()}) {
    hosts_.SetCopySrc(dir_ + "hosts.office");
    hosts_.SetCopySrc(gone);
    EXPECT_EQ(hosts_.CopySrc(), "") << gone;
    EXPECT_EQ(hosts_.Caption(), "Hosts変更") << gone;
  }
  // "ソ" ends in the byte of "\": it does not split the name.
  ASSERT_TRUE(machine_.files().MakeDirectory("C:\\ソフト"));
  ASSERT_TRUE(machine_.files().WriteBytes("C:\\ソフト\\hostsソ", "127.0.0.1 a\r\n"));
  hosts_.SetCopySrc("C:\\ソフト\\hostsソ");
  EXPECT_EQ(hosts_.Caption(), "hostsソ");
}

TEST_P(FileCopyTest, TheClickAsksForTheSourceAfterOnClick) {
  std::size_t requestsSeenByOnClick = 99;
  hosts_.SetOnClick(
      [&](toolkit::Component&) { requestsSeenByOnClick = ui_.FileRequests().size(); });
  ui_.QueueFile(dir_ + "hosts.home");
  ASSERT_TRUE(hosts_.Click());
  EXPECT_EQ(requestsSeenByOnClick, 0u);
  ASSERT_EQ(ui_.FileRequests().size(), 1u);
  const toolkit::OpenFileRequest& request = ui_.FileRequests()[0];
  EXPECT_EQ(request.title, "Hostsファイルの選択");
  EXPECT_EQ(request.filter, "hostsファイル|hosts*");
  EXPECT_EQ(request.fileName, "hosts*");
  EXPECT_EQ(request.initialDir, dir_);
  EXPECT_EQ(hosts_.CopySrc(), dir_ + "hosts.home");
  EXPECT_EQ(hosts_.Caption(), "hosts.home");

  // Cancelling clears the earlier choice.
  ui_.QueueFileCancel();
  hosts_.Click();
  EXPECT_EQ(hosts_.CopySrc(), "");
  EXPECT_EQ(hosts_.Caption(), "Hosts変更");

  // Without a dialog a click is only a click; a dialog that goes is dropped.
  ui_.QueueFile(dir_ + "hosts.home");
  lmhosts_.Click();
  EXPECT_EQ(ui_.FileRequests().size(), 2u);
  form_.DestroyComponent(hostsDialog_);
  EXPECT_EQ(hosts_.OpenDialog(), nullptr);
  hosts_.Click();
  EXPECT_EQ(ui_.FileRequests().size(), 2u);
}

TEST_P(FileCopyTest, HostsIsReplacedAndLmhostsNever) {
  const std::string oldLmhosts = Read("lmhosts");
  ASSERT_FALSE(oldLmhosts.empty());
  hosts_.SetCopySrc(dir_ + "hosts.office");
  lmhosts_.SetCopySrc(dir_ + "lmhosts.office");
  EXPECT_TRUE(hosts_.CopyFileNow());
  EXPECT_EQ(Read("hosts"), Read("hosts.office"));
  EXPECT_FALSE(lmhosts_.CopyFileNow());
  EXPECT_EQ(Read("lmhosts"), oldLmhosts);
  // lmhosts is copied while there is none.
  ASSERT_TRUE(machine_.files().RemoveFile(dir_ + "lmhosts"));
  EXPECT_TRUE(lmhosts_.CopyFileNow());
  EXPECT_EQ(Read("lmhosts"), Read("lmhosts.office"));
}

TEST_P(FileCopyTest, NoSourceOrAVanishedOneCopiesNothing) {
  const std::string oldHosts = Read("hosts");
  EXPECT_FALSE(hosts_.CopyFileNow());
  hosts_.SetCopySrc(dir_ + "hosts.home");
  ASSERT_TRUE(machine_.files().RemoveFile(dir_ + "hosts.home"));
  EXPECT_FALSE(hosts_.CopyFileNow());
  EXPECT_EQ(Read("hosts"), oldHosts);
}

INSTANTIATE_TEST_SUITE_P(Machines, FileCopyTest,
                         ::testing::Values(OsKind::kWin98, OsKind::kWin95, OsKind::kNt));

}  // namespace
}  // namespace zuba::ui
