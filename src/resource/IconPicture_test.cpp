#include "resource/IconPicture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zuba::resource {
namespace {

std::uint32_t Le(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

// A 16 x 16 picture: black everywhere but a transparent top-left pixel and
// a white one beside it.
std::string Small() {
  std::string rows = ".wkkkkkkkkkkkkkk\n";
  for (int i = 1; i < 16; ++i) rows += std::string(16, 'k') + "\n";
  return "icon 16\n" + rows;
}

TEST(IconPictureTest, TheProgramsPictureHasA32And16PixelImage) {
  std::ifstream in(ZUBA_ICON_PICTURE, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<IconImage> images = ParseIconPicture(text.str());
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].size, 32);
  EXPECT_EQ(images[1].size, 16);
}

TEST(IconPictureTest, RefusesWhatIsNoPicture) {
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {"", "line 0: no image"},
      {"kk\n", "line 1: a row before \"icon SIZE\""},
      {"icon 24\n", "line 1: an icon is 16, 32 or 48 pixels"},
      {"icon 16\n" + std::string(15, 'k') + "\n", "line 2: a row of 15 pixels, not 16"},
      {"icon 16\n" + std::string(15, 'k') + "x\n", "line 2: no colour is named 'x'"},
      {"icon 16\n" + std::string(16, 'k') + "\n", "line 2: the last image has too few rows"},
      {"icon 16\n" + std::string(16, 'k') + "\nicon 32\n", "line 3: the image before has too few rows"},
      {Small() + std::string(16, 'k') + "\n", "line 18: one row too many"},
  };
  for (const auto& c : cases) {
    try {
      ParseIconPicture(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(IconPictureTest, IconFileHoldsA16ColourBitmapAndItsMaskBottomUp) {
  std::string file = IconFile(ParseIconPicture(Small()));
  // The directory: an icon of one image, 16 x 16, 16 colours, 4 bits.
  EXPECT_EQ(Le(file, 0, 2), 0u);
  EXPECT_EQ(Le(file, 2, 2), 1u);
  EXPECT_EQ(Le(file, 4, 2), 1u);
  EXPECT_EQ(file.substr(6, 4), std::string("\x10\x10\x10\x00", 4));
  EXPECT_EQ(Le(file, 12, 2), 4u);
  const std::uint32_t size = 40 + 64 + 16 * 8 + 16 * 4;
  EXPECT_EQ(Le(file, 14, 4), size);
  EXPECT_EQ(Le(file, 18, 4), 22u);
  ASSERT_EQ(file.size(), 22 + size);
  // The header: the height counts the mask's rows too.
  EXPECT_EQ(Le(file, 22, 4), 40u);
  EXPECT_EQ(Le(file, 26, 4), 16u);
  EXPECT_EQ(Le(file, 30, 4), 32u);
  EXPECT_EQ(Le(file, 36, 2), 4u);
  // White is the palette's last colour, stored blue, green, red.
  EXPECT_EQ(file.substr(22 + 40 + 15 * 4, 4), std::string("\xFF\xFF\xFF\x00", 4));
  // The top row is the last of the colour rows: transparent (black under
  // the mask), white; then the mask's last row marks the first pixel alone.
  const std::size_t colours = 22 + 40 + 64;
  EXPECT_EQ(static_cast<unsigned char>(file[colours + 15 * 8]), 0x0Fu);
  EXPECT_EQ(static_cast<unsigned char>(file[colours + 14 * 8]), 0x00u);
  const std::size_t mask = colours + 16 * 8;
  EXPECT_EQ(file.substr(mask + 15 * 4, 4), std::string("\x80\x00\x00\x00", 4));
  EXPECT_EQ(file.substr(mask, 4), std::string(4, '\0'));
}

TEST(IconPictureTest, PngShowsTheImagesScaledSideBySide) {
  std::vector<IconImage> images = ParseIconPicture(Small() + "icon 32\n" +
                                                   [] {
                                                     std::string rows;
                                                     for (int i = 0; i < 32; ++i)
                                                       rows += std::string(32, 'w') + "\n";
                                                     return rows;
                                                   }());
  std::string png = IconPng(images, 2);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  // 2 + 32 + 2 + 64 + 2 pixels wide, as high as the larger.
  EXPECT_EQ(png.substr(16, 8), std::string("\x00\x00\x00\x66\x00\x00\x00\x40", 8));
  EXPECT_EQ(png.substr(png.size() - 12), std::string("\x00\x00\x00\x00IEND\xAE\x42\x60\x82", 12));
}

}  // namespace
}  // namespace zuba::resource
