// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/pixel_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr uint32_t PAPER = 0xFFFFFFFFu, INK = 0xFF102030u;
constexpr int W = 30, H = 20, STRIDE = W + 3;  // spare words at each row's end stay paper

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && a < 0);
}

// Worked out on its own: step i lies at the major start plus or minus i, and at the minor
// start plus i * dMinor / n rounded to the nearest pixel, a tie going to the smaller one;
// only the steps whose major coordinate is on the surface are visited.
std::vector<uint32_t> Reference(int x0, int y0, int x1, int y1, int dotStart) {
    std::vector<uint32_t> out(size_t(STRIDE) * H, PAPER);
    const int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy)), major0 = xMajor ? x0 : y0;
    for (int a = 0; a < (xMajor ? W : H); ++a) {
        const int64_t i = (xMajor ? dx : dy) > 0 ? a - major0 : major0 - a;
        if (i < 0 || i >= n || (dotStart >= 0 && (dotStart + i) % 6 >= 3)) continue;
        const int64_t minor =
            (xMajor ? y0 : x0) + FloorDiv(2 * i * (xMajor ? dy : dx) + n - 1, 2 * n);
        const int64_t x = xMajor ? a : minor, y = xMajor ? minor : a;
        if (x >= 0 && x < W && y >= 0 && y < H) out[size_t(y) * STRIDE + x] = INK;
    }
    return out;
}

// Random segments, many leaving the surface on any side, and some from the far ends of the
// coordinate range, solid and dotted from a random phase.
TEST(PixelRasterTest, ClippedSegmentsMatchAReferenceStepByStep) {
    const int M = pixel_raster::MAX_COORDINATE;
    std::vector<std::vector<int>> segments = {
        {-M, -3, M, 17}, {M, 40, -M, -25}, {-5, -M, 31, M}, {50, M, -20, -M}, {-M, -M, M, M}};
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(-60, 90), phase(0, 5);
    for (int k = 0; k < 2000; ++k)
        segments.push_back(
            {coordinate(random), coordinate(random), coordinate(random), coordinate(random)});
    for (size_t k = 0; k < segments.size(); ++k) {
        const std::vector<int>& s = segments[k];
        const int start = k % 2 == 1 ? phase(random) : -1;  // solid when negative
        SCOPED_TRACE(::testing::PrintToString(s) + " dotted from " + std::to_string(start));
        std::vector<uint32_t> pixels(size_t(STRIDE) * H, PAPER);
        pixel_raster::DotPhase dots{start};
        pixel_raster::DrawSegment({pixels.data(), W, H, STRIDE}, s[0], s[1], s[2], s[3], INK,
                                  start < 0 ? nullptr : &dots);
        ASSERT_EQ(pixels, Reference(s[0], s[1], s[2], s[3], start));
    }
}

}  // namespace
