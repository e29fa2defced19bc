// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/painter_dc.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/qt/vector_state.h"

namespace {

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QPen MakePen(int style, int width, COLORREF colour, bool scaled) {
    QPen pen(ToQColor(colour));
    pen.setJoinStyle(Qt::MiterJoin);
    if (scaled && width <= 1) {
        // One pixel of the picture, several of the device: a pen of one logical pixel,
        // drawn through the pixels' centres (see StrokeOffset). Square caps reach the
        // pixels' edges at the ends of a line and of every dot; so a dot of 2 widths
        // plus its caps covers 3 pixels, and 4 widths less the caps leave 3 off.
        pen.setWidth(1);
        pen.setCapStyle(Qt::SquareCap);
        if (style == PS_DOT) pen.setDashPattern({2.0, 4.0});
        return pen;
    }
    // Width 0 and 1 both give the one-pixel (cosmetic) pen.
    pen.setWidth(width <= 1 ? 0 : width);
    pen.setCapStyle(Qt::FlatCap);
    if (style == PS_DOT) pen.setDashPattern({3.0, 3.0});
    return pen;
}

// Whether the device has more than one device pixel per pixel of the picture.
bool IsScaled(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device != nullptr && device->devicePixelRatio() != 1.0;
}

// The image behind `painter` when its pixels are 32-bit words the direct path can write
// (0xAARRGGBB, every colour drawn opaque), at a whole number of device pixels a pixel;
// else null.
QImage* DirectImage(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image) return nullptr;
    QImage* image = static_cast<QImage*>(device);
    switch (image->format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            break;
        default:
            return nullptr;
    }
    const qreal ratio = image->devicePixelRatio();
    if (ratio < 1.0 || ratio != std::floor(ratio) || ratio > 16.0 || image->isNull())
        return nullptr;
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster ||
        !engine->systemClip().isEmpty())
        return nullptr;
    // Only an image that shares its pixels with no copy is drawn into directly: writing
    // to a shared one would make it detach from the pixels the painter draws on.
    if (!image->isDetached()) return nullptr;
    return image;
}

}  // namespace

void PainterTextCache::Clear() {
    m_fonts.clear();
    m_textCount = 0;
}

PainterDC::PainterDC(QPainter& painter, PainterTextCache* cache)
    : m_painter(painter), m_cache(cache != nullptr ? *cache : m_ownCache) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_scaled = IsScaled(painter);
    m_image = DirectImage(painter);
    if (m_image != nullptr) {
        m_ratio = static_cast<int>(m_image->devicePixelRatio());
        m_surface.bits = reinterpret_cast<uint32_t*>(m_image->bits());
        m_surface.width = m_image->width();
        m_surface.height = m_image->height();
        m_surface.stride = m_image->bytesPerLine() / 4;
    }
    platform::ClearVectorUpperState();
}

PainterDC::~PainterDC() {
    Flush();
}

bool PainterDC::DrawsDirectly() const {
    // The painter's state may have been changed since the start (between Flush calls):
    // look again each time.
    return m_image != nullptr && m_image->constBits() == reinterpret_cast<uchar*>(m_surface.bits) &&
           m_image->isDetached() && !m_painter.hasClipping() &&
           m_painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           m_painter.opacity() == 1.0 && HasPlainTransform();
}

bool PainterDC::HasPlainTransform() const {
    // The picture's pixels as they are, or magnified by the image's ratio and no more.
    const QTransform transform = m_painter.combinedTransform();
    if (m_ratio == 1) return transform.type() == QTransform::TxNone;
    return transform.type() == QTransform::TxScale && transform.m11() == m_ratio &&
           transform.m22() == m_ratio && transform.dx() == 0.0 && transform.dy() == 0.0;
}

uint32_t PainterDC::PixelOf(COLORREF colour) {
    return 0xFF000000u | (static_cast<uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<uint32_t>(GetGValue(colour)) << 8) |
           static_cast<uint32_t>(GetBValue(colour));
}

void PainterDC::Flush() {
    if (m_run.size() < 2) {
        m_run.clear();
        m_runFits = true;
        return;
    }
    const CPen* pen = GetCurrentPen();
    if (pen->width <= 1 && m_runFits && DrawsDirectly()) {
        const uint32_t colour = PixelOf(pen->colour);
        pixel_raster::DotPhase dots;
        dots.scale = m_ratio;
        pixel_raster::DotPhase* pattern = pen->style == PS_DOT ? &dots : nullptr;
        DrawRunDirectly(colour, pattern);
        m_run.clear();
        return;
    }
    m_runFits = true;
    UsePen();
    if (m_scaled) {
        DrawScaledRun();
    } else {
        m_painter.drawPolyline(m_run.data(), static_cast<int>(m_run.size()));
    }
    m_run.clear();
    platform::ClearVectorUpperState();
}

void PainterDC::DrawRunDirectly(uint32_t colour, pixel_raster::DotPhase* dots) {
    // Each segment at the device's resolution, m_ratio device pixels thick across its
    // longer axis: as many lines side by side, each starting at the same dot phase (one
    // line at a ratio of 1). A pixel of the picture is m_ratio device pixels long: a line
    // leaving it backwards (leftwards or upwards along its longer axis) starts from its far
    // end.
    const int r = m_ratio;
    for (size_t i = 1; i < m_run.size(); ++i) {
        const QPoint from = m_run[i - 1], to = m_run[i], step = to - from;
        const bool xMajor = std::abs(step.x()) >= std::abs(step.y());
        const int shiftX = xMajor && step.x() < 0 ? r - 1 : 0;
        const int shiftY = !xMajor && step.y() < 0 ? r - 1 : 0;
        const pixel_raster::DotPhase start = dots != nullptr ? *dots : pixel_raster::DotPhase{};
        for (int k = 0; k < r; ++k) {
            pixel_raster::DotPhase pass = start;
            const int x = shiftX + (xMajor ? 0 : k), y = shiftY + (xMajor ? k : 0);
            pixel_raster::DrawSegment(m_surface, from.x() * r + x, from.y() * r + y, to.x() * r + x,
                                      to.y() * r + y, colour, dots != nullptr ? &pass : nullptr);
            if (dots != nullptr && k == r - 1) *dots = pass;
        }
    }
}

void PainterDC::DrawScaledRun() {
    // A run leaves its end pixel out, but the square cap of the scaled pen would cover
    // it: the run ends instead at the last pixel it covers, one step of the last segment
    // (along its longer axis) before its end.
    std::vector<QPointF> points(m_run.begin(), m_run.end());
    const QPoint step = m_run.back() - m_run[m_run.size() - 2];
    const int steps = std::max(std::abs(step.x()), std::abs(step.y()));
    points.back() -= QPointF(step) / steps;
    if (points.back() == points[points.size() - 2]) points.pop_back();
    StrokeOffset(true);
    if (points.size() == 1) {
        m_painter.drawPoint(points.front());
    } else {
        m_painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    }
    StrokeOffset(false);
}

void PainterDC::UsePen() {
    const CPen* pen = GetCurrentPen();
    if (m_penSet && pen->style == m_penStyle && pen->width == m_penWidth &&
        pen->colour == m_penColour)
        return;
    m_painter.setPen(MakePen(pen->style, pen->width, pen->colour, m_scaled));
    m_penSet = true;
    m_textPenSet = false;
    m_penStyle = pen->style;
    m_penWidth = pen->width;
    m_penColour = pen->colour;
}

void PainterDC::StrokeOffset(bool on) {
    // A one-pixel cosmetic pen fills the pixel right of and below a point; a wider pen
    // is centred on it. Half a pixel across keeps the scaled pen on the same pixels.
    if (!m_scaled) return;
    const qreal half = on ? 0.5 : -0.5;
    m_painter.translate(half, half);
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
    if (m_run.empty()) {
        m_run.push_back(m_position);
        m_runFits = Fits(m_position.x()) && Fits(m_position.y());
    }
    if (!Fits(x) || !Fits(y)) m_runFits = false;
    m_position = QPoint(x, y);
    m_run.push_back(m_position);
}

// With a one-pixel pen and no antialiasing, Qt outlines a rectangle of width w from
// column left to column left + w inclusive: w = right - left - 1 keeps the right column
// and the bottom row out, as the platform does.
void PainterDC::Ellipse(int left, int top, int right, int bottom) {
    Flush();
    if (static_cast<int64_t>(right) - left < 1 || static_cast<int64_t>(bottom) - top < 1) return;
    UseShapeTools();
    StrokeOffset(true);
    m_painter.drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
    StrokeOffset(false);
    platform::ClearVectorUpperState();
}

void PainterDC::Rectangle(int left, int top, int right, int bottom) {
    Flush();
    if (static_cast<int64_t>(right) - left < 1 || static_cast<int64_t>(bottom) - top < 1) return;
    const CPen* pen = GetCurrentPen();
    const bool fits = m_ratio == 1 || (Fits(left) && Fits(top) && Fits(right) && Fits(bottom));
    if (pen->width <= 1 && pen->style == PS_SOLID && fits && DrawsDirectly()) {
        const int r = m_ratio;
        const uint32_t outline = PixelOf(pen->colour), fill = PixelOf(GetCurrentBrush()->colour);
        if (r == 1) {
            pixel_raster::OutlinedRect(m_surface, left, top, right, bottom, outline, fill);
        } else {
            // The outline m_ratio device pixels wide.
            pixel_raster::FillRect(m_surface, left * r, top * r, right * r, bottom * r, outline);
            pixel_raster::FillRect(m_surface, (left + 1) * r, (top + 1) * r, (right - 1) * r,
                                   (bottom - 1) * r, fill);
        }
        return;
    }
    UseShapeTools();
    StrokeOffset(true);
    m_painter.drawRect(QRectF(left, top, right - left - 1, bottom - top - 1));
    StrokeOffset(false);
    platform::ClearVectorUpperState();
}

void PainterDC::TranslucentPolygon(const POINT* points, int count, COLORREF colour, int alpha) {
    Flush();
    if (count < 3 || points == nullptr) return;
    alpha = alpha < ALPHA_TRANSPARENT ? ALPHA_TRANSPARENT
            : alpha > ALPHA_OPAQUE    ? ALPHA_OPAQUE
                                      : alpha;
    if (alpha == ALPHA_TRANSPARENT) return;
    QPolygonF polygon;
    polygon.reserve(count);
    // Pixel centres, as the lines between the same points cover them.
    for (int i = 0; i < count; ++i) polygon.append(QPointF(points[i].x + 0.5, points[i].y + 0.5));
    QColor fill = ToQColor(colour);
    fill.setAlpha(alpha);
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(fill);
    m_painter.drawPolygon(polygon, Qt::OddEvenFill);
    m_painter.restore();
    platform::ClearVectorUpperState();
}

PainterDC::PreparedFont& PainterDC::FontFor(const CFont& cfont) {
    if (m_lastFont != nullptr && cfont.height == m_lastFontHeight && cfont.face == m_lastFontFace)
        return *m_lastFont;
    // Font sizes depend on the resolution of the device.
    QPaintDevice* device = m_painter.device();
    int dpi = device != nullptr ? device->logicalDpiY() : 96;
    std::string key = std::to_string(dpi) + '/' + std::to_string(cfont.height) + '/' + cfont.face;
    auto found = m_cache.m_fonts.find(key);
    if (found == m_cache.m_fonts.end()) {
        QFont font(cfont.face.empty() ? QStringLiteral("Sans Serif")
                                      : QString::fromStdString(cfont.face));
        font.setStyleHint(QFont::SansSerif);
        int height = cfont.height == 0 ? 16 : cfont.height;
        // A positive height is the cell's (ascent plus descent), a negative one the em's.
        double em = std::fabs(static_cast<double>(height));
        if (height > 0) {
            QFont probe(font);
            probe.setPointSizeF(100.0 * 72.0 / dpi);
            QFontMetricsF metrics(probe, device);
            double cell = metrics.ascent() + metrics.descent();
            if (cell > 0) em = height * 100.0 / cell;
        }
        font.setPointSizeF(em * 72.0 / dpi);
        found = m_cache.m_fonts.emplace(key, PreparedFont{font, {}}).first;
        platform::ClearVectorUpperState();
    }
    // Elements of the map stay where they are as it grows.
    m_lastFont = &found->second;
    m_lastFontHeight = cfont.height;
    m_lastFontFace = cfont.face;
    m_fontSet = false;
    return *m_lastFont;
}

void PainterDC::TextOut(int x, int y, const char* text, int length) {
    Flush();
    if (length <= 0) return;
    PreparedFont& font = FontFor(*GetCurrentFont());
    std::string key(text, static_cast<size_t>(length));
    auto found = font.texts.find(key);
    if (found == font.texts.end()) {
        if (m_cache.m_textCount >= PainterTextCache::MAX_TEXTS) {
            for (auto& entry : m_cache.m_fonts) entry.second.texts.clear();
            m_cache.m_textCount = 0;
        }
        QStaticText prepared(QString::fromLatin1(text, length));
        prepared.setTextFormat(Qt::PlainText);
        prepared.setPerformanceHint(QStaticText::AggressiveCaching);
        prepared.prepare(QTransform(), font.font);
        found = font.texts.emplace(std::move(key), prepared).first;
        ++m_cache.m_textCount;
    }
    if (!m_fontSet) {
        m_painter.setFont(font.font);
        m_fontSet = true;
    }
    if (GetBkMode() == OPAQUE) {
        QSizeF size = found->second.size();
        m_painter.fillRect(QRectF(QPointF(x, y), size), Qt::white);
    }
    const COLORREF colour = GetTextColor();
    if (!m_textPenSet || colour != m_textPenColour) {
        m_painter.setPen(ToQColor(colour));
        m_textPenSet = true;
        m_textPenColour = colour;
        m_penSet = false;
    }
    m_painter.drawStaticText(QPointF(x, y), found->second);
    platform::ClearVectorUpperState();
}

void PaintThroughDC(QPaintDevice& device, const QColor& background, PainterTextCache* cache,
                    const std::function<void(CDC&)>& draw) {
    QPainter painter(&device);
    painter.fillRect(0, 0, device.width(), device.height(), background);
    {
        // The device context hands its pending lines to the painter when it goes.
        PainterDC dc(painter, cache);
        draw(dc);
    }
    painter.end();
    platform::ClearVectorUpperState();
}
