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

constexpr uint32_t PAPER = 0xFFFFFFFFu;
constexpr uint32_t INK = 0xFF102030u;

// A surface of its own pixels, with `pad` spare words at the end of each row that nothing
// may write.
struct Canvas {
    Canvas(int width, int height, int pad = 0)
        : width(width),
          height(height),
          stride(width + pad),
          pixels(size_t(stride) * height, PAPER) {}
    pixel_raster::Surface surface() { return {pixels.data(), width, height, stride}; }
    uint32_t& at(int x, int y) { return pixels[size_t(y) * stride + x]; }
    std::vector<std::pair<int, int>> inked() {
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
    bool xMajor = std::llabs(dx) >= std::llabs(dy);
    int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
    int64_t num = i * (xMajor ? dy : dx);
    int64_t fl = num / n;
    if (num % n != 0 && num < 0) --fl;
    if (2 * (num - fl * n) > n) ++fl;
    int64_t major = (xMajor ? x0 : y0) + ((xMajor ? dx : dy) > 0 ? i : -i);
    int64_t minor = (xMajor ? y0 : x0) + fl;
    return xMajor ? std::make_pair(major, minor) : std::make_pair(minor, major);
}

// The reference drawing of a segment onto a canvas: the steps whose major coordinate lies
// on the canvas, dotted from phase `dotStart` when it is not negative.
Canvas Reference(const Canvas& like, int x0, int y0, int x1, int y1, int dotStart) {
    Canvas out(like.width, like.height, like.stride - like.width);
    const int64_t dx = int64_t{x1} - x0, dy = int64_t{y1} - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
    for (int a = 0; a < (xMajor ? out.width : out.height); ++a) {
        int64_t i = xMajor ? (dx > 0 ? a - int64_t{x0} : x0 - int64_t{a})
                           : (dy > 0 ? a - int64_t{y0} : y0 - int64_t{a});
        if (i < 0 || i >= n) continue;
        if (dotStart >= 0 && (dotStart + i) % pixel_raster::DOT_PERIOD >= pixel_raster::DOT_ON)
            continue;
        auto p = ReferencePixel(x0, y0, x1, y1, i);
        if (p.first >= 0 && p.first < out.width && p.second >= 0 && p.second < out.height)
            out.at(int(p.first), int(p.second)) = INK;
    }
    return out;
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

// Random segments, many leaving the surface on any side, and segments from the far ends of
// the coordinate range: what lands on a small surface is what the step-by-step reference
// puts there, dots and the row padding included.
TEST(PixelRasterTest, ClippedSegmentsMatchTheReferenceStepByStep) {
    const int M = pixel_raster::MAX_COORDINATE;
    struct Segment {
        int x0, y0, x1, y1;
    };
    std::vector<Segment> segments = {
        {-M, -3, M, 17},  {M, 40, -M, -25}, {-5, -M, 31, M},
        {50, M, -20, -M}, {-M, -M, M, M},   {-M, 30, M, 31},  // the last misses the surface
    };
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coordinate(-60, 90);
    for (int k = 0; k < 2000; ++k)
        segments.push_back(
            {coordinate(random), coordinate(random), coordinate(random), coordinate(random)});
    std::uniform_int_distribution<int> phase(0, pixel_raster::DOT_PERIOD - 1);
    for (size_t k = 0; k < segments.size(); ++k) {
        const Segment& s = segments[k];
        const bool dotted = k % 2 == 1;
        const int start = phase(random);
        SCOPED_TRACE(::testing::Message() << s.x0 << "," << s.y0 << " " << s.x1 << "," << s.y1
                                          << (dotted ? " dotted from " : " solid ") << start);
        Canvas canvas(30, 20, 3);
        DotPhase dots{start};
        pixel_raster::DrawSegment(canvas.surface(), s.x0, s.y0, s.x1, s.y1, INK,
                                  dotted ? &dots : nullptr);
        ASSERT_EQ(canvas.pixels,
                  Reference(canvas, s.x0, s.y0, s.x1, s.y1, dotted ? start : -1).pixels);
        const int64_t n =
            std::max(std::llabs(int64_t{s.x1} - s.x0), std::llabs(int64_t{s.y1} - s.y0));
        if (dotted) {
            EXPECT_EQ(dots.next, (start + n) % pixel_raster::DOT_PERIOD);
        }
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
    for (int x = 0; x < 12; ++x) EXPECT_EQ(canvas.at(x, 1), x % 6 < 3 ? INK : PAPER) << x;
    // The column goes on at pixel 12 of the line: on, on, on, off, off, off.
    for (int y = 1; y < 7; ++y) EXPECT_EQ(canvas.at(12, y), (11 + y) % 6 < 3 ? INK : PAPER) << y;
    EXPECT_EQ(dots.next, 18 % 6);
}

TEST(PixelRasterTest, RectanglesLeaveOutTheirRightColumnAndBottomRow) {
    constexpr uint32_t FILL = 0xFFFF0000u;
    struct Case {
        const char* label;
        int left, top, right, bottom;
        const char* picture;  // rows of '#' outline, 'o' fill, '.' paper
    };
    const Case cases[] = {
        {"four by four", 1, 1, 5, 5, "...... .####. .#oo#. .#oo#. .####. ......"},
        {"one pixel", 2, 2, 3, 3, "...... ...... ..#... ...... ...... ......"},
        {"two wide", 0, 1, 2, 5, "...... ##.... ##.... ##.... ##.... ......"},
        {"hanging over the edges", -2, 3, 9, 9, "...... ...... ...... ###### oooooo oooooo"},
        {"empty", 3, 3, 3, 5, "...... ...... ...... ...... ...... ......"},
        {"inside out", 4, 4, 2, 2, "...... ...... ...... ...... ...... ......"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Canvas canvas(6, 6, 2);
        pixel_raster::OutlinedRect(canvas.surface(), c.left, c.top, c.right, c.bottom, INK, FILL);
        std::string picture;
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 8; ++x)  // the padding too, which stays paper
                picture += canvas.at(x, y) == INK ? '#' : canvas.at(x, y) == FILL ? 'o' : '.';
            if (y < 5) picture += ' ';
        }
        std::string expected;
        for (const char* r = c.picture; *r; ++r)
            expected += *r == ' ' ? std::string(".. ") : std::string(1, *r);
        EXPECT_EQ(picture, expected + "..");
    }
}

}  // namespace
