// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/velmor_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <cmath>

#include "app/precise_map.h"
#include "app/velmor_doc.h"
#include "geo/globe.h"
#include "overlay/eclipse_overlay.h"
#include "platform/qt/painter_dc.h"
#include "platform/qt/vector_state.h"

CVelmorView::CVelmorView(CVelmorDoc* document, QWidget* parent)
    : QWidget(parent), m_pDocument(document) {
    setObjectName(QStringLiteral("CVelmorView"));
    setAccessibleName(QStringLiteral("Map"));
    setAccessibleDescription(
        QStringLiteral("Click the globe to pick a place, click beside it to clear the place, "
                       "drag to turn the globe"));
    setFocusPolicy(Qt::ClickFocus);
    // The background erase before every paint, in the colour of a list control.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Base));
    setPalette(colours);
    setAutoFillBackground(true);
}

void CVelmorView::paintEvent(QPaintEvent*) {
    OnPaint();
}

void CVelmorView::OnPaint() {
    CVelmorDoc* document = GetDocument();
    if (!document->m_eclipse.valid) return;
    // At the display's resolution: the map keeps its size and place in the pane's pixels
    // and is drawn with all the device pixels a scaled display has.
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels(qRound(width() * ratio), qRound(height() * ratio));
    if (m_image.size() != devicePixels || m_image.devicePixelRatio() != ratio) {
        m_image = QImage(devicePixels, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
    }
    // The background erase, then the map.
    PaintThroughDC(m_image, palette().color(QPalette::Window), &m_textCache,
                   [&](CDC& dc) { Render(document, &dc); });
    QPainter(this).drawImage(0, 0, m_image);
    platform::ClearVectorUpperState();
}

void CVelmorView::Render(CVelmorDoc* document, CDC* dc) {
    Globe* globe = document->m_pGlobe;
    globe->SetDC(dc);
    {
        // Building the overlay turns the globe to the sub-solar point of the eclipse.
        Eclipse_Overlay overlay(document->m_eclipse.jde, *globe, document);
        if (document->m_bCentreSet) {
            globe->SetLatitude(document->m_dCentreLat);
            globe->SetLongitude(document->m_dCentreLon);
        } else {
            document->m_dCentreLat = globe->GetLatitude();
            document->m_dCentreLon = globe->GetLongitude();
            document->m_bCentreSet = true;
        }
        overlay.DrawMap();
        if (document->m_bPrecise) DrawPreciseEclipse(dc, *globe, document->GetPreciseEclipse());
        if (document->m_bPlaceSet)
            DrawPlaceMark(dc, *globe, document->m_place.latitudeDeg,
                          document->m_place.longitudeDeg);
    }
    // The device context belongs to this paint only.
    globe->SetDC(nullptr);
}

void CVelmorView::SetCentreField(double& field, double value) {
    const double previous = field;
    field = value;
    if (value != previous) repaint();
}

void CVelmorView::TurnEast() {
    CVelmorDoc* document = GetDocument();
    if (!document->m_bCentreSet) return;
    double longitude = document->m_dCentreLon + kLongitudeStepDeg;
    if (longitude > 360.0) longitude -= 360.0;
    SetCentreField(document->m_dCentreLon, longitude);
}

void CVelmorView::TurnWest() {
    CVelmorDoc* document = GetDocument();
    if (!document->m_bCentreSet) return;
    double longitude = document->m_dCentreLon - kLongitudeStepDeg;
    if (longitude < 0.0) longitude += 360.0;
    SetCentreField(document->m_dCentreLon, longitude);
}

void CVelmorView::TurnNorth() {
    CVelmorDoc* document = GetDocument();
    if (!document->m_bCentreSet) return;
    double latitude = document->m_dCentreLat + kLatitudeStepDeg;
    if (latitude > 90.0) latitude = 90.0;
    SetCentreField(document->m_dCentreLat, latitude);
}

void CVelmorView::TurnSouth() {
    CVelmorDoc* document = GetDocument();
    if (!document->m_bCentreSet) return;
    double latitude = document->m_dCentreLat - kLatitudeStepDeg;
    if (latitude < -90.0) latitude = -90.0;
    SetCentreField(document->m_dCentreLat, latitude);
}

void CVelmorView::PickPlace(const QPoint& position) {
    CVelmorDoc* document = GetDocument();
    if (!document->m_bCentreSet) return;
    Globe* globe = document->m_pGlobe;
    globe->SetLatitude(document->m_dCentreLat);
    globe->SetLongitude(document->m_dCentreLon);
    double latitude, longitude;
    if (globe->Unproject(position.x(), position.y(), latitude, longitude)) {
        document->SetPlace({latitude, longitude, 0.0});
    } else {
        document->ClearPlace();
    }
    repaint();
    if (m_placeChanged) m_placeChanged();
}

void CVelmorView::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    CVelmorDoc* document = GetDocument();
    m_bPressed = true;
    m_bDragging = false;
    m_pressPosition = event->position().toPoint();
    m_dPressLat = document->m_dCentreLat;
    m_dPressLon = document->m_dCentreLon;
}

void CVelmorView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    CVelmorDoc* document = GetDocument();
    if (!m_bPressed || !(event->buttons() & Qt::LeftButton) || !document->m_bCentreSet) return;
    const QPoint moved = event->position().toPoint() - m_pressPosition;
    if (!m_bDragging && moved.manhattanLength() < QApplication::startDragDistance()) return;
    m_bDragging = true;
    // The globe follows the pointer: dragging to the right brings the west into view.
    double longitude = std::fmod(m_dPressLon - moved.x() * kDragDegreesPerPixel, 360.0);
    if (longitude < 0.0) longitude += 360.0;
    const double latitude =
        std::fmax(-90.0, std::fmin(90.0, m_dPressLat + moved.y() * kDragDegreesPerPixel));
    if (longitude == document->m_dCentreLon && latitude == document->m_dCentreLat) return;
    document->m_dCentreLon = longitude;
    document->m_dCentreLat = latitude;
    repaint();
}

void CVelmorView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !m_bPressed) return;
    m_bPressed = false;
    if (!m_bDragging) PickPlace(event->position().toPoint());
    m_bDragging = false;
}

void CVelmorView::OnInitialUpdate() {
    update();
}

QSize CVelmorView::sizeHint() const {
    return QSize(kMapExtentPixels, kMapExtentPixels);
}

QSize CVelmorView::minimumSizeHint() const {
    return QSize(0, 0);
}
