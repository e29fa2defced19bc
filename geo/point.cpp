// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/point.h"

#include "units/angles.h"

void Point::SetGeo(double latitudeDeg, double longitudeDeg) {
    colatitude = static_cast<float>(Radians(90.0 - latitudeDeg));
    longitude = static_cast<float>(Radians(longitudeDeg));
}

void Point::SetRadians(double colatitudeRad, double longitudeRad) {
    colatitude = static_cast<float>(colatitudeRad);
    longitude = static_cast<float>(longitudeRad);
}
