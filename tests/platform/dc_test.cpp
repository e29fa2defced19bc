#include "platform/dc.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/recording_dc.h"

namespace {

using Op = RecordingDC::Op;

TEST(Colours, RgbPacksRedGreenBlueLowToHigh) {
    EXPECT_EQ(RGB(40, 166, 254), 0xFEA628u);
    EXPECT_EQ(RGB(0, 80, 160), 0xA05000u);
    EXPECT_EQ(RGB(127, 127, 127), 0x7F7F7Fu);
    EXPECT_EQ(GetRValue(0xFEA628), 40);
    EXPECT_EQ(GetGValue(0xFEA628), 166);
    EXPECT_EQ(GetBValue(0xFEA628), 254);
}

TEST(DeviceContext, StartsWithStockObjectsAndOpaqueBlackText) {
    RecordingDC dc;
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.GetCurrentPen()->style, PS_SOLID);
    EXPECT_EQ(dc.GetCurrentPen()->width, 1);
    EXPECT_EQ(dc.GetCurrentPen()->colour, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetCurrentBrush()->colour, RGB(255, 255, 255));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
}

TEST(DeviceContext, SelectObjectReturnsThePreviousOne) {
    RecordingDC dc;
    CPen* stockPen = dc.GetCurrentPen();
    CPen red(PS_DOT, 2, RGB(255, 0, 0));
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    EXPECT_EQ(dc.SelectObject(&red), stockPen);
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(dc.SelectObject(stockPen), &blue);
    EXPECT_TRUE(dc.StockObjectsSelected());

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
}

TEST(DeviceContext, RefusesObjectsNotCreatedOrNull) {
    RecordingDC dc;
    CPen unmade;
    EXPECT_EQ(dc.SelectObject(&unmade), nullptr);
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
    EXPECT_TRUE(dc.StockObjectsSelected());
}

TEST(DeviceContext, SettersReturnThePreviousValue) {
    RecordingDC dc;
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetBkMode(OPAQUE), TRANSPARENT);
    EXPECT_EQ(dc.SetTextColor(RGB(9, 8, 7)), RGB(0, 0, 0));
    EXPECT_EQ(dc.SetTextColor(RGB(0, 0, 0)), RGB(9, 8, 7));
}

TEST(DeviceContext, DeletingASelectedObjectIsRefusedAndCounted) {
    RecordingDC dc;
    CPen pen(PS_SOLID, 1, RGB(1, 1, 1));
    CPen* old = dc.SelectObject(&pen);
    EXPECT_FALSE(pen.DeleteObject());
    EXPECT_TRUE(pen.IsCreated());
    EXPECT_EQ(dc.ObjectFaults(), 1);
    dc.SelectObject(old);
    EXPECT_TRUE(pen.DeleteObject());
    EXPECT_FALSE(pen.IsCreated());
    EXPECT_FALSE(pen.DeleteObject());  // once only
    EXPECT_EQ(dc.ObjectFaults(), 1);
}

TEST(DeviceContext, DestroyingASelectedObjectFallsBackToStock) {
    RecordingDC dc;
    {
        CBrush brush(RGB(5, 5, 5));
        dc.SelectObject(&brush);
    }
    EXPECT_EQ(dc.ObjectFaults(), 1);
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.GetCurrentBrush()->colour, RGB(255, 255, 255));
}

TEST(DeviceContext, AnObjectSelectedElsewhereIsRefused) {
    RecordingDC first, second;
    CPen pen(PS_SOLID, 1, RGB(1, 1, 1));
    CPen* old = first.SelectObject(&pen);
    EXPECT_EQ(second.SelectObject(&pen), nullptr);
    first.SelectObject(old);
    CPen* secondOld = second.SelectObject(&pen);
    EXPECT_NE(secondOld, nullptr);
    second.SelectObject(secondOld);
    EXPECT_EQ(first.ObjectFaults() + second.ObjectFaults(), 0);
}

TEST(DeviceContext, ObjectsOutlivingTheDeviceContextAreLetGo) {
    CPen pen(PS_SOLID, 1, RGB(1, 1, 1));
    {
        RecordingDC dc;
        dc.SelectObject(&pen);
    }
    EXPECT_EQ(pen.SelectedIn(), nullptr);
    EXPECT_TRUE(pen.DeleteObject());
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
    EXPECT_EQ(lines[0].a, 1);
    EXPECT_EQ(lines[0].b, 2);
    EXPECT_EQ(lines[0].c, 3);
    EXPECT_EQ(lines[0].d, 4);
    EXPECT_EQ(lines[1].a, 3);
    EXPECT_EQ(lines[1].d, 6);
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
