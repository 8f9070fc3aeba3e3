#include "toolkit/ScreenArea.h"

#include <gtest/gtest.h>

#include <vector>

namespace zuba::toolkit {
namespace {

// A 1024 x 768 screen whose task bar takes the bottom 28 pixels, and a
// second screen to its right.
const Rect kWork{0, 0, 1024, 740};
const Rect kRight{1024, 0, 800, 600};

TEST(ScreenAreaTest, AWindowIsKeptWholeInsideItsWorkArea) {
  struct Case {
    const char* what;
    Rect frame;
    Rect kept;
  };
  const Case cases[] = {
      {"inside: unchanged", {100, 50, 200, 100}, {100, 50, 200, 100}},
      // Edit mode grown right and down from a small window near the corner.
      {"overhangs right and bottom", {780, 650, 549, 425}, {475, 315, 549, 425}},
      {"far off", {5000, -3000, 200, 100}, {824, 0, 200, 100}},
      {"larger than the area: its top left", {300, 200, 1200, 900}, {0, 0, 1200, 900}},
  };
  for (const Case& c : cases) EXPECT_EQ(KeepInside(c.frame, kWork), c.kept) << c.what;
}

TEST(ScreenAreaTest, AWindowBelongsToTheScreenItOverlapsMostOrTheNearest) {
  const std::vector<Rect> areas{kWork, kRight};
  struct Case {
    const char* what;
    Rect frame;
    std::size_t area;
    Rect kept;
  };
  const Case cases[] = {
      {"mostly on the right screen", {1000, 100, 200, 100}, 1, {1024, 100, 200, 100}},
      {"mostly on the left screen", {900, 100, 200, 100}, 0, {824, 100, 200, 100}},
      {"off both, nearest the right one", {2000, 700, 200, 100}, 1, {1624, 500, 200, 100}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AreaOf(c.frame, areas), c.area) << c.what;
    EXPECT_EQ(KeepOnScreen(c.frame, areas), c.kept) << c.what;
  }
  EXPECT_EQ(KeepOnScreen({-50, 0, 10, 10}, {}), (Rect{-50, 0, 10, 10}));
  EXPECT_EQ(CenteredIn({0, 0, 200, 100}, kRight), (Rect{1324, 250, 200, 100}));
}

}  // namespace
}  // namespace zuba::toolkit
