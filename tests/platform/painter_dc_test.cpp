// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/painter_dc.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace {

QRgb Qt(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}
const QRgb WHITE = qRgb(255, 255, 255);
const COLORREF RED = RGB(255, 0, 0), GREEN = RGB(0, 160, 0), BLUE = RGB(0, 0, 200);

class PainterDCTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "painter_dc_tests", *argv[] = {name, nullptr};
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (QCoreApplication::instance() == nullptr) new QGuiApplication(argc, argv);
    }
};

// A white 64 x 64 image after `draw`.
template <typename Draw>
QImage Paint(Draw draw, QImage::Format format = QImage::Format_RGB32, int ratio = 1) {
    QImage image(64 * ratio, 64 * ratio, format);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterDC dc(painter);
        draw(dc);
    }
    return image;
}

void Polyline(CDC& dc, int style, COLORREF colour, std::vector<std::pair<int, int>> points) {
    CPen pen(style, 1, colour);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(points[0].first, points[0].second);
    for (size_t k = 1; k < points.size(); ++k) dc.LineTo(points[k].first, points[k].second);
    dc.SelectObject(old);
}

void Label(CDC& dc, int x, int y, const char* text) {
    CFont font;
    const LOGFONT lf{12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"};
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(x, y, text);
    dc.SelectObject(old);
}

TEST_F(PainterDCTest, ShapesLinesAndDotsKeepThePixelConventions) {
    const QImage image = Paint([](PainterDC& dc) {
        CBrush brush(RED);
        CBrush* old = dc.SelectObject(&brush);
        dc.Rectangle(2, 2, 6, 6);
        dc.Ellipse(10, 2, 40, 32);
        dc.SelectObject(old);
        // Right, down, left, up, then diagonally down to the right.
        Polyline(dc, PS_SOLID, BLUE, {{2, 40}, {12, 40}, {12, 50}, {4, 50}, {4, 44}, {8, 48}});
        CPen pen(PS_DOT, 1, GREEN);
        CPen* oldPen = dc.SelectObject(&pen);
        dc.MoveTo(0, 56);
        for (int x = 2; x <= 30; x += 2) dc.LineTo(x, 56);  // dotted, in pieces of 2 pixels
        dc.LineTo(30, 56);  // to the current position: nothing, and the run goes on
        dc.LineTo(30, 60);
        dc.MoveTo(44, 45);  // the pattern starts again, though the run ended off
        dc.LineTo(54, 45);
        dc.SelectObject(oldPen);
    });
    const QRgb K = Qt(RGB(0, 0, 0)), R = Qt(RED), B = Qt(BLUE), W = WHITE;
    const std::tuple<int, int, QRgb> pixels[] = {
        {2, 2, K},   {5, 5, K},   {3, 3, R},   {6, 3, W},   {3, 6, W},                 // rectangle
        {10, 17, K}, {39, 17, K}, {40, 17, W}, {25, 31, K}, {25, 32, W}, {25, 17, R},  // ellipse
        {2, 40, B},  {12, 40, B}, {12, 50, B}, {4, 50, B},  {4, 44, B},  {7, 47, B},
        {1, 40, W},  {13, 40, W}, {3, 50, W},  {4, 43, W},  {8, 48, W},  // lines
    };
    for (const auto& [x, y, colour] : pixels) EXPECT_EQ(image.pixel(x, y), colour) << x << "," << y;
    const auto dot = [&](int x, int y, bool on) {
        EXPECT_EQ(image.pixel(x, y), on ? Qt(GREEN) : WHITE) << x << "," << y;
    };
    for (int x = 0; x < 30; ++x) dot(x, 56, x % 6 < 3);
    for (int y = 56; y < 61; ++y) dot(30, y, y < 60 && (y - 26) % 6 < 3);
    for (int x = 43; x < 55; ++x) dot(x, 45, x >= 44 && x < 54 && (x - 44) % 6 < 3);
}

// How many 2 x 2 blocks of rows [top, bottom) of a picture at ratio 2 are not all colour(x, y).
template <typename Colour>
int BlocksUnlike(const QImage& two, int top, int bottom, Colour colour) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < two.width() / 2; ++x) {
            bool like = true;
            for (int k = 0; k < 4; ++k)
                like &= two.pixel(2 * x + k % 2, 2 * y + k / 2) == colour(x, y);
            n += !like;
        }
    }
    return n;
}

// 32-bit images are drawn into directly, the 24-bit one through the painter: same pixels. At
// ratio 2 straight lines and rectangles are 2 x 2 blocks of those at 1; diagonals and text not.
TEST_F(PainterDCTest, DrawingStraightIntoTheImageMatchesThePainterAtEachRatio) {
    const auto draw = [](bool around) {
        return [around](PainterDC& dc) {
            CBrush brush(RGB(255, 255, 0));
            CBrush* old = dc.SelectObject(&brush);
            for (int size = 2; size <= 6; ++size) dc.Rectangle(size * 8, 40, size * 9, 40 + size);
            dc.Rectangle(-5, 50, 3, 70);  // over the edges
            dc.SelectObject(old);
            Polyline(dc, PS_SOLID, BLUE, {{60, 60}, {61, 60}});
            if (around) {
                Polyline(dc, PS_DOT, GREEN, {{1, 1}, {40, 1}, {40, 30}, {20, 30}, {20, 10}});
                Polyline(dc, PS_SOLID, RED, {{3, 40}, {3, 62}, {10, 62}, {10, 50}, {6, 50}});
                return;
            }
            Polyline(dc, PS_DOT, GREEN, {{1, 1}, {40, 1}, {40, 30}, {90, 30}});
            Polyline(dc, PS_SOLID, RED, {{3, 40}, {3, 62}});
            Polyline(dc, PS_SOLID, RED, {{-(1 << 30), 35}, {1 << 30, 35}});
        };
    };
    const QImage painted =
        Paint(draw(false), QImage::Format_RGB888).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(std::make_tuple(painted.pixel(0, 35), painted.pixel(63, 35), painted.pixel(60, 60)),
              std::make_tuple(Qt(RED), Qt(RED), Qt(BLUE)));
    for (auto format :
         {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied}) {
        EXPECT_TRUE(Paint(draw(false), format).convertToFormat(QImage::Format_ARGB32) == painted)
            << format;
    }
    const QImage one = Paint(draw(true));
    const auto fine = [](PainterDC& dc) {
        Polyline(dc, PS_SOLID, RED, {{2, 2}, {60, 31}});
        Label(dc, 10, 40, "Oslo");
    };
    for (auto format : {QImage::Format_RGB32, QImage::Format_RGB888}) {
        const QImage two = Paint(draw(true), format, 2).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(two.size(), QSize(128, 128));
        EXPECT_EQ(BlocksUnlike(two, 0, 64, [&](int x, int y) { return one.pixel(x, y); }), 0)
            << format;
        const QImage sharp = Paint(fine, format, 2).convertToFormat(QImage::Format_RGB32);
        const auto own = [&](int x, int y) { return sharp.pixel(2 * x, 2 * y); };
        EXPECT_GT(BlocksUnlike(sharp, 0, 36, own), 20) << format;
        EXPECT_GT(BlocksUnlike(sharp, 36, 64, own), 10) << format;
    }
}

// The translucent fill blends inside the polygon only (within 1 of 255), keeps the brush,
// and draws nothing for fewer than three points.
TEST_F(PainterDCTest, TranslucentPolygonBlendsInsideOnly) {
    const POINT square[] = {{10, 10}, {50, 10}, {50, 50}, {10, 50}};
    const struct {
        const char* label;
        int count, alpha;
        int expectedAlpha;  // the opacity seen inside
    } cases[] = {
        {"half", 4, 128, 128},
        {"two points", 2, 200, 0},
    };
    for (const auto& c : cases)
        for (int ratio : {1, 2}) {  // also on an image of a display scaled by 2
            SCOPED_TRACE(c.label);
            SCOPED_TRACE(ratio);
            const QImage image = Paint(
                [&](PainterDC& dc) {
                    CBrush brush(GREEN);
                    CBrush* old = dc.SelectObject(&brush);
                    dc.TranslucentPolygon(square, c.count, BLUE, c.alpha);
                    dc.Rectangle(56, 56, 60, 60);  // the brush is still the green one
                    dc.SelectObject(old);
                },
                QImage::Format_RGB32, ratio);
            const auto blend = [&](int background, int colour) {
                return (colour * c.expectedAlpha + background * (255 - c.expectedAlpha) + 127) /
                       255;
            };
            const QRgb inside = image.pixel(30 * ratio, 30 * ratio);
            EXPECT_NEAR(qRed(inside), blend(255, GetRValue(BLUE)), 1);
            EXPECT_NEAR(qBlue(inside), blend(255, GetBValue(BLUE)), 1);
            EXPECT_EQ(image.pixel(5 * ratio, 30 * ratio), WHITE);
            EXPECT_EQ(image.pixel(30 * ratio, 55 * ratio), WHITE);
            EXPECT_EQ(image.pixel(57 * ratio, 57 * ratio), Qt(GREEN));
        }
}

}  // namespace
