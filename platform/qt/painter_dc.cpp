#include "platform/qt/painter_dc.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>
#include <QRectF>
#include <cmath>

namespace {

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QPen MakePen(int style, int width, COLORREF colour) {
    QPen pen(ToQColor(colour));
    // Width 0 and 1 both give the one-pixel (cosmetic) pen.
    pen.setWidth(width <= 1 ? 0 : width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (style == PS_DOT) pen.setDashPattern({3.0, 3.0});
    return pen;
}

// Parts of Qt and of the libraries it loads return with the upper halves of the AVX
// vector registers still in use. Until they are cleared, every SSE instruction of the
// drawing code that runs next (projecting the map's points) pays for a change of register
// state, which makes it about ten times slower. Clear them after every call into Qt.
inline void ClearUpperVectorState() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) __asm__ volatile("vzeroupper");
#endif
}

}  // namespace

PainterDC::PainterDC(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    ClearUpperVectorState();
}

PainterDC::~PainterDC() {
    Flush();
}

void PainterDC::Flush() {
    if (m_run.size() < 2) {
        m_run.clear();
        return;
    }
    UsePen();
    m_painter.drawPolyline(m_run.data(), static_cast<int>(m_run.size()));
    m_run.clear();
    ClearUpperVectorState();
}

void PainterDC::UsePen() {
    const CPen* pen = GetCurrentPen();
    if (m_penSet && pen->style == m_penStyle && pen->width == m_penWidth &&
        pen->colour == m_penColour)
        return;
    m_painter.setPen(MakePen(pen->style, pen->width, pen->colour));
    m_penSet = true;
    m_penStyle = pen->style;
    m_penWidth = pen->width;
    m_penColour = pen->colour;
}

void PainterDC::UseShapeTools() {
    UsePen();
    COLORREF colour = GetCurrentBrush()->colour;
    if (m_brushSet && colour == m_brushColour) return;
    m_painter.setBrush(ToQColor(colour));
    m_brushSet = true;
    m_brushColour = colour;
}

void PainterDC::MoveTo(int x, int y) {
    Flush();
    m_position = QPoint(x, y);
}

void PainterDC::LineTo(int x, int y) {
    // A line to the current position covers no pixel (its end pixel is left out) and
    // moves nothing: drop it. Many map segments are that short near the rim.
    if (x == m_position.x() && y == m_position.y()) return;
    if (m_run.empty()) m_run.push_back(m_position);
    m_position = QPoint(x, y);
    m_run.push_back(m_position);
}

// With a one-pixel pen and no antialiasing, Qt outlines a rectangle of width w from
// column left to column left + w inclusive: w = right - left - 1 keeps the right column
// and the bottom row out, as the platform does.
void PainterDC::Ellipse(int left, int top, int right, int bottom) {
    Flush();
    if (right - left < 1 || bottom - top < 1) return;
    UseShapeTools();
    m_painter.drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
    ClearUpperVectorState();
}

void PainterDC::Rectangle(int left, int top, int right, int bottom) {
    Flush();
    if (right - left < 1 || bottom - top < 1) return;
    UseShapeTools();
    m_painter.drawRect(QRectF(left, top, right - left - 1, bottom - top - 1));
    ClearUpperVectorState();
}

const PainterDC::PreparedFont& PainterDC::FontFor(const CFont& cfont) {
    std::string key = std::to_string(cfont.height) + '/' + cfont.face;
    auto found = m_fonts.find(key);
    if (found != m_fonts.end()) return found->second;

    QFont font(cfont.face.empty() ? QStringLiteral("Sans Serif")
                                  : QString::fromStdString(cfont.face));
    font.setStyleHint(QFont::SansSerif);
    int height = cfont.height == 0 ? 16 : cfont.height;
    // A positive height is the cell's (ascent plus descent), a negative one the em's.
    double dpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 96.0;
    double em = std::fabs(static_cast<double>(height));
    if (height > 0) {
        QFont probe(font);
        probe.setPointSizeF(100.0 * 72.0 / dpi);
        QFontMetricsF metrics(probe, m_painter.device());
        double cell = metrics.ascent() + metrics.descent();
        if (cell > 0) em = height * 100.0 / cell;
    }
    font.setPointSizeF(em * 72.0 / dpi);
    QFontMetricsF metrics(font, m_painter.device());
    PreparedFont prepared{font, metrics.ascent()};
    return m_fonts.emplace(key, prepared).first->second;
}

void PainterDC::TextOut(int x, int y, const char* text, int length) {
    Flush();
    if (length <= 0) return;
    const CFont* cfont = GetCurrentFont();
    const PreparedFont& font = FontFor(*cfont);
    std::string key = std::to_string(cfont->height) + '/' + cfont->face + '/' +
                      std::string(text, static_cast<size_t>(length));
    auto found = m_texts.find(key);
    if (found == m_texts.end()) {
        QStaticText prepared(QString::fromLatin1(text, length));
        prepared.setTextFormat(Qt::PlainText);
        prepared.setPerformanceHint(QStaticText::AggressiveCaching);
        prepared.prepare(QTransform(), font.font);
        found = m_texts.emplace(key, prepared).first;
    }
    m_painter.setFont(font.font);
    if (GetBkMode() == OPAQUE) {
        QSizeF size = found->second.size();
        m_painter.fillRect(QRectF(QPointF(x, y), size), Qt::white);
    }
    m_painter.setPen(ToQColor(GetTextColor()));
    m_penSet = false;
    m_painter.drawStaticText(QPointF(x, y), found->second);
    ClearUpperVectorState();
}
