// SPDX-License-Identifier: GPL-3.0-or-later
// The device context over Qt's QPainter: draws what the program draws into an image, an
// SVG file, a window or a printer, keeping the pixel conventions of platform/dc.h.
//
// Runs of consecutive LineTo calls are gathered into one polyline, drawn when the run
// ends (at the next MoveTo or other drawing call, at a change of the selected objects or
// the text settings, at Flush and at destruction): this is much cheaper than a line per
// segment and lets a dotted pen run its pattern on along the whole run.
//
// Into an image in memory (32-bit RGB or ARGB) painted with no transform, no clipping, no
// opacity and the ordinary composition, one-pixel lines, solid or dotted, and rectangles
// outlined with a one-pixel solid pen are written straight into the image's pixels
// (platform/qt/pixel_raster.h), which is several times faster than the painter. All else,
// and every other device (a window, an SVG file, a printer), goes through the painter.
//
// On a device with a device pixel ratio other than 1 (a window or an image of a scaled
// display), coordinates stay in the picture's pixels and are scaled: the one-pixel pen
// becomes one picture pixel wide (two device pixels at a ratio of 2), over the same pixels
// as at a ratio of 1, and lines and text are drawn at the device's full resolution. An
// image of a whole-number ratio is still drawn into directly (each line that many device
// pixels thick across its longer axis); other devices go through the painter.
//
// The painter is used without antialiasing for lines and shapes. Fonts are found by
// their face name through the system's font matching ("Arial" finds its metric twin
// Liberation Sans where Arial itself is not installed).
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QStaticText>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dc.h"
#include "platform/qt/pixel_raster.h"

// Fonts and texts made ready for drawing, kept from one paint to the next. Finding a
// font and laying out a label cost far more than drawing it: a program that paints again
// and again (a window, a benchmark) keeps one cache and hands it to each PainterDC it
// makes, so that each label is laid out once rather than at every paint. Holds at most
// MAX_TEXTS texts (all are dropped when it is full, and made again as needed). Used by
// one PainterDC at a time.
class PainterTextCache {
  public:
    static constexpr size_t MAX_TEXTS = 4096;

    size_t TextCount() const { return m_textCount; }
    // Drops everything; not while a PainterDC uses the cache.
    void Clear();

  private:
    friend class PainterDC;
    struct PreparedFont {
        QFont font;
        std::unordered_map<std::string, QStaticText> texts;  // by text
    };
    std::unordered_map<std::string, PreparedFont> m_fonts;  // by resolution, height, face
    size_t m_textCount = 0;
};

class PainterDC : public CDC {
  public:
    // Without a cache of its own making, the device context keeps one for its lifetime.
    explicit PainterDC(QPainter& painter, PainterTextCache* cache = nullptr);
    ~PainterDC() override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    using CDC::TextOut;
    void TextOut(int x, int y, const char* text, int length) override;
    // Through the painter with an antialiased edge, on every device.
    void TranslucentPolygon(const POINT* points, int count, COLORREF colour, int alpha) override;

    // Draws the pending run of lines now (call before using the painter directly). The
    // painter's pen, brush and font are the device context's while it lives: code that
    // changes them directly must not draw through the device context afterwards.
    void Flush();

  protected:
    void StateChanging() override { Flush(); }

  private:
    using PreparedFont = PainterTextCache::PreparedFont;
    // Whether drawing may go straight into m_surface now.
    bool DrawsDirectly() const;
    bool HasPlainTransform() const;
    static uint32_t PixelOf(COLORREF colour);
    void UsePen();
    void UseShapeTools();
    // Whether a coordinate stays within pixel_raster's range at m_ratio.
    bool Fits(int v) const {
        return (v < 0 ? -int64_t(v) : int64_t(v)) * m_ratio <= pixel_raster::MAX_COORDINATE;
    }
    // Draws m_run straight into m_image, at m_ratio device pixels to a pixel.
    void DrawRunDirectly(uint32_t colour, pixel_raster::DotPhase* dots);
    // Draws m_run (at least two points, no segment of length 0) on a scaled device.
    void DrawScaledRun();
    // Around the painter's lines and shapes: on a scaled device, moves them onto the
    // centres of the pixels (on true) and back (on false); nothing otherwise.
    void StrokeOffset(bool on);
    PreparedFont& FontFor(const CFont& font);

    QPainter& m_painter;
    bool m_scaled = false;  // device pixel ratio other than 1
    // The image painted on when it can be drawn into directly, else null.
    QImage* m_image = nullptr;
    pixel_raster::Surface m_surface{};
    int m_ratio = 1;  // device pixels to a pixel of m_image
    QPoint m_position;
    std::vector<QPoint> m_run;  // the pending polyline; empty or at least two points
    bool m_runFits = true;      // every point of m_run within pixel_raster's range
    // The pen last given to the painter, so that equal pens are not rebuilt.
    bool m_penSet = false;
    int m_penStyle = -1, m_penWidth = -1;
    COLORREF m_penColour = 0;
    bool m_brushSet = false;
    COLORREF m_brushColour = 0;
    PainterTextCache m_ownCache;
    PainterTextCache& m_cache;
    // The font last looked up, and whether it is the painter's font now.
    PreparedFont* m_lastFont = nullptr;
    int m_lastFontHeight = 0;
    std::string m_lastFontFace;
    bool m_fontSet = false;
    // The text colour last given to the painter as its pen (m_penSet is then false).
    bool m_textPenSet = false;
    COLORREF m_textPenColour = 0;
};

// Paints a whole picture through a device context: fills the device (an image, an SVG
// generator, a printer) with `background`, runs `draw` on a PainterDC over it that uses
// `cache` (null: a cache of its own for this picture), and ends the painting, so that
// everything drawn is in the device when it returns.
void PaintThroughDC(QPaintDevice& device, const QColor& background, PainterTextCache* cache,
                    const std::function<void(CDC&)>& draw);
