#include "geo/point.h"

#include "astro/angles.h"

void Point::SetGeo(double latitudeDeg, double longitudeDeg) {
    const double degToRad = AngleConstants().DEG_TO_RAD;
    colatitude = static_cast<float>((90.0 - latitudeDeg) * degToRad);
    longitude = static_cast<float>(longitudeDeg * degToRad);
}

void Point::SetRadians(double colatitudeRad, double longitudeRad) {
    colatitude = static_cast<float>(colatitudeRad);
    longitude = static_cast<float>(longitudeRad);
}
