#include "platform/dc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/recording_dc.h"

namespace {

using Op = RecordingDC::Op;

TEST(Colours, RgbPacksRedGreenBlueLowToHigh) {
    EXPECT_EQ(RGB(40, 166, 254), 0xFEA628u);
    EXPECT_EQ(RGB(0, 80, 160), 0xA05000u);
    EXPECT_EQ(GetRValue(0xFEA628), 40);
    EXPECT_EQ(GetGValue(0xFEA628), 166);
    EXPECT_EQ(GetBValue(0xFEA628), 254);
}

TEST(DeviceContext, StartsWithStockObjectsAndOpaqueBlackText) {
    RecordingDC dc;
    EXPECT_TRUE(dc.StockObjectsSelected());
    const CPen* pen = dc.GetCurrentPen();
    EXPECT_EQ(pen->style, PS_SOLID);
    EXPECT_EQ(pen->width, 1);
    EXPECT_EQ(pen->colour, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetCurrentBrush()->colour, RGB(255, 255, 255));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
}

TEST(DeviceContext, SelectingAndSettingReturnThePreviousOne) {
    RecordingDC dc;
    CPen* stockPen = dc.GetCurrentPen();
    CPen red(PS_DOT, 2, RGB(255, 0, 0)), blue(PS_SOLID, 1, RGB(0, 0, 255)), unmade;
    EXPECT_EQ(dc.SelectObject(&red), stockPen);
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(dc.SelectObject(&unmade), nullptr);  // refused: not created, or null
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
    EXPECT_EQ(dc.SelectObject(stockPen), &blue);

    CBrush brush(RGB(1, 2, 3));
    CBrush* stockBrush = dc.SelectObject(&brush);
    EXPECT_EQ(dc.GetCurrentBrush(), &brush);
    EXPECT_EQ(dc.SelectObject(stockBrush), &brush);

    CFont font;
    LOGFONT lf{};
    lf.lfHeight = 12;
    std::strcpy(lf.lfFaceName, "Arial");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    EXPECT_EQ(font.height, 12);
    EXPECT_EQ(font.face, "Arial");
    CFont* stockFont = dc.SelectObject(&font);
    EXPECT_EQ(dc.SelectObject(stockFont), &font);
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.ObjectFaults(), 0);

    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetBkMode(OPAQUE), TRANSPARENT);
    EXPECT_EQ(dc.SetTextColor(RGB(9, 8, 7)), RGB(0, 0, 0));
    EXPECT_EQ(dc.SetTextColor(RGB(0, 0, 0)), RGB(9, 8, 7));
}

TEST(DeviceContext, ObjectsAreNeverLostWhileSelected) {
    RecordingDC dc, other;
    CPen pen(PS_SOLID, 1, RGB(1, 1, 1));
    CPen* old = dc.SelectObject(&pen);
    EXPECT_EQ(other.SelectObject(&pen), nullptr);  // selected elsewhere
    EXPECT_FALSE(pen.DeleteObject());              // refused and counted
    EXPECT_TRUE(pen.IsCreated());
    EXPECT_EQ(dc.ObjectFaults(), 1);
    dc.SelectObject(old);
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_FALSE(pen.IsCreated());
    EXPECT_FALSE(pen.DeleteObject());  // once only
    EXPECT_EQ(dc.ObjectFaults() + other.ObjectFaults(), 1);
    {
        CBrush brush(RGB(5, 5, 5));
        dc.SelectObject(&brush);
    }  // destroyed while selected: counted, and the stock brush comes back
    EXPECT_EQ(dc.ObjectFaults(), 2);
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.GetCurrentBrush()->colour, RGB(255, 255, 255));

    CPen kept(PS_SOLID, 1, RGB(1, 1, 1));
    {
        RecordingDC shortLived;
        shortLived.SelectObject(&kept);
    }
    EXPECT_EQ(kept.SelectedIn(), nullptr);  // let go with the device context
    EXPECT_TRUE(kept.DeleteObject());
}

TEST(RecordingDC, RecordsCallsWithTheirState) {
    RecordingDC dc;
    CPen pen(PS_DOT, 1, RGB(0, 255, 0));
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(1, 2);
    dc.LineTo(3, 4);
    dc.LineTo(5, 6);
    dc.SelectObject(old);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(7, 8, "Oslo");
    dc.Ellipse(2, 2, 638, 638);
    dc.Rectangle(0, 1, 4, 5);

    const auto lines = dc.CallsOf(Op::LineTo);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(
        (std::vector<int>{lines[0].a, lines[0].b, lines[0].c, lines[0].d, lines[1].a, lines[1].d}),
        (std::vector<int>{1, 2, 3, 4, 3, 6}));
    EXPECT_EQ(lines[1].pen, (RecordingDC::PenValue{PS_DOT, 1, RGB(0, 255, 0)}));
    EXPECT_FALSE(lines[1].stockPen);
    const auto texts = dc.CallsOf(Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Oslo");
    EXPECT_EQ(texts[0].bkMode, TRANSPARENT);
    EXPECT_TRUE(texts[0].stockPen);
    EXPECT_EQ(dc.CountOf(Op::SelectPen), 2u);
    EXPECT_EQ(dc.CountOf(Op::Ellipse), 1u);
    EXPECT_EQ(dc.CallsOf(Op::Rectangle)[0].d, 5);
    dc.Clear();
    EXPECT_TRUE(dc.Calls().empty());
}

}  // namespace
