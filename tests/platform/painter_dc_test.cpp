#include "platform/qt/painter_dc.h"

#include <gtest/gtest.h>

#include <dirent.h>
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
    PainterDCTest() : m_image(64, 64, QImage::Format_RGB32) { m_image.fill(Qt::white); }
    QImage m_image;
};

TEST_F(PainterDCTest, RectangleAndEllipseLeaveOutRightColumnAndBottomRow) {
    {
        QPainter painter(&m_image);
        PainterDC dc(painter);
        CBrush brush(RGB(255, 0, 0));
        CBrush* old = dc.SelectObject(&brush);
        dc.Rectangle(2, 2, 6, 6);
        dc.Ellipse(10, 2, 40, 32);
        dc.SelectObject(old);
    }
    // Rectangle: outline on columns and rows 2 and 5, fill inside, nothing at 6.
    EXPECT_EQ(m_image.pixel(2, 2), Qt(RGB(0, 0, 0)));
    EXPECT_EQ(m_image.pixel(5, 5), Qt(RGB(0, 0, 0)));
    EXPECT_EQ(m_image.pixel(3, 3), Qt(RGB(255, 0, 0)));
    EXPECT_EQ(m_image.pixel(6, 3), WHITE);
    EXPECT_EQ(m_image.pixel(3, 6), WHITE);
    // Ellipse (10, 2, 40, 32): outlined on columns 10 and 39 and rows 2 and 31.
    EXPECT_EQ(m_image.pixel(10, 17), Qt(RGB(0, 0, 0)));
    EXPECT_EQ(m_image.pixel(39, 17), Qt(RGB(0, 0, 0)));
    EXPECT_EQ(m_image.pixel(40, 17), WHITE);
    EXPECT_EQ(m_image.pixel(25, 2), Qt(RGB(0, 0, 0)));
    EXPECT_EQ(m_image.pixel(25, 31), Qt(RGB(0, 0, 0)));
    EXPECT_EQ(m_image.pixel(25, 32), WHITE);
    EXPECT_EQ(m_image.pixel(25, 17), Qt(RGB(255, 0, 0)));
    EXPECT_EQ(m_image.pixel(9, 17), WHITE);
}

TEST_F(PainterDCTest, LinesStopBeforeTheirEndPixel) {
    const COLORREF grey = RGB(127, 127, 127);
    {
        QPainter painter(&m_image);
        PainterDC dc(painter);
        CPen pen(PS_SOLID, 1, grey);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(2, 10);
        dc.LineTo(12, 10);
        dc.LineTo(12, 20);
        dc.SelectObject(old);
    }
    EXPECT_EQ(m_image.pixel(1, 10), WHITE);
    EXPECT_EQ(m_image.pixel(2, 10), Qt(grey));
    EXPECT_EQ(m_image.pixel(11, 10), Qt(grey));
    EXPECT_EQ(m_image.pixel(12, 10), Qt(grey));  // the corner, start of the second piece
    EXPECT_EQ(m_image.pixel(12, 19), Qt(grey));
    EXPECT_EQ(m_image.pixel(12, 20), WHITE);  // the end of the run is left out
}

TEST_F(PainterDCTest, DottedPenRunsItsPatternOnAcrossSegments) {
    const COLORREF green = RGB(0, 255, 0);
    {
        QPainter painter(&m_image);
        PainterDC dc(painter);
        CPen pen(PS_DOT, 1, green);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(0, 5);
        for (int x = 2; x <= 30; x += 2) dc.LineTo(x, 5);  // pieces of 2 pixels
        dc.SelectObject(old);
    }
    // Three on, three off from the start of the run, whatever the pieces.
    for (int x = 0; x < 30; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(m_image.pixel(x, 5), (x % 6) < 3 ? Qt(green) : WHITE);
    }
}

TEST_F(PainterDCTest, MoveToStartsANewRun) {
    const COLORREF green = RGB(0, 255, 0);
    {
        QPainter painter(&m_image);
        PainterDC dc(painter);
        CPen pen(PS_DOT, 1, green);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(0, 5);
        dc.LineTo(4, 5);
        dc.MoveTo(10, 5);  // hidden piece left out
        dc.LineTo(20, 5);
        dc.SelectObject(old);
    }
    EXPECT_EQ(m_image.pixel(3, 5), WHITE);
    EXPECT_EQ(m_image.pixel(5, 5), WHITE);
    EXPECT_EQ(m_image.pixel(10, 5), Qt(green));
    EXPECT_EQ(m_image.pixel(12, 5), Qt(green));
    EXPECT_EQ(m_image.pixel(13, 5), WHITE);
}

TEST_F(PainterDCTest, ALineToTheCurrentPositionDrawsNothingAndKeepsTheRun) {
    const COLORREF green = RGB(0, 255, 0);
    {
        QPainter painter(&m_image);
        PainterDC dc(painter);
        CPen pen(PS_DOT, 1, green);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(7, 9);
        dc.LineTo(7, 9);  // alone, nothing
        dc.MoveTo(0, 5);
        dc.LineTo(2, 5);
        dc.LineTo(2, 5);
        dc.LineTo(12, 5);
        dc.SelectObject(old);
    }
    EXPECT_EQ(m_image.pixel(7, 9), WHITE);
    for (int x = 0; x < 12; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(m_image.pixel(x, 5), (x % 6) < 3 ? Qt(green) : WHITE);
    }
}

TEST_F(PainterDCTest, TextIsWrittenBelowAndRightOfItsPoint) {
    {
        QPainter painter(&m_image);
        PainterDC dc(painter);
        CFont font;
        LOGFONT lf{};
        lf.lfHeight = 12;
        std::strcpy(lf.lfFaceName, "Arial");
        font.CreateFontIndirect(&lf);
        CFont* old = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(20, 20, "HHHH");
        dc.SelectObject(old);
    }
    int minX = 64, minY = 64, maxX = -1, maxY = -1;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if (m_image.pixel(x, y) != WHITE) {
                minX = std::min(minX, x);
                minY = std::min(minY, y);
                maxX = std::max(maxX, x);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "nothing written";
    // The letters' tops lie a little below the cell's top (the internal leading), their
    // bottoms on the baseline about 10 pixels down a 12-pixel cell.
    EXPECT_GE(minX, 20);
    EXPECT_LE(minX, 22);
    EXPECT_GE(minY, 20);
    EXPECT_LE(minY, 23);
    EXPECT_GE(maxY, 27);
    EXPECT_LE(maxY, 30);
    EXPECT_GT(maxX, 40);  // four capitals of about 7 pixels each
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

TEST_F(PainterDCTest, LinesInEveryDirectionStopBeforeTheirEndPixel) {
    const COLORREF blue = RGB(0, 0, 200);
    for (const auto& f : IMAGE_FORMATS) {
        if (f.format == QImage::Format_RGB888) continue;  // the painter leaves out the start
        SCOPED_TRACE(f.label);
        QImage image(64, 64, f.format);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PainterDC dc(painter);
            CPen pen(PS_SOLID, 1, blue);
            CPen* old = dc.SelectObject(&pen);
            dc.MoveTo(30, 10);  // leftwards, then up, then right and down to the start
            dc.LineTo(20, 10);
            dc.LineTo(20, 2);
            dc.LineTo(30, 10);
            dc.SelectObject(old);
        }
        EXPECT_EQ(image.pixel(30, 10), Qt(blue));  // the start of the run
        EXPECT_EQ(image.pixel(21, 10), Qt(blue));
        EXPECT_EQ(image.pixel(20, 10), Qt(blue));  // the corner: start of the second piece
        EXPECT_EQ(image.pixel(20, 3), Qt(blue));
        EXPECT_EQ(image.pixel(20, 2), Qt(blue));
        EXPECT_EQ(image.pixel(20, 1), WHITE);
        EXPECT_EQ(image.pixel(29, 9), Qt(blue));  // the diagonal's last pixel
        EXPECT_EQ(image.pixel(31, 10), WHITE);
        EXPECT_EQ(image.pixel(19, 10), WHITE);
    }
}

TEST_F(PainterDCTest, LinesAndRectanglesAreTheSameWhicheverWayTheyAreDrawn) {
    // Where the painter keeps the conventions too (lines drawn rightwards or downwards
    // along the axes, dotted or not; rectangles of two pixels and more), the direct
    // drawing and the painter's give the same picture.
    QImage pictures[4];
    for (int k = 0; k < 4; ++k) {
        const auto& f = IMAGE_FORMATS[k];
        pictures[k] = QImage(64, 64, f.format);
        pictures[k].fill(Qt::white);
        QPainter painter(&pictures[k]);
        PainterDC dc(painter);
        CPen solid(PS_SOLID, 1, RGB(200, 0, 0)), dotted(PS_DOT, 0, RGB(0, 120, 0));
        CBrush brush(RGB(255, 255, 0));
        CPen* oldPen = dc.SelectObject(&dotted);
        CBrush* oldBrush = dc.SelectObject(&brush);
        dc.MoveTo(1, 1);
        dc.LineTo(40, 1);
        dc.LineTo(40, 30);
        dc.LineTo(61, 30);
        dc.SelectObject(&solid);
        dc.MoveTo(3, 40);
        dc.LineTo(3, 62);
        for (int size = 2; size <= 6; ++size) dc.Rectangle(size * 8, 40, size * 9, 40 + size);
        dc.Rectangle(-5, 50, 3, 70);  // over the edges
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
    }
    for (int k = 1; k < 4; ++k) {
        SCOPED_TRACE(IMAGE_FORMATS[k].label);
        int differing = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (pictures[k].pixel(x, y) != pictures[0].pixel(x, y)) ++differing;
        EXPECT_EQ(differing, 0);
    }
    EXPECT_EQ(qAlpha(pictures[1].pixel(2, 1)), 255);  // drawn opaque into an ARGB image
    EXPECT_EQ(pictures[0].pixel(2, 1), Qt(RGB(0, 120, 0)));
    EXPECT_EQ(pictures[0].pixel(4, 1), WHITE);
}

TEST_F(PainterDCTest, LinesLeavingTheImageAreCutAtItsEdges) {
    const COLORREF red = RGB(255, 0, 0);
    {
        QPainter painter(&m_image);
        PainterDC dc(painter);
        CPen pen(PS_SOLID, 1, red);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(-100, -50);  // half a pixel down a column: at x = 63, row 31.5 rounds up
        dc.LineTo(200, 100);
        dc.SelectObject(old);
    }
    int inked = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) inked += m_image.pixel(x, y) != WHITE;
    EXPECT_EQ(inked, 64);  // one a column
    EXPECT_EQ(m_image.pixel(0, 0), Qt(red));
    EXPECT_EQ(m_image.pixel(63, 31), Qt(red));
}

TEST_F(PainterDCTest, LinesFromBeyondTheDirectRangeAreStillDrawn) {
    const COLORREF red = RGB(255, 0, 0);
    {
        QPainter painter(&m_image);
        PainterDC dc(painter);
        CPen pen(PS_SOLID, 1, red);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(-(1 << 30), 10);
        dc.LineTo(1 << 30, 10);
        dc.SelectObject(old);
    }
    for (int x = 0; x < 64; x += 9) {
        SCOPED_TRACE(x);
        EXPECT_EQ(m_image.pixel(x, 10), Qt(red));
    }
    EXPECT_EQ(m_image.pixel(5, 11), WHITE);
}

TEST_F(PainterDCTest, ThePaintersTransformAndClippingAreKept) {
    const COLORREF red = RGB(255, 0, 0);
    {
        QPainter painter(&m_image);
        painter.translate(10, 5);
        PainterDC dc(painter);
        CPen pen(PS_SOLID, 1, red);
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
    EXPECT_EQ(m_image.pixel(0, 0), WHITE);
    EXPECT_EQ(m_image.pixel(10, 5), Qt(red));
    EXPECT_EQ(m_image.pixel(14, 5), Qt(red));
    EXPECT_EQ(m_image.pixel(15, 5), WHITE);
    EXPECT_EQ(m_image.pixel(31, 20), Qt(red));
    EXPECT_EQ(m_image.pixel(32, 20), WHITE);
    EXPECT_EQ(m_image.pixel(28, 30), Qt(red));
    EXPECT_EQ(m_image.pixel(33, 30), WHITE);
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
    bool any = false;
    for (QRgb p : InkIn(image, left, top, right, bottom)) {
        const int got[3] = {qRed(p), qGreen(p), qBlue(p)};
        // How far from white towards the colour, by the channel that moves most.
        int k = 0;
        for (int c = 1; c < 3; ++c)
            if (255 - target[c] > 255 - target[k]) k = c;
        double t = (255.0 - got[k]) / (255.0 - target[k]);
        for (int c = 0; c < 3; ++c)
            if (std::abs(255.0 - t * (255 - target[c]) - got[c]) > 3.0) return false;
        any = true;
    }
    return any;
}

void CreateFont(CFont& font, int height) {
    LOGFONT lf{};
    lf.lfHeight = height;
    std::strcpy(lf.lfFaceName, "Arial");
    font.CreateFontIndirect(&lf);
}

TEST_F(PainterDCTest, TextColoursFontsAndPensFollowEachOther) {
    // Text, then lines, then text again in another colour and size: each in its own tools.
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 160, 0);
    for (const auto& f : IMAGE_FORMATS) {
        SCOPED_TRACE(f.label);
        QImage image(96, 64, f.format);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PainterDC dc(painter);
            CFont small, large;
            CreateFont(small, 12);
            CreateFont(large, 24);
            CPen pen(PS_SOLID, 1, green);
            CFont* oldFont = dc.SelectObject(&small);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(red);
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
        }
        EXPECT_TRUE(AllShadesOf(image, 0, 0, 38, 18, red));
        EXPECT_TRUE(AllShadesOf(image, 38, 0, 96, 18, blue));
        EXPECT_TRUE(AllShadesOf(image, 0, 18, 96, 58, blue));
        EXPECT_EQ(InkIn(image, 0, 59, 96, 64), std::vector<QRgb>{Qt(green)});
        // The large letters are about twice as tall as the small ones.
        auto inkHeight = [&](int top, int bottom) {
            int first = bottom, last = top - 1;
            for (int y = top; y < bottom; ++y)
                for (int x = 0; x < 96; ++x)
                    if (image.pixel(x, y) != WHITE) first = std::min(first, y), last = y;
            return last - first + 1;
        };
        const int small = inkHeight(0, 18), large = inkHeight(18, 58);
        EXPECT_GE(small, 6);
        EXPECT_GE(large, small * 16 / 10);
        EXPECT_LE(large, small * 24 / 10);
    }
}

TEST_F(PainterDCTest, ATextCacheKeepsLabelsFromOnePaintToTheNext) {
    const char* labels[] = {"Paris", "Rome", "Oslo", "Paris"};
    PainterTextCache cache;
    QImage pictures[3];
    for (int paint = 0; paint < 3; ++paint) {
        SCOPED_TRACE(paint);
        pictures[paint] = QImage(64, 64, QImage::Format_RGB32);
        pictures[paint].fill(Qt::white);
        QPainter painter(&pictures[paint]);
        // The last paint without the cache, for comparison.
        PainterDC dc(painter, paint < 2 ? &cache : nullptr);
        CFont font;
        CreateFont(font, 12);
        CFont* old = dc.SelectObject(&font);
        for (int k = 0; k < 4; ++k) dc.TextOut(2, 2 + 14 * k, labels[k]);
        dc.SelectObject(old);
        EXPECT_EQ(cache.TextCount(), 3u);  // each text once, whatever the paint
    }
    EXPECT_EQ(pictures[0], pictures[1]);
    EXPECT_EQ(pictures[0], pictures[2]);
    EXPECT_NE(InkIn(pictures[0], 0, 0, 64, 64).size(), 0u);
    cache.Clear();
    EXPECT_EQ(cache.TextCount(), 0u);
}

TEST_F(PainterDCTest, AFullTextCacheStartsAgainAndStillWrites) {
    PainterTextCache cache;
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, &cache);
        CFont font;
        CreateFont(font, 12);
        CFont* old = dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        for (size_t k = 0; k < PainterTextCache::MAX_TEXTS; ++k)
            dc.TextOut(100, 100, std::to_string(k).c_str());  // outside the image
        EXPECT_EQ(cache.TextCount(), PainterTextCache::MAX_TEXTS);
        dc.TextOut(2, 2, "HH");
        EXPECT_EQ(cache.TextCount(), 1u);
        dc.SelectObject(old);
    }
    EXPECT_TRUE(AllShadesOf(m_image, 0, 0, 64, 64, RGB(0, 0, 0)));
}

class ImageExportTest : public PainterDCTest {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmor_export_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }
    std::string m_dir;
};

TEST_F(ImageExportTest, WritesAPngOnWhite) {
    std::string path = m_dir + "/disc.PNG", error;
    ASSERT_TRUE(RenderToImageFile(
        path, 50, 40,
        [](CDC& dc) {
            CBrush brush(RGB(40, 166, 254));
            CBrush* old = dc.SelectObject(&brush);
            dc.Ellipse(2, 2, 38, 38);
            dc.SelectObject(old);
        },
        error))
        << error;
    QImage image(QString::fromStdString(path));
    ASSERT_EQ(image.width(), 50);
    ASSERT_EQ(image.height(), 40);
    EXPECT_EQ(image.pixel(0, 0), WHITE);
    EXPECT_EQ(image.pixel(45, 20), WHITE);
    EXPECT_EQ(image.pixel(20, 20), Qt(RGB(40, 166, 254)));
}

TEST_F(ImageExportTest, WritesAnSvg) {
    std::string path = m_dir + "/lines.svg", error;
    ASSERT_TRUE(RenderToImageFile(
        path, 64, 64, [](CDC& dc) { dc.MoveTo(1, 1), dc.LineTo(30, 30); }, error))
        << error;
    FILE* f = std::fopen(path.c_str(), "r");
    ASSERT_NE(f, nullptr);
    char head[512] = {};
    size_t n = std::fread(head, 1, sizeof head - 1, f);
    std::fclose(f);
    EXPECT_GT(n, 0u);
    EXPECT_NE(std::string(head).find("<svg"), std::string::npos);
}

TEST_F(ImageExportTest, RefusesOtherExtensionsAndLeavesNoFile) {
    std::string error;
    EXPECT_FALSE(RenderToImageFile(
        m_dir + "/map.jpg", 8, 8, [](CDC&) {}, error));
    EXPECT_NE(error.find(".png or .svg"), std::string::npos);
    EXPECT_NE(access((m_dir + "/map.jpg").c_str(), F_OK), 0);
}

TEST_F(ImageExportTest, ReportsAnUnwritableFolderAndLeavesNothingBehind) {
    std::string error;
    EXPECT_FALSE(RenderToImageFile(
        m_dir + "/no/such/folder/map.png", 8, 8, [](CDC&) {}, error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
    // A folder in the way of the file's name.
    std::string folder = m_dir + "/taken.png";
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    EXPECT_FALSE(RenderToImageFile(
        folder, 8, 8, [](CDC&) {}, error));
    // Nothing but that folder is left in the picture's folder: no temporary file.
    int entries = 0;
    for (DIR* d = opendir(m_dir.c_str()); d != nullptr;) {
        dirent* e = readdir(d);
        if (e == nullptr) {
            closedir(d);
            break;
        }
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) ++entries;
    }
    EXPECT_EQ(entries, 1);
}

}  // namespace
