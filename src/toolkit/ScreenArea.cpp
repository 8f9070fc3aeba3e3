#include "toolkit/ScreenArea.h"

#include <algorithm>
#include <limits>

namespace zuba::toolkit {
namespace {

// How far [start, start + length) and [areaStart, areaStart + areaLength)
// share (positive) or lie apart (negative: the gap between them).
long long Overlap(int start, int length, int areaStart, int areaLength) {
  const long long end = static_cast<long long>(start) + length;
  const long long areaEnd = static_cast<long long>(areaStart) + areaLength;
  return std::min(end, areaEnd) - std::max<long long>(start, areaStart);
}

int Kept(int start, int length, int areaStart, int areaLength) {
  const long long areaEnd = static_cast<long long>(areaStart) + areaLength;
  long long kept = std::min<long long>(start, areaEnd - length);
  return static_cast<int>(std::max<long long>(kept, areaStart));
}

}  // namespace

Rect KeepInside(const Rect& frame, const Rect& area) {
  return Rect{Kept(frame.left, frame.width, area.left, area.width),
              Kept(frame.top, frame.height, area.top, area.height), frame.width, frame.height};
}

Rect CenteredIn(const Rect& frame, const Rect& area) {
  return Rect{area.left + (area.width - frame.width) / 2,
              area.top + (area.height - frame.height) / 2, frame.width, frame.height};
}

std::size_t AreaOf(const Rect& frame, const std::vector<Rect>& areas) {
  std::size_t best = 0;
  long long bestShared = std::numeric_limits<long long>::min();
  long long bestGap = std::numeric_limits<long long>::max();
  for (std::size_t i = 0; i < areas.size(); ++i) {
    const long long across = Overlap(frame.left, frame.width, areas[i].left, areas[i].width);
    const long long down = Overlap(frame.top, frame.height, areas[i].top, areas[i].height);
    if (across > 0 && down > 0) {
      if (across * down > bestShared) {
        bestShared = across * down;
        best = i;
      }
      continue;
    }
    // Apart: the distance between the two, counted along both axes.
    const long long gap = std::max(-across, 0LL) + std::max(-down, 0LL);
    if (bestShared < 0 && gap < bestGap) {
      bestGap = gap;
      best = i;
    }
  }
  return best;
}

Rect KeepOnScreen(const Rect& frame, const std::vector<Rect>& areas) {
  if (areas.empty()) return frame;
  return KeepInside(frame, areas[AreaOf(frame, areas)]);
}

}  // namespace zuba::toolkit
