#include "platform/VersionResource.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zuba::platform {
namespace {

VersionResource Sample() {
  VersionResource r;
  r.fixed.fileVersion = {2, 1, 0, 54};
  r.fixed.productVersion = {2, 1, 0, 54};
  r.stringTables.push_back(
      {"041103A4", {{"FileVersion", "2.1.0.54"}, {"Comments", ""}, {"ProductName", "ズバネット"}}});
  r.translations = {0x03A40411};
  return r;
}

std::uint32_t Dword(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
  return v;
}

TEST(VersionResourceTest, TheBlockHasTheWindowsLayout) {
  std::string block = BuildVersionBlock(Sample());
  ASSERT_GE(block.size(), 92u);
  EXPECT_EQ(Dword(block, 0) & 0xFFFF, block.size());  // wLength covers the whole block
  EXPECT_EQ(Dword(block, 0) >> 16, 52u);              // wValueLength: VS_FIXEDFILEINFO
  EXPECT_EQ(std::string(block.data() + 6, 6), std::string("V\0S\0_\0", 6));
  EXPECT_EQ(Dword(block, 40), kFixedFileInfoSignature);  // key padded to offset 40
  EXPECT_EQ(Dword(block, 48), 0x00020001u);              // file version, high
  EXPECT_EQ(Dword(block, 52), 0x00000036u);              // file version, low: 0.54
}

TEST(VersionResourceTest, QueriesFixedPartTranslationsAndStrings) {
  std::string block = BuildVersionBlock(Sample());
  std::string data;
  std::uint32_t length = 0;
  ASSERT_TRUE(QueryVersionValue(block, "\\", &data, &length));
  EXPECT_EQ(length, 52u);
  EXPECT_EQ(Dword(data, 0), kFixedFileInfoSignature);

  ASSERT_TRUE(QueryVersionValue(block, "\\VarFileInfo\\Translation", &data, &length));
  EXPECT_EQ(length, 4u);
  EXPECT_EQ(Dword(data, 0), 0x03A40411u);

  ASSERT_TRUE(QueryVersionValue(block, "\\StringFileInfo\\041103A4\\FileVersion", &data, &length));
  EXPECT_EQ(data, std::string("2.1.0.54\0", 9));
  EXPECT_EQ(length, 9u);
  // Names compare without regard to case; Japanese text comes back as CP932.
  ASSERT_TRUE(QueryVersionValue(block, "\\stringfileinfo\\041103a4\\PRODUCTNAME", &data, &length));
  EXPECT_EQ(data, std::string("ズバネット") + '\0');
  EXPECT_EQ(length, 11u);
  ASSERT_TRUE(QueryVersionValue(block, "\\StringFileInfo\\041103A4\\Comments", &data, &length));
  EXPECT_EQ(length, 1u);
}

TEST(VersionResourceTest, MissingNodesAndDamagedBlocksAnswerFalse) {
  std::string block = BuildVersionBlock(Sample());
  std::string data = "untouched";
  std::uint32_t length = 7;
  EXPECT_FALSE(QueryVersionValue(block, "\\StringFileInfo\\040904B0\\FileVersion", &data, &length));
  EXPECT_FALSE(QueryVersionValue(block, "\\StringFileInfo\\041103A4\\Nothing", &data, &length));
  EXPECT_FALSE(QueryVersionValue(block, "\\StringFileInfo", &data, &length));  // no value
  EXPECT_FALSE(QueryVersionValue("", "\\", &data, &length));
  EXPECT_FALSE(QueryVersionValue(block.substr(0, block.size() - 1), "\\", &data, &length));
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(data, "untouched");
  // Every cut of the block and every bent byte is refused or answered from
  // within the block, never read past it (the sanitizers watch this).
  for (std::size_t at = 0; at < block.size(); ++at) {
    std::string value;
    std::uint32_t size = 0;
    if (QueryVersionValue(block.substr(0, at), "\\StringFileInfo\\041103A4\\FileVersion", &value,
                          &size)) {
      EXPECT_LE(size, at);
    }
    std::string bent = block;
    bent[at] = static_cast<char>(0xFF);
    QueryVersionValue(bent, "\\StringFileInfo\\041103A4\\FileVersion", &value, &size);
  }
}

TEST(VersionResourceTest, WithoutVarFileInfoThereIsNoTranslation) {
  VersionResource r = Sample();
  r.hasVarFileInfo = false;
  std::string data;
  std::uint32_t length = 0;
  EXPECT_FALSE(
      QueryVersionValue(BuildVersionBlock(r), "\\VarFileInfo\\Translation", &data, &length));
  r.hasVarFileInfo = true;
  r.translations.clear();  // an empty table
  EXPECT_FALSE(
      QueryVersionValue(BuildVersionBlock(r), "\\VarFileInfo\\Translation", &data, &length));
}

TEST(VersionResourceTest, RefusesTextThatIsNotCp932) {
  VersionResource r = Sample();
  r.stringTables[0].strings.push_back({"Bad", std::string("\x80", 1)});
  EXPECT_THROW(BuildVersionBlock(r), std::invalid_argument);
}

}  // namespace
}  // namespace zuba::platform
