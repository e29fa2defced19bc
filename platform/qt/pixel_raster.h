// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of one-pixel lines and pen-outlined rectangles straight into the pixels of a
// 32-bit image (one 0xAARRGGBB word a pixel), without the painter: the fast path of the
// painter-backed device context for pictures drawn into memory. Knows nothing of Qt.
//
// Keeps the device context's conventions (platform/dc.h) in integer device pixels:
// - A segment from (x0, y0) to (x1, y1) covers max(|dx|, |dy|) pixels, one a step along
//   its longer axis, starting at (x0, y0) and stopping before (x1, y1). The pixel of
//   step i lies on the other axis at the start plus i * d / n rounded to the nearest
//   integer, a tie going to the smaller coordinate; so a segment and its reverse cover
//   the same pixels apart from the two ends.
// - A dotted line is on for three pixels and off for three, counted along the pixels the
//   line covers; the count runs on from one segment to the next through DotPhase.
// - Rectangles exclude their right column and bottom row.
// Everything is clipped to the image; pixels outside it still count for the dot pattern.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pixel_raster {

// The pixels drawn into: `width` by `height`, row y starting at bits + y * stride
// (stride in pixels, at least width).
struct Surface {
    uint32_t* bits;
    int width;
    int height;
    std::ptrdiff_t stride;
};

// Coordinates are accepted from -MAX_COORDINATE to MAX_COORDINATE (pixels), which keeps
// the exact integer arithmetic of a segment within 64 bits.
constexpr int MAX_COORDINATE = 1 << 28;
constexpr bool CoordinateFits(int v) {
    return v >= -MAX_COORDINATE && v <= MAX_COORDINATE;
}

// Dot pattern of a dotted pen: DOT_ON pixels on out of every DOT_PERIOD.
constexpr int DOT_ON = 3;
constexpr int DOT_PERIOD = 6;

// Where a dotted line stands in its pattern: the position, 0 to DOT_PERIOD * scale - 1,
// of the next pixel it covers. A line starts at 0. With a scale of n, the pattern is n
// times as long: DOT_ON * n pixels on out of every DOT_PERIOD * n (a picture drawn at n
// device pixels to its pixel).
struct DotPhase {
    int next = 0;
    int scale = 1;
};

// Draws the segment in `colour`, solid when `dots` is null, else dotted from (and
// advancing) *dots. Both ends must satisfy CoordinateFits.
void DrawSegment(const Surface& surface, int x0, int y0, int x1, int y1, uint32_t colour,
                 DotPhase* dots);

// Fills the pixels of columns left to right - 1 and rows top to bottom - 1.
void FillRect(const Surface& surface, int left, int top, int right, int bottom, uint32_t colour);

// A rectangle of the device context: the outermost pixels of (left, top, right, bottom),
// right column and bottom row excluded, in `outline`, the pixels inside in `fill`.
void OutlinedRect(const Surface& surface, int left, int top, int right, int bottom,
                  uint32_t outline, uint32_t fill);

}  // namespace pixel_raster
