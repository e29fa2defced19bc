// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dc.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/recording_dc.h"

namespace {

TEST(DeviceContext, SelectingReturnsThePreviousObjectAndNoneIsLostWhileSelected) {
    RecordingDC dc, other;
    CPen* stockPen = dc.GetCurrentPen();
    CBrush* stockBrush = dc.GetCurrentBrush();
    CPen red(PS_DOT, 2, RGB(255, 0, 0)), unmade;
    EXPECT_EQ(dc.SelectObject(&red), stockPen);
    EXPECT_EQ(dc.SelectObject(&unmade), nullptr);  // refused: not created
    EXPECT_EQ(other.SelectObject(&red), nullptr);  // refused: selected elsewhere
    EXPECT_FALSE(red.DeleteObject());              // refused and counted
    EXPECT_EQ(dc.SelectObject(stockPen), &red);
    EXPECT_TRUE(red.DeleteObject());
    EXPECT_EQ(dc.ObjectFaults(), 1);
    {
        CBrush brush(RGB(5, 5, 5));
        EXPECT_EQ(dc.SelectObject(&brush), stockBrush);
    }  // destroyed while selected: counted, and the stock brush comes back
    EXPECT_EQ(dc.ObjectFaults(), 2);
    EXPECT_TRUE(dc.StockObjectsSelected());
    // The background mode and text colour are returned when changed, and recorded with the
    // text written in them.
    dc.TextOut(1, 2, "a");
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetTextColor(RGB(9, 8, 7)), RGB(0, 0, 0));
    dc.TextOut(3, 4, "b");
    const auto texts = dc.CallsOf(RecordingDC::Op::TextOut);
    EXPECT_EQ(
        std::make_tuple(texts[0].bkMode, texts[0].textColour, texts[1].bkMode, texts[1].textColour),
        std::make_tuple(OPAQUE, RGB(0, 0, 0), TRANSPARENT, RGB(9, 8, 7)));
}

}  // namespace

// The translucent fill is recorded with its points, colour and opacity, whatever the count;
// it selects nothing, so the state recorded with it is the one before it.
TEST(RecordingDC, RecordsTranslucentPolygons) {
    const POINT square[] = {{1, 2}, {30, 2}, {30, 40}, {1, 40}};
    const struct {
        const char* label;
        int count;
        COLORREF colour;
        int alpha;
    } cases[] = {
        {"square, half opaque", 4, RGB(230, 0, 60), 128},
        {"triangle, opaque", 3, RGB(0, 0, 255), ALPHA_OPAQUE},
        {"two points (draws nothing, still recorded)", 2, RGB(1, 2, 3), 10},
        {"no points", 0, RGB(9, 9, 9), ALPHA_TRANSPARENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RecordingDC dc;
        CPen pen(PS_DOT, 3, RGB(5, 6, 7));
        CPen* old = dc.SelectObject(&pen);
        dc.TranslucentPolygon(square, c.count, c.colour, c.alpha);
        dc.SelectObject(old);
        const auto fills = dc.CallsOf(RecordingDC::Op::TranslucentPolygon);
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(static_cast<COLORREF>(fills[0].a), c.colour);
        EXPECT_EQ(fills[0].b, c.alpha);
        ASSERT_EQ(fills[0].points.size(), static_cast<size_t>(c.count));
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(fills[0].points[i].x, square[i].x);
            EXPECT_EQ(fills[0].points[i].y, square[i].y);
        }
        EXPECT_EQ(fills[0].pen, (RecordingDC::PenValue{PS_DOT, 3, RGB(5, 6, 7)}));
        EXPECT_TRUE(dc.StockObjectsSelected());
    }
}
