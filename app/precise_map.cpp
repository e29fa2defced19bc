// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/precise_map.h"

#include <cmath>
#include <map>

#include "geo/line.h"
#include "geo/point.h"

using besselian::Geo_Point;
using besselian::Line_Kind;
using besselian::Line_Side;
using besselian::Shadow_Line;

Precise_Eclipse ComputePreciseEclipse(double jde, const besselian::Engine_Options& options) {
    Precise_Eclipse eclipse;
    eclipse.global = besselian::ComputeGlobalCircumstances(jde, options);
    if (eclipse.global.status == besselian::Global_Status::Ok)
        eclipse.lines = besselian::ComputeShadowLines(eclipse.global);
    return eclipse;
}

namespace {

struct Line_Style {
    int width;
    int penStyle;
};

Line_Style StyleOf(Line_Kind kind) {
    switch (kind) {
        case Line_Kind::Central:
            return {2, PS_SOLID};
        case Line_Kind::UmbraLimit:
        case Line_Kind::UmbraOutline:
            return {1, PS_SOLID};
        case Line_Kind::PenumbraLimit:
        case Line_Kind::RiseSet:
            break;
    }
    return {1, PS_DOT};
}

void DrawShadowLine(const Globe& globe, const Shadow_Line& line) {
    const int n = static_cast<int>(line.points.size());
    if (n < 2) return;
    Line drawn;
    drawn.Allocate(n);
    for (int i = 0; i < n; ++i)
        drawn.NthPoint(i).SetGeo(line.points[i].latitudeDeg, line.points[i].longitudeDeg);
    const Line_Style style = StyleOf(line.kind);
    drawn.Draw(globe, PRECISE_LINE_COLOUR, 0, style.width, style.penStyle);
}

// The pixel of a geographic point and whether it lies on the globe's near side.
bool NearSidePixel(const Globe& globe, const Geo_Point& point, POINT& pixel) {
    int x, y;
    const double w = Point(point.latitudeDeg, point.longitudeDeg).Project(globe, x, y);
    pixel = POINT{x, y};
    return w > 0.0;
}

// The path between the umbra's northern and southern limits, as polygons joining their
// points of equal instants, cut where either limit goes behind the globe.
void FillPath(CDC* dc, const Globe& globe, const std::vector<Shadow_Line>& lines) {
    std::map<double, Geo_Point> south;
    for (const Shadow_Line& line : lines)
        if (line.kind == Line_Kind::UmbraLimit && line.side == Line_Side::South)
            for (const Geo_Point& point : line.points)
                if (!std::isnan(point.tHours)) south.emplace(point.tHours, point);
    if (south.empty()) return;

    std::vector<POINT> northRun, southRun;
    const auto fillRun = [&]() {
        if (northRun.size() >= 2) {
            std::vector<POINT> polygon(northRun);
            polygon.insert(polygon.end(), southRun.rbegin(), southRun.rend());
            dc->TranslucentPolygon(polygon.data(), static_cast<int>(polygon.size()),
                                   PRECISE_FILL_COLOUR, PRECISE_FILL_ALPHA);
        }
        northRun.clear();
        southRun.clear();
    };
    for (const Shadow_Line& line : lines) {
        if (line.kind != Line_Kind::UmbraLimit || line.side != Line_Side::North) continue;
        for (const Geo_Point& north : line.points) {
            const auto match = south.find(north.tHours);
            POINT northPixel, southPixel;
            if (match != south.end() && NearSidePixel(globe, north, northPixel) &&
                NearSidePixel(globe, match->second, southPixel)) {
                northRun.push_back(northPixel);
                southRun.push_back(southPixel);
            } else {
                fillRun();
            }
        }
        fillRun();
    }
}

void DrawGreatestMark(CDC* dc, const Globe& globe, const besselian::Global_Circumstances& g) {
    POINT centre;
    if (!NearSidePixel(globe, {g.latitudeDeg, g.longitudeDeg}, centre)) return;
    CPen pen(PS_SOLID, 2, PRECISE_LINE_COLOUR);
    CBrush ring(RGB(255, 255, 255));
    CBrush dot(PRECISE_LINE_COLOUR);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&ring);
    const int r = PRECISE_MARK_RADIUS_PIXELS;
    dc->Ellipse(centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
    dc->SelectObject(&dot);
    dc->Ellipse(centre.x - 1, centre.y - 1, centre.x + 2, centre.y + 2);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

}  // namespace

void DrawPreciseEclipse(CDC* dc, Globe& globe, const Precise_Eclipse& eclipse) {
    if (dc == nullptr || eclipse.global.status != besselian::Global_Status::Ok) return;
    CDC* previous = globe.GetDC();
    globe.SetDC(dc);
    FillPath(dc, globe, eclipse.lines);
    for (const Shadow_Line& line : eclipse.lines) DrawShadowLine(globe, line);
    DrawGreatestMark(dc, globe, eclipse.global);
    globe.SetDC(previous);
}

void DrawPlaceMark(CDC* dc, const Globe& globe, double latitudeDeg, double longitudeDeg) {
    if (dc == nullptr) return;
    POINT centre;
    if (!NearSidePixel(globe, {latitudeDeg, longitudeDeg}, centre)) return;
    CPen pen(PS_SOLID, 2, RGB(255, 255, 255));
    CBrush brush(RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    const int r = PLACE_MARK_RADIUS_PIXELS;
    dc->Ellipse(centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}
