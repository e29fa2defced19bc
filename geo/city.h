// SPDX-License-Identifier: GPL-3.0-or-later
// A city of the world data: a named point drawn as a small yellow square, with its name
// when it lies near the middle of the visible hemisphere.
#pragma once

#include "geo/named_point.h"

class City : public Named_Point {
  public:
    City() = default;
    City(double latitudeDeg, double longitudeDeg, const char* name)
        : Named_Point(latitudeDeg, longitudeDeg, name) {}

    // Draws through the globe's device context: nothing on the far side (w <= 0); a 4 by 4
    // pixel square in 255, 255, 0 centred on the city's pixel; and, within about 44.8
    // degrees of the view centre (w > 0.71), the name in black with its top-left corner at
    // that pixel.
    void Draw(const Globe& globe) const;
};
