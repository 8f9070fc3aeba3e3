#include "toolkit/HelpFile.h"

#include <gtest/gtest.h>

#include "testing/TempMachine.h"

namespace zuba::toolkit {
namespace {

TEST(HelpFileTest, SectionsPerTopicWithTitleAndText) {
  HelpFile file = HelpFile::Parse(
      "; comment\r\n[Help]\r\nTitle = ZubaNet ヘルプ\r\n\r\n[34]\r\n\r\n TCP/IP \r\n"
      "first line\r\n[not a header]\r\n\r\nsecond paragraph\r\n\r\n[034]\nduplicate\n[7]");
  EXPECT_EQ(file.Title(), "ZubaNet ヘルプ");
  const HelpTopic* topic = file.Topic(34);
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(topic->title, "TCP/IP");
  EXPECT_EQ(topic->lines,
            (std::vector<std::string>{"first line", "[not a header]", "", "second paragraph"}));
  ASSERT_NE(file.Topic(7), nullptr);
  EXPECT_EQ(file.Topic(7)->title, "");
  EXPECT_EQ(file.Topic(35), nullptr);
  EXPECT_EQ(file.Contexts(), (std::vector<int>{7, 34}));
}

// The template machine's help file answers every topic the main window's
// right-click help and F1 ask for.
TEST(HelpFileTest, TheTemplatesHelpFileHasEveryTopicOfTheProgram) {
  testing::TempMachine machine;
  std::string content;
  ASSERT_TRUE(machine.files().ReadBytes("C:\\ZUBANET\\ZUBANET.HLP", &content));
  HelpFile file = HelpFile::Parse(content);
  EXPECT_FALSE(file.Title().empty());
  for (int context : {19, 26, 32, 33, 34, 35, 36, 37, 47, 48, 50}) {
    const HelpTopic* topic = file.Topic(context);
    ASSERT_NE(topic, nullptr) << context;
    EXPECT_FALSE(topic->title.empty()) << context;
    EXPECT_FALSE(topic->lines.empty()) << context;
  }
}

}  // namespace
}  // namespace zuba::toolkit
