#include "resource/VersionScript.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zuba::resource {
namespace {

std::string ReadScript() {
  std::ifstream in(ZUBA_RC_SCRIPT, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Query(const std::string& block, const std::string& path) {
  std::string data;
  std::uint32_t length = 0;
  if (!platform::QueryVersionValue(block, path, &data, &length)) return "<none>";
  return data.substr(0, length - 1);
}

TEST(VersionScriptTest, TheProgramsScriptGivesItsVersionResource) {
  platform::VersionResource r = ParseVersionScript(ReadScript());
  EXPECT_EQ(r.fixed.fileVersion, (std::array<std::uint16_t, 4>{2, 1, 0, 54}));
  ASSERT_EQ(r.translations.size(), 1u);
  EXPECT_EQ(r.translations[0], 0x03A40411u);
  std::string block = platform::BuildVersionBlock(r);
  const std::string table = "\\StringFileInfo\\041103A4\\";
  EXPECT_EQ(Query(block, table + "FileDescription"), "Network Configuration Changer for Win9x");
  EXPECT_EQ(Query(block, table + "FileVersion"), "2.1.0.54");
  EXPECT_EQ(Query(block, table + "InternalName"), "zubanet");
  EXPECT_EQ(Query(block, table + "OriginalFilename"), "zubanet.exe");
  EXPECT_EQ(Query(block, table + "ProductName"), "ZubaNet");
  EXPECT_EQ(Query(block, table + "ProductVersion"), "2.1.0");
  EXPECT_EQ(Query(block, table + "LegalTrademarks"), "");
  EXPECT_EQ(Query(block, table + "Comments"), "");
  EXPECT_NE(Query(block, table + "CompanyName"), "<none>");
  EXPECT_NE(Query(block, table + "LegalCopyright"), "<none>");
}

TEST(VersionScriptTest, BracesCommentsEscapesAndJapaneseText) {
  platform::VersionResource r = ParseVersionScript(
      u8R"(1 VERSIONINFO /* fixed
   part */ FILEVERSION 1, 2, 3, 4L
{ BLOCK "StringFileInfo" { BLOCK "041103a4" {
  VALUE "Comments", "a ""quoted"" \\ word\tand ズバ"  // trailing comment
} } })");
  EXPECT_FALSE(r.hasVarFileInfo);
  ASSERT_EQ(r.stringTables.size(), 1u);
  EXPECT_EQ(r.stringTables[0].strings[0].second, "a \"quoted\" \\ word\tand ズバ");
}

TEST(VersionScriptTest, RefusesWhatItDoesNotKnowWithTheLine) {
  auto error = [](const std::string& script) {
    try {
      ParseVersionScript(script);
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string("parsed");
  };
  EXPECT_EQ(error("1 VERSIONINFO\nFILEDATE 1\nBEGIN END"), "line 2: unknown statement FILEDATE");
  EXPECT_EQ(error("1 VERSIONINFO BEGIN BLOCK \"VarFileInfo\" BEGIN\n"
                  "VALUE \"Translation\", 0x411 END END"),
            "line 2: translation numbers come in pairs");
  EXPECT_EQ(error("1 VERSIONINFO BEGIN\nBLOCK \"Other\" BEGIN END END"),
            "line 2: unknown block \"Other\"");
  EXPECT_EQ(error("1 VERSIONINFO BEGIN BLOCK \"StringFileInfo\n"), "line 1: string without end");
  EXPECT_EQ(error("1 VERSIONINFO FILEVERSION 1,2,3,70000 BEGIN END"),
            "line 1: version part above 65535");
  EXPECT_EQ(error("1 VERSIONINFO BEGIN END extra"), "line 1: text after the statement");
  EXPECT_EQ(error("1 VERSIONINFO BEGIN BLOCK \"StringFileInfo\" BEGIN BLOCK \"041103A4\" BEGIN "
                  "VALUE \"A\", \"\xF0\x9F\x98\x80\" END END END"),
            "line 1: \"\xF0\x9F\x98\x80\" has characters CP932 cannot hold");
}

TEST(VersionScriptTest, TheGeneratedSourcePlacesEveryByteInTheSection) {
  std::string source = VersionBlockSource(std::string("\x01\xFF", 2), "zuba_version", "x.rc");
  EXPECT_NE(source.find("section(\"zuba_version\"), used"), std::string::npos);
  EXPECT_NE(source.find("kVersionResource[2] = {\n    0x01, 0xFF,\n};"), std::string::npos);
}

}  // namespace
}  // namespace zuba::resource
