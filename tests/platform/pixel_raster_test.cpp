#include "platform/qt/pixel_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using pixel_raster::DotPhase;
using pixel_raster::Surface;

constexpr uint32_t PAPER = 0xFFFFFFFFu;
constexpr uint32_t INK = 0xFF102030u;

// A surface of its own pixels, with `pad` spare words at the end of each row that nothing
// may write.
struct Canvas {
    Canvas(int width, int height, int pad = 0)
        : width(width),
          height(height),
          stride(width + pad),
          pixels(static_cast<size_t>(stride) * height, PAPER) {}
    Surface surface() { return Surface{pixels.data(), width, height, stride}; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * stride + x]; }
    std::vector<std::pair<int, int>> inked() const {
        std::vector<std::pair<int, int>> out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y) != PAPER) out.emplace_back(x, y);
        return out;
    }
    int width, height, stride;
    std::vector<uint32_t> pixels;
};

// The pixel of step i of the segment, worked out on its own: the exact position on the
// minor axis is b0 + i * d / n; take its floor and go one further when the fraction left
// is more than a half.
std::pair<int64_t, int64_t> ReferencePixel(int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                                           int64_t i) {
    int64_t dx = x1 - x0, dy = y1 - y0;
    bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    int64_t n = xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
    int64_t d = xMajor ? dy : dx;
    int64_t num = i * d;
    int64_t fl = num / n;
    if (num % n != 0 && num < 0) --fl;
    if (2 * (num - fl * n) > n) ++fl;
    int64_t major = (xMajor ? x0 : y0) + ((xMajor ? dx : dy) > 0 ? i : -i);
    int64_t minor = (xMajor ? y0 : x0) + fl;
    return xMajor ? std::make_pair(major, minor) : std::make_pair(minor, major);
}

TEST(PixelRasterTest, SegmentsCoverTheNearestPixelsAndStopBeforeTheirEnd) {
    struct Case {
        const char* label;
        int x0, y0, x1, y1;
        std::vector<std::pair<int, int>> pixels;  // in row order
    };
    const Case cases[] = {
        {"rightwards", 2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {"leftwards", 6, 3, 2, 3, {{3, 3}, {4, 3}, {5, 3}, {6, 3}}},
        {"downwards", 4, 1, 4, 4, {{4, 1}, {4, 2}, {4, 3}}},
        {"upwards", 4, 4, 4, 1, {{4, 2}, {4, 3}, {4, 4}}},
        {"one pixel", 5, 5, 6, 6, {{5, 5}}},
        {"diagonal", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
        {"gentle slope", 2, 2, 8, 4, {{2, 2}, {3, 2}, {4, 3}, {5, 3}, {6, 3}, {7, 4}}},
        {"gentle slope back", 8, 4, 2, 2, {{3, 2}, {4, 3}, {5, 3}, {6, 3}, {7, 4}, {8, 4}}},
        {"tie goes up the picture", 2, 2, 4, 3, {{2, 2}, {3, 2}}},
        {"tie goes up when climbing", 2, 3, 4, 2, {{3, 2}, {2, 3}}},
        {"tie goes left", 5, 2, 4, 4, {{5, 2}, {4, 3}}},
        {"steep", 2, 2, 4, 8, {{2, 2}, {2, 3}, {3, 4}, {3, 5}, {3, 6}, {4, 7}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Canvas canvas(12, 12);
        pixel_raster::DrawSegment(canvas.surface(), c.x0, c.y0, c.x1, c.y1, INK, nullptr);
        EXPECT_EQ(canvas.inked(), c.pixels);
    }
}

TEST(PixelRasterTest, ASegmentAndItsReverseShareAllButTheirEnds) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, 39);
    for (int k = 0; k < 500; ++k) {
        int x0 = coordinate(random), y0 = coordinate(random);
        int x1 = coordinate(random), y1 = coordinate(random);
        if (x0 == x1 && y0 == y1) continue;
        SCOPED_TRACE(::testing::Message() << x0 << "," << y0 << " " << x1 << "," << y1);
        Canvas forward(40, 40), backward(40, 40);
        pixel_raster::DrawSegment(forward.surface(), x0, y0, x1, y1, INK, nullptr);
        pixel_raster::DrawSegment(backward.surface(), x1, y1, x0, y0, INK, nullptr);
        // Each without its start: the same pixels.
        forward.pixels[static_cast<size_t>(y0) * 40 + x0] = PAPER;
        backward.pixels[static_cast<size_t>(y1) * 40 + x1] = PAPER;
        EXPECT_EQ(forward.inked(), backward.inked());
    }
}

// Random segments, many of them leaving the surface on any side, drawn onto a small
// surface: what lands there is what the step-by-step reference puts there, dots included.
TEST(PixelRasterTest, ClippedSegmentsMatchTheReferenceStepByStep) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(-60, 90);
    std::uniform_int_distribution<int> phase(0, pixel_raster::DOT_PERIOD - 1);
    const int W = 30, H = 20;
    for (int k = 0; k < 2000; ++k) {
        int x0 = coordinate(random), y0 = coordinate(random);
        int x1 = coordinate(random), y1 = coordinate(random);
        bool dotted = k % 2 == 1;
        int start = phase(random);
        SCOPED_TRACE(::testing::Message() << x0 << "," << y0 << " " << x1 << "," << y1
                                          << (dotted ? " dotted from " : " solid ") << start);
        Canvas canvas(W, H, 3), expected(W, H, 3);
        DotPhase dots{start};
        pixel_raster::DrawSegment(canvas.surface(), x0, y0, x1, y1, INK, dotted ? &dots : nullptr);
        int64_t n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int64_t i = 0; i < n; ++i) {
            if (dotted && (start + i) % pixel_raster::DOT_PERIOD >= pixel_raster::DOT_ON) continue;
            auto p = ReferencePixel(x0, y0, x1, y1, i);
            if (p.first >= 0 && p.first < W && p.second >= 0 && p.second < H)
                expected.pixels[static_cast<size_t>(p.second) * expected.stride + p.first] = INK;
        }
        ASSERT_EQ(canvas.pixels, expected.pixels);  // the row padding included
        if (dotted) {
            EXPECT_EQ(dots.next, (start + n) % pixel_raster::DOT_PERIOD);
        }
    }
}

// Ends far outside the surface: the pixels inside are the reference's, column by column
// (or row by row), and drawing does not walk the whole length.
TEST(PixelRasterTest, SegmentsFromFarAwayAreClippedExactly) {
    const int M = pixel_raster::MAX_COORDINATE;
    struct Case {
        const char* label;
        int x0, y0, x1, y1;
    };
    const Case cases[] = {
        {"across, gently falling", -M, -3, M, 17}, {"across, leftwards and rising", M, 40, -M, -25},
        {"down, steeply", -5, -M, 31, M},          {"up, steeply", 50, M, -20, -M},
        {"corner to corner", -M, -M, M, M},        {"misses the surface", -M, 30, M, 31},
    };
    const int W = 24, H = 16;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Canvas canvas(W, H), expected(W, H);
        pixel_raster::DrawSegment(canvas.surface(), c.x0, c.y0, c.x1, c.y1, INK, nullptr);
        int64_t dx = int64_t{c.x1} - c.x0, dy = int64_t{c.y1} - c.y0;
        bool xMajor = std::llabs(dx) >= std::llabs(dy);
        int limit = xMajor ? W : H;
        for (int a = 0; a < limit; ++a) {
            int64_t i = xMajor ? (dx > 0 ? a - int64_t{c.x0} : int64_t{c.x0} - a)
                               : (dy > 0 ? a - int64_t{c.y0} : int64_t{c.y0} - a);
            auto p = ReferencePixel(c.x0, c.y0, c.x1, c.y1, i);
            if (p.first >= 0 && p.first < W && p.second >= 0 && p.second < H)
                expected.pixels[static_cast<size_t>(p.second) * W + p.first] = INK;
        }
        EXPECT_EQ(canvas.pixels, expected.pixels);
    }
}

TEST(PixelRasterTest, DotsRunOnFromSegmentToSegment) {
    // A polyline along row 1 in pieces of 1, 2, 4 and 5 pixels, then down column 12.
    Canvas canvas(16, 8);
    DotPhase dots;
    const int xs[] = {0, 1, 3, 7, 12};
    for (int k = 1; k < 5; ++k)
        pixel_raster::DrawSegment(canvas.surface(), xs[k - 1], 1, xs[k], 1, INK, &dots);
    pixel_raster::DrawSegment(canvas.surface(), 12, 1, 12, 7, INK, &dots);
    for (int x = 0; x < 12; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(canvas.at(x, 1), x % 6 < 3 ? INK : PAPER);
    }
    // The column goes on at pixel 12 of the line: on, on, on, off, off, off.
    for (int y = 1; y < 7; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(canvas.at(12, y), (11 + y) % 6 < 3 ? INK : PAPER);
    }
    EXPECT_EQ(dots.next, 18 % 6);
}

TEST(PixelRasterTest, RectanglesLeaveOutTheirRightColumnAndBottomRow) {
    constexpr uint32_t FILL = 0xFFFF0000u;
    struct Case {
        const char* label;
        int left, top, right, bottom;
        const char* rows[6];  // '#' outline, 'o' fill, '.' paper
    };
    const Case cases[] = {
        {"four by four", 1, 1, 5, 5, {"......", ".####.", ".#oo#.", ".#oo#.", ".####.", "......"}},
        {"one pixel", 2, 2, 3, 3, {"......", "......", "..#...", "......", "......", "......"}},
        {"two wide", 0, 1, 2, 5, {"......", "##....", "##....", "##....", "##....", "......"}},
        {"hanging over the edges",
         -2,
         3,
         9,
         9,
         {"......", "......", "......", "######", "oooooo", "oooooo"}},
        {"empty", 3, 3, 3, 5, {"......", "......", "......", "......", "......", "......"}},
        {"inside out", 4, 4, 2, 2, {"......", "......", "......", "......", "......", "......"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Canvas canvas(6, 6, 2);
        pixel_raster::OutlinedRect(canvas.surface(), c.left, c.top, c.right, c.bottom, INK, FILL);
        for (int y = 0; y < 6; ++y) {
            std::string row;
            for (int x = 0; x < 6; ++x)
                row += canvas.at(x, y) == INK ? '#' : canvas.at(x, y) == FILL ? 'o' : '.';
            EXPECT_EQ(row, c.rows[y]) << "row " << y;
        }
        for (int y = 0; y < 6; ++y)
            for (int x = 6; x < 8; ++x) EXPECT_EQ(canvas.at(x, y), PAPER);
    }
}

}  // namespace
