#include "core/SettingName.h"

#include <gtest/gtest.h>

#include <string>

namespace zuba::core {
namespace {

TEST(SettingNameTest, StorableNamesPass) {
  const std::string names[] = {
      "home",
      "Office 2F",
      "会社",
      "ソフト開発",   // second byte 5C
      "ゾーン",       // second byte 5D: no "]"
      "a;b[c",        // ";" and "[" inside are plain characters
      "x'",           // a single quote at one end only
      "Initialize2",  // only the reserved names themselves are refused
      "\x81\x40wide blank\x81\x40",
      std::string(kMaxSettingNameLength, 'n'),
  };
  for (const std::string& name : names) {
    std::string message = "untouched";
    EXPECT_TRUE(CheckSettingName(name, &message)) << name << ": " << message;
    EXPECT_EQ(message, "untouched");
  }
}

TEST(SettingNameTest, EachRefusalHasItsMessage) {
  const std::string batch =
      "設定名に < > | % \" は使えません。\r\n（起動時に切り替えるメニューに書けません）";
  const struct {
    std::string name;
    std::string message;
  } cases[] = {
      {"", "設定名を入力してください。"},
      {std::string(kMaxSettingNameLength + 1, 'n'),
       "設定名が長すぎます。\r\n2047バイト以内にしてください。"},
      {"a\tb", "設定名に制御文字は使えません。"},
      {"a\x7f", "設定名に制御文字は使えません。"},
      {"end\x83", "設定名に不完全な全角文字が含まれています。"},
      {"\x83 x", "設定名に不完全な全角文字が含まれています。"},
      {" home", "設定名の先頭と末尾に半角空白は使えません。"},
      {"home ", "設定名の先頭と末尾に半角空白は使えません。"},
      {"initialize", "【initialize】　は設定ファイルが使う名前のため、設定名にできません。"},
      {"SettingList", "【SettingList】　は設定ファイルが使う名前のため、設定名にできません。"},
      {"nic_registry_list",
       "【nic_registry_list】　は設定ファイルが使う名前のため、設定名にできません。"},
      {"BOUNDS", "【BOUNDS】　は設定ファイルが使う名前のため、設定名にできません。"},
      {"a]b", "設定名に ] と = は使えません。"},
      {"a=b", "設定名に ] と = は使えません。"},
      {";home", "設定名の先頭に ; と [ は使えません。"},
      {"[home", "設定名の先頭に ; と [ は使えません。"},
      {"'home'", "設定名全体を ' で囲むことはできません。"},
      {"a<b", batch},
      {"a>b", batch},
      {"a|b", batch},
      {"50%", batch},
      {"\"q", batch},
  };
  for (const auto& c : cases) {
    std::string message;
    EXPECT_FALSE(CheckSettingName(c.name, &message)) << c.name;
    EXPECT_EQ(message, c.message) << c.name;
  }
}

}  // namespace
}  // namespace zuba::core
