#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw_helpers.h"
#include "geo/line.h"
#include "geo/world_lines.h"

namespace {

// Visible and hidden points of the document's globe (facing 0 N, 0 E), with their pixels.
const Point V0(0, 0);     // (320, 320)
const Point V1(45, 0);    // (320, 95)
const Point V2(0, 45);    // (545, 320)
const Point V3(20, -50);  // (91, 211)
const Point V4(-30, -20);
const Point H(-45, 135);  // hidden, mirrored to (479, 545)

TEST(LineDraw, SegmentsWithAHiddenEndAreLeftOutWhole) {
    const struct {
        const char* label;
        std::vector<Point> points;
        int closed;
        std::vector<std::pair<int, int>> drawn;  // (from, to) indices of the segments drawn
    } cases[] = {
        {"visible, hidden, visible draws nothing", {V0, H, V1}, 0, {}},
        {"visible, visible, hidden, visible, visible draws the first and last",
         {V0, V1, H, V2, V3},
         0,
         {{0, 1}, {3, 4}}},
        {"closed triangle of visible points draws three segments",
         {V0, V1, V2},
         1,
         {{0, 1}, {1, 2}, {2, 0}}},
        {"closed line with a hidden first point has no closing segment",
         {H, V0, V1, V2},
         1,
         {{1, 2}, {2, 3}}},
        {"closed line with a hidden last point has no closing segment",
         {V0, V1, V2, H},
         1,
         {{0, 1}, {1, 2}}},
        {"open line with two points", {V3, V4}, 0, {{0, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RecordedGlobe r;
        std::vector<Point> points = c.points;
        Line line(static_cast<int>(points.size()), points.data(), "");
        line.Draw(r.globe, RGB(0, 0, 0), c.closed, 1, PS_SOLID);
        std::vector<std::vector<int>> expected;
        for (auto [from, to] : c.drawn) {
            expected.push_back(std::vector<int>(4));
            points[from].Project(r.globe, expected.back()[0], expected.back()[1]);
            points[to].Project(r.globe, expected.back()[2], expected.back()[3]);
        }
        EXPECT_EQ(Segments(r.dc), expected);
        // Every point is visited: a move or a line for each, plus the first move.
        EXPECT_EQ(
            r.dc.CountOf(Op::MoveTo) + r.dc.CountOf(Op::LineTo),
            points.size() + (c.closed && !c.drawn.empty() && c.drawn.back().second == 0 ? 1 : 0));
        ExpectObjectsReleased(r.dc);
    }
}

TEST(LineDraw, OnlyTheRangeIsDrawn) {
    Point points[5] = {V0, V1, V2, V3, V4};
    Line line(5, points, "");
    line.Range(1, 3);
    RecordedGlobe r;
    line.Draw(r.globe, RGB(0, 0, 0), 0, 1, PS_SOLID);
    ASSERT_EQ(Segments(r.dc).size(), 1u);
    EXPECT_EQ(Segments(r.dc)[0], (std::vector<int>{320, 95, 545, 320}));
    line.Range(2, 2);
    r.dc.Clear();
    line.Draw(r.globe, RGB(0, 0, 0), 0, 1, PS_SOLID);
    EXPECT_TRUE(r.dc.Calls().empty());
}

TEST(LineDraw, WorldLinesInTheirStylesAndTooShortOnesNotAtAll) {
    const RecordingDC::PenValue BLACK{PS_SOLID, 1, 0x000000}, DARK_BLUE{PS_SOLID, 1, 0xA05000};
    const struct {
        const char* label;
        int kind;  // 0 land, 1 river, 2 water
        int size;  // of a line through V0, V1 and V2
        RecordingDC::PenValue pen;
        size_t segments;  // none: nothing drawn at all, not even the name
    } cases[] = {
        {"land: black, closed", 0, 3, BLACK, 3},
        {"river: black, open", 1, 3, BLACK, 2},
        {"water: dark blue, closed", 2, 3, DARK_BLUE, 3},
        {"river of 2 points", 1, 2, BLACK, 1},
        {"land of 2 points", 0, 2, BLACK, 0},
        {"water of 2 points", 2, 2, DARK_BLUE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Point points[3] = {V0, V1, V2};
        RecordedGlobe r;
        if (c.kind == 0) Land(c.size, points, "Named").Draw(r.globe);
        if (c.kind == 1) River(c.size, points, "Named").Draw(r.globe);
        if (c.kind == 2) Water(c.size, points, "Named").Draw(r.globe);
        const auto lines = r.dc.CallsOf(Op::LineTo);
        ASSERT_EQ(lines.size(), c.segments);
        for (const auto& call : lines) EXPECT_EQ(call.pen, c.pen);
        EXPECT_EQ(r.dc.Calls().empty(), c.segments == 0);
        EXPECT_EQ(r.dc.CountOf(Op::TextOut), c.segments == 0 ? 0u : 1u);
        ExpectObjectsReleased(r.dc);
    }
    // The lake shores stand out from the disc they are drawn on.
    EXPECT_NE(WATER_STYLE.colour, RGB(40, 166, 254));
}

TEST(LineDraw, CallsComeInTheirOrderWithTheGivenPen) {
    Point points[3] = {V0, V1, V2};
    Line line(3, points, "Tag_one");
    line.SetName("Tag_one");
    RecordedGlobe r;
    line.Draw(r.globe, RGB(0, 255, 0), 0, 1, PS_DOT);
    std::vector<Op> ops;
    for (const auto& call : r.dc.Calls()) ops.push_back(call.op);
    EXPECT_EQ(ops, (std::vector<Op>{Op::SelectPen, Op::MoveTo, Op::LineTo, Op::LineTo,
                                    Op::SelectPen, Op::SetBkMode, Op::SetTextColor, Op::SelectFont,
                                    Op::TextOut, Op::SelectFont}));
    const auto& calls = r.dc.Calls();
    EXPECT_EQ(calls[2].pen, (RecordingDC::PenValue{PS_DOT, 1, RGB(0, 255, 0)}));
    EXPECT_TRUE(calls[4].stockPen);
    const auto& text = calls[8];
    EXPECT_EQ(text.text, "Tag one");
    EXPECT_EQ(text.a, 320);
    EXPECT_EQ(text.b, 320);
    EXPECT_EQ(text.font, LabelFont());
    EXPECT_EQ(text.bkMode, TRANSPARENT);
    EXPECT_EQ(text.textColour, RGB(0, 0, 0));
    // Transparent background and black text are left behind.
    EXPECT_EQ(r.dc.GetBkMode(), TRANSPARENT);
    ExpectObjectsReleased(r.dc);
}

TEST(LineDraw, TheNameGoesAtTheFirstPixelEvenWhenHiddenAndAnEmptyOneNowhere) {
    Point points[2] = {H, V0};
    RecordedGlobe r;
    Line(2, points, "Far").Draw(r.globe, RGB(0, 0, 0), 0, 1, PS_SOLID);
    const auto texts = r.dc.CallsOf(Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].a, 479);  // the mirrored pixel
    EXPECT_EQ(texts[0].b, 545);
    EXPECT_EQ(r.dc.CountOf(Op::LineTo), 0u);
    r.dc.Clear();
    Line(2, points, "").Draw(r.globe, RGB(0, 0, 0), 0, 1, PS_SOLID);
    EXPECT_EQ(r.dc.CountOf(Op::TextOut), 0u);
    EXPECT_EQ(r.dc.CountOf(Op::SelectFont), 2u);  // the font is selected all the same
}

}  // namespace
