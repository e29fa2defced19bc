#include "platform/qt/painter_dc.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/qt/image_export.h"

namespace {

QRgb Qt(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}
const QRgb WHITE = qRgb(255, 255, 255);
const COLORREF RED = RGB(255, 0, 0), GREEN = RGB(0, 255, 0), BLUE = RGB(0, 0, 200);

class PainterDCTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
            static int argc = 1;
            static char name[] = "painter_dc_tests";
            static char* argv[] = {name, nullptr};
            static QGuiApplication* app = new QGuiApplication(argc, argv);
            (void)app;
        }
    }
};

// A white image of the format, 64 pixels high, after `draw` has drawn into it.
template <typename Draw>
QImage Paint(Draw draw, QImage::Format format = QImage::Format_RGB32, int width = 64,
             PainterTextCache* cache = nullptr) {
    QImage image(width, 64, format);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterDC dc(painter, cache);
        draw(dc, painter);
    }
    return image;
}

// Draws through the points with a pen of its own, selected back afterwards.
void Polyline(CDC& dc, int style, COLORREF colour, std::vector<std::pair<int, int>> points) {
    CPen pen(style, 1, colour);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(points[0].first, points[0].second);
    for (size_t k = 1; k < points.size(); ++k) dc.LineTo(points[k].first, points[k].second);
    dc.SelectObject(old);
}

struct At {
    int x, y;
    QRgb colour;
};
void ExpectPixels(const QImage& image, std::initializer_list<At> pixels) {
    for (const At& p : pixels) EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

// Three pixels on, three off, counted from `start`, along row y from x0 up to x1.
void ExpectDots(const QImage& image, int y, int x0, int x1, int start, COLORREF colour) {
    for (int x = x0; x < x1; ++x)
        EXPECT_EQ(image.pixel(x, y), (x - start) % 6 < 3 ? Qt(colour) : WHITE) << x << "," << y;
}

void CreateFont(CFont& font, int height) {
    LOGFONT lf{};
    lf.lfHeight = height;
    std::strcpy(lf.lfFaceName, "Arial");
    font.CreateFontIndirect(&lf);
}

// The colours found in a rectangle of the image, other than white.
std::vector<QRgb> InkIn(const QImage& image, int left, int top, int right, int bottom) {
    std::vector<QRgb> found;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            QRgb p = image.pixel(x, y);
            if (p != WHITE && std::find(found.begin(), found.end(), p) == found.end())
                found.push_back(p);
        }
    return found;
}

// Whether some pixel of the rectangle is inked and every inked one is a shade of `colour`
// over white (the letters are smoothed at their edges).
bool AllShadesOf(const QImage& image, int left, int top, int right, int bottom, COLORREF colour) {
    const int target[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    int k = 0;  // the channel that moves most from white
    for (int c = 1; c < 3; ++c)
        if (target[c] < target[k]) k = c;
    const std::vector<QRgb> ink = InkIn(image, left, top, right, bottom);
    for (QRgb p : ink) {
        const int got[3] = {qRed(p), qGreen(p), qBlue(p)};
        double t = (255.0 - got[k]) / (255.0 - target[k]);
        for (int c = 0; c < 3; ++c)
            if (std::abs(255.0 - t * (255 - target[c]) - got[c]) > 3.0) return false;
    }
    return !ink.empty();
}

// The inked rows or columns of a rectangle: {first, last}, or {-1, -1} when blank.
std::pair<int, int> InkSpan(const QImage& image, int top, int bottom, bool rows) {
    std::pair<int, int> span{-1, -1};
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != WHITE) {
                const int at = rows ? y : x;
                if (span.first < 0 || at < span.first) span.first = at;
                span.second = std::max(span.second, at);
            }
    return span;
}

// Images the device context writes into directly, and one it leaves to the painter.
const struct {
    const char* label;
    QImage::Format format;
} IMAGE_FORMATS[] = {
    {"RGB32", QImage::Format_RGB32},
    {"ARGB32", QImage::Format_ARGB32},
    {"ARGB32 premultiplied", QImage::Format_ARGB32_Premultiplied},
    {"RGB888, through the painter", QImage::Format_RGB888},
};

TEST_F(PainterDCTest, RectangleAndEllipseLeaveOutRightColumnAndBottomRow) {
    QImage image = Paint([](PainterDC& dc, QPainter&) {
        CBrush brush(RED);
        CBrush* old = dc.SelectObject(&brush);
        dc.Rectangle(2, 2, 6, 6);
        dc.Ellipse(10, 2, 40, 32);
        dc.SelectObject(old);
    });
    const QRgb K = Qt(RGB(0, 0, 0)), R = Qt(RED), W = WHITE;
    // Rectangle: outline on columns and rows 2 and 5, fill inside, nothing at 6.
    ExpectPixels(image, {{2, 2, K}, {5, 5, K}, {3, 3, R}, {6, 3, W}, {3, 6, W}});
    // Ellipse (10, 2, 40, 32): outlined on columns 10 and 39 and rows 2 and 31.
    ExpectPixels(image, {{10, 17, K}, {39, 17, K}, {40, 17, W}, {25, 2, K}, {25, 31, K}});
    ExpectPixels(image, {{25, 32, W}, {25, 17, R}, {9, 17, W}});
}

TEST_F(PainterDCTest, LinesInEveryDirectionStopBeforeTheirEndPixel) {
    for (const auto& f : IMAGE_FORMATS) {
        if (f.format == QImage::Format_RGB888) continue;  // the painter leaves out the start
        SCOPED_TRACE(f.label);
        // Right, down, left, up, then diagonally down to the right.
        QImage image = Paint(
            [](PainterDC& dc, QPainter&) {
                Polyline(dc, PS_SOLID, BLUE,
                         {{2, 10}, {12, 10}, {12, 20}, {4, 20}, {4, 14}, {8, 18}});
            },
            f.format);
        const QRgb B = Qt(BLUE), W = WHITE;
        ExpectPixels(image, {{2, 10, B}, {11, 10, B}, {12, 10, B}, {12, 19, B}, {12, 20, B}});
        ExpectPixels(image, {{5, 20, B}, {4, 20, B}, {4, 15, B}, {4, 14, B}, {7, 17, B}});
        ExpectPixels(image, {{1, 10, W}, {13, 10, W}, {3, 20, W}, {4, 13, W}, {8, 18, W}});
    }
}

TEST_F(PainterDCTest, DottedPenRunsItsPatternOnUntilTheNextMove) {
    QImage image = Paint([](PainterDC& dc, QPainter&) {
        CPen pen(PS_DOT, 1, GREEN);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(0, 5);
        for (int x = 2; x <= 30; x += 2) dc.LineTo(x, 5);  // pieces of 2 pixels
        dc.MoveTo(0, 10);                                  // a move starts the pattern again
        dc.LineTo(4, 10);
        dc.MoveTo(10, 10);
        dc.LineTo(20, 10);
        dc.MoveTo(7, 20);
        dc.LineTo(7, 20);  // a line to the current position: nothing, and the run goes on
        dc.MoveTo(0, 15);
        dc.LineTo(2, 15);
        dc.LineTo(2, 15);
        dc.LineTo(12, 15);
        dc.SelectObject(old);
    });
    ExpectDots(image, 5, 0, 30, 0, GREEN);
    ExpectDots(image, 10, 0, 4, 0, GREEN);
    EXPECT_EQ(image.pixel(5, 10), WHITE);
    ExpectDots(image, 10, 10, 20, 10, GREEN);
    EXPECT_EQ(image.pixel(7, 20), WHITE);
    ExpectDots(image, 15, 0, 12, 0, GREEN);
}

TEST_F(PainterDCTest, TextIsWrittenBelowAndRightOfItsPoint) {
    QImage image = Paint([](PainterDC& dc, QPainter&) {
        CFont font;
        CreateFont(font, 12);
        CFont* old = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(20, 20, "HHHH");
        dc.SelectObject(old);
    });
    const auto rows = InkSpan(image, 0, 64, true), columns = InkSpan(image, 0, 64, false);
    ASSERT_GE(rows.first, 0) << "nothing written";
    // The letters' tops lie a little below the cell's top (the internal leading), their
    // bottoms on the baseline about 10 pixels down a 12-pixel cell.
    EXPECT_GE(columns.first, 20);
    EXPECT_LE(columns.first, 22);
    EXPECT_GE(rows.first, 20);
    EXPECT_LE(rows.first, 23);
    EXPECT_GE(rows.second, 27);
    EXPECT_LE(rows.second, 30);
    EXPECT_GT(columns.second, 40);  // four capitals of about 7 pixels each
}

TEST_F(PainterDCTest, LinesAndRectanglesAreTheSameWhicheverWayTheyAreDrawn) {
    // Where the painter keeps the conventions too (lines drawn rightwards or downwards
    // along the axes, dotted or not; rectangles of two pixels and more), the direct
    // drawing and the painter's give the same picture.
    QImage pictures[4];
    for (int k = 0; k < 4; ++k)
        pictures[k] = Paint(
            [](PainterDC& dc, QPainter&) {
                CBrush brush(RGB(255, 255, 0));
                CBrush* oldBrush = dc.SelectObject(&brush);
                Polyline(dc, PS_DOT, RGB(0, 120, 0), {{1, 1}, {40, 1}, {40, 30}, {61, 30}});
                Polyline(dc, PS_SOLID, RGB(200, 0, 0), {{3, 40}, {3, 62}});
                for (int size = 2; size <= 6; ++size)
                    dc.Rectangle(size * 8, 40, size * 9, 40 + size);
                dc.Rectangle(-5, 50, 3, 70);  // over the edges
                dc.SelectObject(oldBrush);
            },
            IMAGE_FORMATS[k].format);
    for (int k = 1; k < 4; ++k) {
        SCOPED_TRACE(IMAGE_FORMATS[k].label);
        int differing = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                differing += pictures[k].pixel(x, y) != pictures[0].pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
    EXPECT_EQ(qAlpha(pictures[1].pixel(2, 1)), 255);  // drawn opaque into an ARGB image
    EXPECT_EQ(pictures[0].pixel(2, 1), Qt(RGB(0, 120, 0)));
    EXPECT_EQ(pictures[0].pixel(4, 1), WHITE);
}

TEST_F(PainterDCTest, LinesLeavingTheImageAreCutAtItsEdges) {
    QImage image = Paint([](PainterDC& dc, QPainter&) {
        // Half a pixel down a column: at x = 63, row 31.5 rounds up.
        Polyline(dc, PS_SOLID, RED, {{-100, -50}, {200, 100}});
        Polyline(dc, PS_SOLID, RED, {{-(1 << 30), 40}, {1 << 30, 40}});  // beyond the direct range
    });
    int inked = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) inked += image.pixel(x, y) != WHITE;
    EXPECT_EQ(inked, 2 * 64);  // one a column, for each line
    EXPECT_EQ(image.pixel(0, 0), Qt(RED));
    EXPECT_EQ(image.pixel(63, 31), Qt(RED));
    EXPECT_EQ(InkIn(image, 0, 40, 64, 41), std::vector<QRgb>{Qt(RED)});
    EXPECT_EQ(InkSpan(image, 40, 41, false), std::make_pair(0, 63));
}

TEST_F(PainterDCTest, ThePaintersTransformAndClippingAreKept) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(10, 5);
        PainterDC dc(painter);
        CPen pen(PS_SOLID, 1, RED);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(0, 0);
        dc.LineTo(5, 0);
        dc.Flush();
        painter.resetTransform();
        painter.setClipRect(0, 0, 32, 64);
        dc.MoveTo(0, 20);
        dc.LineTo(60, 20);
        dc.Rectangle(28, 30, 40, 40);
        dc.SelectObject(old);
    }
    const QRgb R = Qt(RED), W = WHITE;
    ExpectPixels(image, {{0, 0, W}, {10, 5, R}, {14, 5, R}, {15, 5, W}, {31, 20, R}, {32, 20, W}});
    ExpectPixels(image, {{28, 30, R}, {33, 30, W}});
}

TEST_F(PainterDCTest, TextColoursFontsAndPensFollowEachOther) {
    // Text, then lines, then text again in another colour and size: each in its own tools.
    const COLORREF blue = RGB(0, 0, 255), green = RGB(0, 160, 0);
    for (const auto& f : IMAGE_FORMATS) {
        SCOPED_TRACE(f.label);
        QImage image = Paint(
            [&](PainterDC& dc, QPainter&) {
                CFont small, large;
                CreateFont(small, 12);
                CreateFont(large, 24);
                CPen pen(PS_SOLID, 1, green);
                CFont* oldFont = dc.SelectObject(&small);
                dc.SetBkMode(TRANSPARENT);
                dc.SetTextColor(RED);
                dc.TextOut(2, 2, "HH");
                CPen* oldPen = dc.SelectObject(&pen);
                dc.MoveTo(2, 60);
                dc.LineTo(90, 60);
                dc.TextOut(20, 2, "HH");  // red still, after the line's pen
                dc.SetTextColor(blue);
                dc.TextOut(40, 2, "HH");
                dc.SelectObject(&large);
                dc.TextOut(2, 20, "HH");
                dc.MoveTo(2, 62);
                dc.LineTo(90, 62);
                dc.SelectObject(oldPen);
                dc.SelectObject(oldFont);
            },
            f.format, 96);
        EXPECT_TRUE(AllShadesOf(image, 0, 0, 38, 18, RED));
        EXPECT_TRUE(AllShadesOf(image, 38, 0, 96, 18, blue));
        EXPECT_TRUE(AllShadesOf(image, 0, 18, 96, 58, blue));
        EXPECT_EQ(InkIn(image, 0, 59, 96, 64), std::vector<QRgb>{Qt(green)});
        // The large letters are about twice as tall as the small ones.
        const auto s = InkSpan(image, 0, 18, true), l = InkSpan(image, 18, 58, true);
        const int small = s.second - s.first + 1, large = l.second - l.first + 1;
        EXPECT_GE(small, 6);
        EXPECT_GE(large, small * 16 / 10);
        EXPECT_LE(large, small * 24 / 10);
    }
}

TEST_F(PainterDCTest, ATextCacheKeepsLabelsFromOnePaintToTheNextAndStartsAgainWhenFull) {
    PainterTextCache cache;
    QImage pictures[3];
    for (int paint = 0; paint < 3; ++paint) {
        SCOPED_TRACE(paint);
        // The last paint without the cache, for comparison.
        pictures[paint] = Paint(
            [&](PainterDC& dc, QPainter&) {
                CFont font;
                CreateFont(font, 12);
                CFont* old = dc.SelectObject(&font);
                const char* labels[] = {"Paris", "Rome", "Oslo", "Paris"};
                for (int k = 0; k < 4; ++k) dc.TextOut(2, 2 + 14 * k, labels[k]);
                dc.SelectObject(old);
            },
            QImage::Format_RGB32, 64, paint < 2 ? &cache : nullptr);
        EXPECT_EQ(cache.TextCount(), 3u);  // each text once, whatever the paint
    }
    EXPECT_EQ(pictures[0], pictures[1]);
    EXPECT_EQ(pictures[0], pictures[2]);
    EXPECT_NE(InkIn(pictures[0], 0, 0, 64, 64).size(), 0u);

    QImage image = Paint(
        [&](PainterDC& dc, QPainter&) {
            CFont font;
            CreateFont(font, 12);
            CFont* old = dc.SelectObject(&font);
            for (size_t k = 3; k < PainterTextCache::MAX_TEXTS; ++k)
                dc.TextOut(100, 100, std::to_string(k).c_str());  // outside the image
            EXPECT_EQ(cache.TextCount(), PainterTextCache::MAX_TEXTS);
            dc.TextOut(2, 2, "HH");
            EXPECT_EQ(cache.TextCount(), 1u);
            dc.SelectObject(old);
        },
        QImage::Format_RGB32, 64, &cache);
    EXPECT_TRUE(AllShadesOf(image, 0, 0, 64, 64, RGB(0, 0, 0)));
    cache.Clear();
    EXPECT_EQ(cache.TextCount(), 0u);
}

class ImageExportTest : public PainterDCTest {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmor_export_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }
    std::string m_dir, m_error;
};

TEST_F(ImageExportTest, WritesAPngOnWhiteAndAnSvg) {
    const std::string png = m_dir + "/disc.PNG", svg = m_dir + "/lines.svg";
    ASSERT_TRUE(RenderToImageFile(
        png, 50, 40,
        [](CDC& dc) {
            CBrush brush(RGB(40, 166, 254));
            CBrush* old = dc.SelectObject(&brush);
            dc.Ellipse(2, 2, 38, 38);
            dc.SelectObject(old);
        },
        m_error))
        << m_error;
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(50, 40));
    EXPECT_EQ(image.pixel(0, 0), WHITE);
    EXPECT_EQ(image.pixel(45, 20), WHITE);
    EXPECT_EQ(image.pixel(20, 20), Qt(RGB(40, 166, 254)));

    ASSERT_TRUE(RenderToImageFile(
        svg, 64, 64, [](CDC& dc) { dc.MoveTo(1, 1), dc.LineTo(30, 30); }, m_error))
        << m_error;
    FILE* f = std::fopen(svg.c_str(), "r");
    ASSERT_NE(f, nullptr);
    char head[512] = {};
    std::fread(head, 1, sizeof head - 1, f);
    std::fclose(f);
    EXPECT_NE(std::string(head).find("<svg"), std::string::npos);
}

TEST_F(ImageExportTest, RefusesBadNamesAndLeavesNothingBehind) {
    const auto none = [](CDC&) {};
    EXPECT_FALSE(RenderToImageFile(m_dir + "/map.jpg", 8, 8, none, m_error));
    EXPECT_NE(m_error.find(".png or .svg"), std::string::npos);
    EXPECT_FALSE(RenderToImageFile(m_dir + "/no/such/folder/map.png", 8, 8, none, m_error));
    EXPECT_NE(m_error.find("cannot write"), std::string::npos);
    // A folder in the way of the file's name.
    ASSERT_EQ(mkdir((m_dir + "/taken.png").c_str(), 0700), 0);
    EXPECT_FALSE(RenderToImageFile(m_dir + "/taken.png", 8, 8, none, m_error));
    // Nothing but that folder is left: no picture, no temporary file.
    std::vector<std::string> entries;
    DIR* d = opendir(m_dir.c_str());
    for (dirent* e; (e = readdir(d)) != nullptr;)
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            entries.push_back(e->d_name);
    closedir(d);
    EXPECT_EQ(entries, std::vector<std::string>{"taken.png"});
}

}  // namespace
