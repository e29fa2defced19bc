// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dc.h"

#include <gtest/gtest.h>

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
}

}  // namespace
