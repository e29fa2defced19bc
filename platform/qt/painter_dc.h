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
// The painter is used without antialiasing for lines and shapes. Fonts are found by
// their face name through the system's font matching ("Arial" finds its metric twin
// Liberation Sans where Arial itself is not installed).
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QStaticText>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dc.h"
#include "platform/qt/pixel_raster.h"

class PainterDC : public CDC {
  public:
    explicit PainterDC(QPainter& painter);
    ~PainterDC() override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    using CDC::TextOut;
    void TextOut(int x, int y, const char* text, int length) override;

    // Draws the pending run of lines now (call before using the painter directly).
    void Flush();

  protected:
    void StateChanging() override { Flush(); }

  private:
    struct PreparedFont {
        QFont font;
        double ascent;  // pixels from the cell's top to the baseline
    };
    // Whether drawing may go straight into m_surface now.
    bool DrawsDirectly() const;
    static uint32_t PixelOf(COLORREF colour);
    void UsePen();
    void UseShapeTools();
    const PreparedFont& FontFor(const CFont& font);

    QPainter& m_painter;
    // The image painted on when it can be drawn into directly, else null.
    QImage* m_image = nullptr;
    pixel_raster::Surface m_surface{};
    QPoint m_position;
    std::vector<QPoint> m_run;  // the pending polyline; empty or at least two points
    bool m_runFits = true;      // every point of m_run within pixel_raster's range
    // The pen last given to the painter, so that equal pens are not rebuilt.
    bool m_penSet = false;
    int m_penStyle = -1, m_penWidth = -1;
    COLORREF m_penColour = 0;
    bool m_brushSet = false;
    COLORREF m_brushColour = 0;
    std::unordered_map<std::string, PreparedFont> m_fonts;  // by height and face
    std::unordered_map<std::string, QStaticText> m_texts;   // by font and text
};
