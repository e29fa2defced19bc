// SPDX-License-Identifier: GPL-3.0-or-later
// A position on the sphere of the Earth, stored compactly as colatitude and longitude in
// radians (32-bit floats, 8 bytes a point). Positions given in degrees (latitude north
// positive, longitude east positive) are converted and rounded to float; nothing is
// range-checked or normalised.
#pragma once

class Globe;

class Point {
  public:
    // The North Pole at longitude 0.
    Point() = default;
    Point(double latitudeDeg, double longitudeDeg) { SetGeo(latitudeDeg, longitudeDeg); }

    // colatitude = (90 - latitude) in radians, longitude in radians. A latitude above 90
    // gives a negative colatitude; longitudes keep any value.
    void SetGeo(double latitudeDeg, double longitudeDeg);
    // Stores both values as given (radians).
    void SetRadians(double colatitudeRad, double longitudeRad);

    // Writes the point's pixel on the globe's disc and returns its visibility w, the
    // cosine of its angular distance from the view centre: w > 0 on the near side. A point
    // on the far side gets the pixel of its mirror image through the view plane.
    double Project(const Globe& globe, int& x, int& y) const;

    float colatitude = 0.0f;  // radians from the North Pole, 0 to pi
    float longitude = 0.0f;   // radians, east positive
};
