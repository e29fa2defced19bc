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

namespace {

// The umbra's northern limits' points, each with the southern limits' point of the same
// instant where there is one.
std::vector<Precise_Eclipse::Fill_Pair> PairLimits(const std::vector<Shadow_Line>& lines) {
    std::vector<Precise_Eclipse::Fill_Pair> pairs;
    std::map<double, Geo_Point> south;
    for (const Shadow_Line& line : lines)
        if (line.kind == Line_Kind::UmbraLimit && line.side == Line_Side::South)
            for (const Geo_Point& point : line.points)
                if (!std::isnan(point.tHours)) south.emplace(point.tHours, point);
    if (south.empty()) return pairs;
    for (const Shadow_Line& line : lines) {
        if (line.kind != Line_Kind::UmbraLimit || line.side != Line_Side::North) continue;
        for (const Geo_Point& north : line.points) {
            const auto match = south.find(north.tHours);
            const bool matched = match != south.end();
            pairs.push_back(
                {Point(north.latitudeDeg, north.longitudeDeg),
                 matched ? Point(match->second.latitudeDeg, match->second.longitudeDeg) : Point(),
                 matched, false});
        }
        if (!line.points.empty()) pairs.back().lineEnd = true;
    }
    return pairs;
}

}  // namespace

Precise_Eclipse ComputePreciseEclipse(double jde, const besselian::Engine_Options& options) {
    Precise_Eclipse eclipse;
    eclipse.global = besselian::ComputeGlobalCircumstances(jde, options);
    AddPreciseLines(eclipse);
    return eclipse;
}

void AddPreciseLines(Precise_Eclipse& eclipse) {
    if (eclipse.global.status != besselian::Global_Status::Ok) return;
    eclipse.lines = besselian::ComputeShadowLines(eclipse.global);
    for (const Shadow_Line& line : eclipse.lines) {
        std::vector<Point>& points = eclipse.linePoints.emplace_back();
        points.reserve(line.points.size());
        for (const Geo_Point& point : line.points)
            points.emplace_back(point.latitudeDeg, point.longitudeDeg);
    }
    eclipse.fillPairs = PairLimits(eclipse.lines);
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

void DrawShadowLine(const Globe& globe, Line_Kind kind, const std::vector<Point>& points) {
    const int n = static_cast<int>(points.size());
    if (n < 2) return;
    // Lent to a Line that only reads it.
    const Line drawn(n, const_cast<Point*>(points.data()), "");
    const Line_Style style = StyleOf(kind);
    drawn.Draw(globe, PRECISE_LINE_COLOUR, 0, style.width, style.penStyle);
}

// The pixel of a point and whether it lies on the globe's near side.
bool NearSidePixel(const Globe& globe, const Point& point, POINT& pixel) {
    int x, y;
    const double w = point.Project(globe, x, y);
    pixel = POINT{x, y};
    return w > 0.0;
}

// The path between the umbra's northern and southern limits, as polygons joining their
// points of equal instants, cut where either limit goes behind the globe.
void FillPath(CDC* dc, const Globe& globe, const std::vector<Precise_Eclipse::Fill_Pair>& pairs) {
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
    for (const Precise_Eclipse::Fill_Pair& pair : pairs) {
        POINT northPixel, southPixel;
        if (pair.matched && NearSidePixel(globe, pair.north, northPixel) &&
            NearSidePixel(globe, pair.south, southPixel)) {
            northRun.push_back(northPixel);
            southRun.push_back(southPixel);
        } else {
            fillRun();
        }
        if (pair.lineEnd) fillRun();
    }
}

void DrawGreatestMark(CDC* dc, const Globe& globe, const besselian::Global_Circumstances& g) {
    POINT centre;
    if (!NearSidePixel(globe, Point(g.latitudeDeg, g.longitudeDeg), centre)) return;
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
    FillPath(dc, globe, eclipse.fillPairs);
    for (size_t i = 0; i < eclipse.lines.size(); ++i)
        DrawShadowLine(globe, eclipse.lines[i].kind, eclipse.linePoints[i]);
    DrawGreatestMark(dc, globe, eclipse.global);
    globe.SetDC(previous);
}

void DrawPlaceMark(CDC* dc, const Globe& globe, double latitudeDeg, double longitudeDeg) {
    if (dc == nullptr) return;
    POINT centre;
    if (!NearSidePixel(globe, Point(latitudeDeg, longitudeDeg), centre)) return;
    CPen pen(PS_SOLID, 2, RGB(255, 255, 255));
    CBrush brush(RGB(0, 0, 0));
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    const int r = PLACE_MARK_RADIUS_PIXELS;
    dc->Ellipse(centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}
