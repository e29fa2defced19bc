// SPDX-License-Identifier: GPL-3.0-or-later
// Projection of a Point onto the orthographic globe.
#include <cmath>

#include "geo/globe.h"
#include "geo/point.h"

double Point::Project(const Globe& globe, int& x, int& y) const {
    double sinA, cosA, sinT0, cosT0, sinL0, cosL0;
    globe.GetRotationTerms(sinA, cosA, sinT0, cosT0, sinL0, cosL0);
    const double theta = colatitude;
    const double phi = longitude;
    const double sinTheta = std::sin(theta), cosTheta = std::cos(theta);
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double cx = globe.GetCentreX(), cy = globe.GetCentreY();

    const double c = cosPhi * cosL0 + sinPhi * sinL0;          // cosine of the longitude difference
    const double q = sinTheta * c * cosT0 - cosTheta * sinT0;  // southward in the view plane
    const double p = (sinPhi * cosL0 - cosPhi * sinL0) * sinTheta;  // eastward
    if (p == 0.0 && q == 0.0) {
        // The view centre itself (or its antipode): the disc centre, counted as visible.
        x = static_cast<int>(cx + 0.5);
        y = MAP_EXTENT_PIXELS - static_cast<int>(cy + 0.5);
        return 1.0;
    }
    const double w = cosTheta * cosT0 + c * sinTheta * sinT0;
    const double s = globe.GetRadius() * std::sqrt(1.0 - w * w) / std::sqrt(p * p + q * q);
    x = static_cast<int>(cx + 0.5 + (sinA * q + cosA * p) * s);
    y = MAP_EXTENT_PIXELS - static_cast<int>(cy + 0.5 - (cosA * q - sinA * p) * s);
    return w;
}
