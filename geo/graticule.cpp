// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/graticule.h"

#include "geo/globe.h"
#include "geo/line.h"
#include "units/angles.h"

namespace {
constexpr COLORREF DISC_COLOUR = RGB(40, 166, 254);
constexpr COLORREF GRID_COLOUR = RGB(127, 127, 127);
}  // namespace

Graticule::Graticule(double latitudeStepDeg, double longitudeStepDeg, double polarGapDeg,
                     double segmentStepDeg) {
    latitudeStep = Radians(latitudeStepDeg);
    longitudeStep = Radians(longitudeStepDeg);
    polarGap = Radians(polarGapDeg);
    segmentStep = Radians(segmentStepDeg);
}

void Graticule::DrawDisc(const Globe& globe) const {
    CDC* dc = globe.GetDC();
    if (dc == nullptr) return;
    const double cx = globe.GetCentreX(), cy = globe.GetCentreY(), r = globe.GetRadius();
    CBrush brush(DISC_COLOUR);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Ellipse(static_cast<int>(cx - r), static_cast<int>(MAP_EXTENT_PIXELS - cy - r),
                static_cast<int>(cx + r), static_cast<int>(MAP_EXTENT_PIXELS - cy + r));
    dc->SelectObject(oldBrush);
    brush.DeleteObject();
}

void Graticule::DrawGrid(const Globe& globe) const {
    const Angle_Constants& k = AngleConstants();
    Point ends[2];
    Line piece(2, ends, "");
    auto draw = [&](double colatitude0, double longitude0, double colatitude1, double longitude1) {
        ends[0].SetRadians(colatitude0, longitude0);
        ends[1].SetRadians(colatitude1, longitude1);
        piece.Draw(globe, GRID_COLOUR, 0, 1, PS_SOLID);
    };

    // Parallels, northern and southern together; the equator comes twice.
    for (double t = 0.0; t <= k.HALF_PI - polarGap; t += latitudeStep) {
        const double north = k.HALF_PI - t, south = k.HALF_PI + t;
        // 2.01 turns rather than 2 so that rounding cannot drop the last piece.
        for (double phi = segmentStep; phi <= 2.01 * k.PI; phi += segmentStep) {
            draw(north, phi - segmentStep, north, phi);
            draw(south, phi - segmentStep, south, phi);
        }
    }
    // Meridians, from the equator toward the north, then toward the south.
    for (double lambda = 0.0; lambda < 2.0 * k.PI; lambda += longitudeStep) {
        for (double c = k.HALF_PI - segmentStep; c >= polarGap; c -= segmentStep)
            draw(c, lambda, c + segmentStep, lambda);
        for (double c = k.HALF_PI + segmentStep; c <= k.PI - polarGap; c += segmentStep)
            draw(c - segmentStep, lambda, c, lambda);
    }
}
