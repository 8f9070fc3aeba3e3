// Where a window goes on the screen. A front-end asks whenever it shows a
// form or the form's size changes, with the work areas of its screens (a
// screen less its task bar), so that no part of a window (its buttons in
// edit mode, say) lies where the user cannot reach it.
#ifndef ZUBA_TOOLKIT_SCREENAREA_H_
#define ZUBA_TOOLKIT_SCREENAREA_H_

#include <vector>

#include "toolkit/Graphics.h"

namespace zuba::toolkit {

// `frame` moved so that it lies whole inside `area`: left and up by what it
// overhangs the right and bottom edges, then right and down by what it
// overhangs the left and top. A frame larger than the area keeps its left
// and top edges inside, so the caption can still be taken.
Rect KeepInside(const Rect& frame, const Rect& area);

// `frame` centred in `area` (its size kept).
Rect CenteredIn(const Rect& frame, const Rect& area);

// The index of the work area in `areas` a frame belongs to: the one it
// overlaps most, or for a frame off every area the nearest one. 0 when
// `areas` is empty.
std::size_t AreaOf(const Rect& frame, const std::vector<Rect>& areas);

// `frame` kept inside the work area it belongs to; unchanged without areas.
Rect KeepOnScreen(const Rect& frame, const std::vector<Rect>& areas);

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_SCREENAREA_H_
