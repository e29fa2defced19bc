#include "app/shell/velmor_view.h"

#include <QPainter>
#include <QPalette>

#include "app/velmor_doc.h"
#include "geo/globe.h"
#include "overlay/eclipse_overlay.h"
#include "platform/qt/painter_dc.h"
#include "platform/qt/vector_state.h"

CVelmorView::CVelmorView(CVelmorDoc* document, QWidget* parent)
    : QWidget(parent), m_pDocument(document) {
    setObjectName(QStringLiteral("CVelmorView"));
    setAccessibleName(QStringLiteral("Map"));
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

void CVelmorView::OnInitialUpdate() {
    update();
}

QSize CVelmorView::sizeHint() const {
    return QSize(kMapExtentPixels, kMapExtentPixels);
}

QSize CVelmorView::minimumSizeHint() const {
    return QSize(0, 0);
}
