// SPDX-License-Identifier: GPL-3.0-or-later
// The three kinds of polyline of the world data and how each is drawn: coastlines (Land),
// rivers (River) and lake and sea shores (Water). They hold exactly what a Line holds, so
// any of the styles can be applied to any Line (the world data arrays are all Land).
#pragma once

#include "geo/line.h"

struct Line_Style {
    COLORREF colour;
    int closed;  // 1: the last point is joined back to the first
    int width;   // pixels
    int penStyle;
};

// Coastlines: black, closed. Rivers: black, open. Lake and sea shores: closed, in a dark
// blue that stands out against the globe's disc (40, 166, 254).
constexpr Line_Style LAND_STYLE{RGB(0, 0, 0), 1, 1, PS_SOLID};
constexpr Line_Style RIVER_STYLE{RGB(0, 0, 0), 0, 1, PS_SOLID};
constexpr Line_Style WATER_STYLE{RGB(0, 80, 160), 1, 1, PS_SOLID};

// Draws line in the given style through the globe's device context.
inline void DrawInStyle(const Line& line, const Globe& globe, const Line_Style& style) {
    line.Draw(globe, style.colour, style.closed, style.width, style.penStyle);
}

class Land : public Line {
  public:
    Land() = default;
    Land(int size, Point* points, const char* name) : Line(size, points, name) {}
    void Draw(const Globe& globe) const { DrawInStyle(*this, globe, LAND_STYLE); }
};

class River : public Line {
  public:
    River() = default;
    River(int size, Point* points, const char* name) : Line(size, points, name) {}
    void Draw(const Globe& globe) const { DrawInStyle(*this, globe, RIVER_STYLE); }
};

class Water : public Line {
  public:
    Water() = default;
    Water(int size, Point* points, const char* name) : Line(size, points, name) {}
    void Draw(const Globe& globe) const { DrawInStyle(*this, globe, WATER_STYLE); }
};
