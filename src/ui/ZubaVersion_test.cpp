#include "ui/ZubaVersion.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/VersionResource.h"
#include "testing/TempMachine.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using platform::VersionResource;
using toolkit::ScriptedUiServices;

// A program whose version block is given (nullopt: none at all).
class GivenVersion : public platform::SystemWrapper {
 public:
  GivenVersion(platform::System& target, std::optional<std::string> block)
      : SystemWrapper(target), block_(std::move(block)) {}
  bool ReadOwnVersionInfo(std::string* block) override {
    if (!block_) return false;
    *block = *block_;
    return true;
  }

 private:
  std::optional<std::string> block_;
};

VersionResource Resource(std::uint32_t translation, const std::string& table) {
  VersionResource r;
  r.translations = {translation};
  r.stringTables.push_back({table, {{"FileVersion", "3.0.1.7"}}});
  return r;
}

class ZubaVersionTest : public ::testing::Test {
 protected:
  std::string VersionWith(std::optional<std::string> block) {
    GivenVersion system(machine.system(), std::move(block));
    TZubaVersion version(system, ui);
    return version.GetFileVersionText();
  }

  testing::TempMachine machine;
  ScriptedUiServices ui;
};

// The ui tests carry the program's own version resource, as the program
// does, and the simulated machine reads it back.
TEST_F(ZubaVersionTest, TheAboutBoxOfTheProgram) {
  ui.SetApplicationTitle("ZubaNet ベータ版");
  TZubaVersion version(machine.system(), ui);
  version.apDesc = "Network Configuration Changer for Windows9x";
  version.apName = "ZubaNet";
  version.ShowAbout();
  ASSERT_EQ(ui.Messages().size(), 1u);
  const auto& box = ui.Messages()[0];
  EXPECT_EQ(box.caption, "ZubaNet ベータ版");
  EXPECT_EQ(box.buttons, toolkit::MessageButtons::kOk);
  EXPECT_EQ(box.icon, toolkit::MessageIcon::kNone);
  EXPECT_EQ(box.text, "Network Configuration Changer for Windows9x\nZubaNet Ver. 2.1.0.54\n" +
                          version.apCopyrihgt + "\n\n" + version.apMail + "\n" +
                          version.apHomePage);

  version.apComm = "\n\nOS Ver: 4.10.2222\n\n★ベータテストありがとうございます★";
  std::string text = version.AboutText();
  EXPECT_EQ(text.substr(text.size() - version.apComm.size()), version.apComm);
  EXPECT_EQ(text.find(version.apHomePage + "\n\nOS Ver: 4.10.2222\n\n★"),
            text.size() - version.apComm.size() - version.apHomePage.size());
}

TEST_F(ZubaVersionTest, NoVersionInformationGivesNothingAfterVer) {
  ASSERT_TRUE(machine.machine().config->Set("Fail", "GetFileVersionInfo", "2"));
  TZubaVersion version(machine.system(), ui);
  version.apName = "ZubaNet";
  EXPECT_NE(version.AboutText().find("\nZubaNet Ver. \n"), std::string::npos);
  EXPECT_EQ(VersionWith(std::nullopt), "");
  EXPECT_EQ(VersionWith(""), "");
  EXPECT_EQ(VersionWith("not a version block"), "");
}

TEST_F(ZubaVersionTest, TheFirstTranslationNamesTheTableWithItsHalvesSwapped) {
  EXPECT_EQ(VersionWith(BuildVersionBlock(Resource(0x03A40411, "041103A4"))), "3.0.1.7");
  EXPECT_EQ(VersionWith(BuildVersionBlock(Resource(0x04B00409, "040904B0"))), "3.0.1.7");
  // The halves unswapped name no table.
  EXPECT_EQ(VersionWith(BuildVersionBlock(Resource(0x03A40411, "03A40411"))), "");

  // Only the first entry counts, even when another table holds the string.
  VersionResource two = Resource(0x04B00409, "041103A4");
  two.translations.push_back(0x03A40411);
  EXPECT_EQ(VersionWith(BuildVersionBlock(two)), "");
}

TEST_F(ZubaVersionTest, MissingTranslationTableOrStringGivesNothing) {
  VersionResource noVar = Resource(0x03A40411, "041103A4");
  noVar.hasVarFileInfo = false;
  EXPECT_EQ(VersionWith(BuildVersionBlock(noVar)), "");
  VersionResource emptyTable = Resource(0x03A40411, "041103A4");
  emptyTable.translations.clear();
  EXPECT_EQ(VersionWith(BuildVersionBlock(emptyTable)), "");
  VersionResource noString = Resource(0x03A40411, "041103A4");
  noString.stringTables[0].strings = {{"ProductVersion", "3.0"}};
  EXPECT_EQ(VersionWith(BuildVersionBlock(noString)), "");
  VersionResource emptyString = Resource(0x03A40411, "041103A4");
  emptyString.stringTables[0].strings = {{"FileVersion", ""}};
  EXPECT_EQ(VersionWith(BuildVersionBlock(emptyString)), "");
}

}  // namespace
}  // namespace zuba::ui
