// SPDX-License-Identifier: GPL-3.0-or-later
// The map pane: the right pane of the main window, showing the globe with the world map
// and the current eclipse drawn over it. It keeps no data of its own: every paint rebuilds
// the eclipse overlay from the document, settles the globe's centre with the document
// (the first paint after a step takes the overlay's centre, the sub-solar point of the
// eclipse; later paints put back the centre the document holds) and draws. The four
// turning operations step the document's centre and repaint at once.
//
// The map is drawn in device pixels at a fixed place: the globe's disc fills the square
// from (2, 2) to (638, 638) of the pane whatever the pane's size; a smaller pane clips
// it, a larger one leaves background. The background is the list controls' background
// colour (the palette's Base colour); before the first eclipse only it is shown.
//
// A paint draws the map into an image of the pane's size and then shows the image in one
// piece: drawing lines straight into an image is several times faster than drawing them
// on the window, and the labels stay laid out from one paint to the next. On a scaled
// display the image has the display's device pixel ratio: positions and sizes above are
// in the pane's (logical) pixels, and lines and text use every device pixel.
//
// With the document's precise flag on, the precise eclipse (app/precise_map.h) is drawn
// over the green lines; the place picked is marked over everything. The mouse picks and
// turns: a press and release without movement on the disc makes the point under the
// pointer the document's place, outside the disc clears the place; a movement by the
// platform's drag distance or more with the left button held turns the globe (the view
// centre's longitude with the horizontal movement, its latitude with the vertical one,
// within the bounds of the turning operations) and repaints as the mouse moves.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

#include "geo/globe.h"
#include "platform/qt/painter_dc.h"

class CDC;
class CVelmorDoc;

class CVelmorView : public QWidget {
  public:
    // Pixels the pane needs to show the whole globe.
    static constexpr int kMapExtentPixels = MAP_EXTENT_PIXELS;

    // Turning steps, degrees.
    static constexpr double kLongitudeStepDeg = 30.0;
    static constexpr double kLatitudeStepDeg = 15.0;

    explicit CVelmorView(CVelmorDoc* document, QWidget* parent = nullptr);

    CVelmorDoc* GetDocument() const { return m_pDocument; }

    // Draws the document's eclipse and world map into `dc`, settling the globe's centre
    // with the document as described above. Needs an eclipse in the document.
    void Render(CVelmorDoc* document, CDC* dc);

    // Each does nothing until a paint has recorded the centre in the document; otherwise
    // it steps the centre (East +30, West -30 degrees of longitude, kept within 0 ... 360
    // by one wrap; North +15, South -15 degrees of latitude, held within -90 ... 90) and,
    // when the value changed, repaints before returning.
    void TurnEast();
    void TurnWest();
    void TurnNorth();
    void TurnSouth();

    // Degrees the view centre turns for each pixel that the mouse drags: a point near the
    // disc's centre follows the pointer.
    static constexpr double kDragDegreesPerPixel =
        180.0 / (3.14159265358979 * MAP_GLOBE_RADIUS_PIXELS);

    // Makes the point of the disc at `position` (the pane's pixels) the document's place,
    // or clears the place for a position off the disc; repaints and tells the handler.
    // Does nothing until a paint has recorded the centre in the document.
    void PickPlace(const QPoint& position);
    // Run after the mouse set or cleared the document's place.
    void SetPlaceChangedHandler(std::function<void()> handler) {
        m_placeChanged = std::move(handler);
    }

    // Run again by a new-document or open-document command: repaints.
    void OnInitialUpdate();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void OnPaint();
    // Stores `value` in `field` and repaints when it differs from what was there.
    void SetCentreField(double& field, double value);

    CVelmorDoc* m_pDocument;
    QImage m_image;                // the pane's picture, remade when the pane's size changes
    PainterTextCache m_textCache;  // labels laid out by earlier paints
    // The left button's press: where, the view centre then, whether it became a drag.
    bool m_bPressed = false;
    bool m_bDragging = false;
    QPoint m_pressPosition;
    double m_dPressLat = 0.0, m_dPressLon = 0.0;
    std::function<void()> m_placeChanged;
};
