// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/overlay_geojson.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "overlay/eclipse_overlay.h"
#include "units/angles.h"

namespace {

using Position = Geo_Position;
using Piece = std::vector<Position>;

Position ToPosition(const Point& p) {
    // Adding 0 turns a negative zero into a plain one, so that no "-0.00000" is written.
    return {Degrees(p.longitude) + 0.0, 90.0 - Degrees(p.colatitude) + 0.0};
}

}  // namespace

std::vector<Piece> CutAtAntimeridian(const std::vector<Position>& points) {
    std::vector<Piece> pieces(1);
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0) {
            const Position& a = points[i - 1];
            const Position& b = points[i];
            if (std::fabs(b.longitude - a.longitude) > 180.0) {
                const double edge = a.longitude > 0 ? 180.0 : -180.0;
                const double bUnwrapped = b.longitude + 2 * edge;
                const double f = (edge - a.longitude) / (bUnwrapped - a.longitude);
                const double latitude = a.latitude + f * (b.latitude - a.latitude);
                pieces.back().push_back({edge, latitude});
                pieces.push_back({{-edge, latitude}});
            }
        }
        pieces.back().push_back(points[i]);
    }
    return pieces;
}

namespace {

void AppendPiece(std::string& out, const Piece& piece) {
    out += '[';
    char buffer[64];
    for (size_t i = 0; i < piece.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%s[%.5f,%.5f]", i ? "," : "", piece[i].longitude,
                      piece[i].latitude);
        out += buffer;
    }
    out += ']';
}

}  // namespace

const char* const GEOJSON_COLLECTION_START = "{\"type\":\"FeatureCollection\",\"features\":[";
const char* const GEOJSON_COLLECTION_END = "]}\n";

void AppendGeoJsonFeature(std::string& out, const std::vector<Position>& points,
                          const std::string& properties) {
    const std::vector<Piece> pieces = CutAtAntimeridian(points);
    if (!out.empty() && out.back() != '[') out += ",\n";
    out += "{\"type\":\"Feature\",\"properties\":{" + properties + "},\"geometry\":{";
    if (points.size() == 1) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "\"type\":\"Point\",\"coordinates\":[%.5f,%.5f]",
                      points[0].longitude, points[0].latitude);
        out += buffer;
    } else if (pieces.size() == 1) {
        out += "\"type\":\"LineString\",\"coordinates\":";
        AppendPiece(out, pieces[0]);
    } else {
        out += "\"type\":\"MultiLineString\",\"coordinates\":[";
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i) out += ',';
            AppendPiece(out, pieces[i]);
        }
        out += ']';
    }
    out += "}}";
}

namespace {

std::string LineProperties(int index, const char* name) {
    std::string p = "\"line\":" + std::to_string(index) + ",\"kind\":";
    if (index == OVERLAY_CENTRAL_LINE) return p + "\"central\"";
    if (index < OVERLAY_LIMIT_FIRST) return p + "\"horizon\"";
    if (index < OVERLAY_OUTLINE_FIRST) {
        const int cone = (index - OVERLAY_LIMIT_FIRST) / 2;
        const bool left = (index - OVERLAY_LIMIT_FIRST) % 2 == 0;
        char magnitude[16];
        std::snprintf(magnitude, sizeof magnitude, "%g", cone / 5.0);
        return p + "\"limit\",\"magnitude\":" + magnitude + ",\"side\":\"" +
               (left ? "left" : "right") + "\"";
    }
    return p + "\"outline\",\"label\":\"" + name + "\"";
}

}  // namespace

std::string OverlayGeoJson(Eclipse_Overlay& overlay) {
    std::string out = GEOJSON_COLLECTION_START;
    for (int i = 0; i < OVERLAY_LINES; ++i) {
        if (!overlay.drawFlags[i]) continue;
        Line& line = overlay.lines[i];
        std::vector<Position> points;
        for (int p = line.first; p < line.last; ++p) points.push_back(ToPosition(line.NthPoint(p)));
        // A single point makes no line; an outline of one point still carries its label.
        if (points.empty() || (points.size() == 1 && i < OVERLAY_OUTLINE_FIRST)) continue;
        AppendGeoJsonFeature(out, points, LineProperties(i, line.name));
    }
    for (int pair : {1, 3}) {
        if (!overlay.drawFlags[pair] || !overlay.drawFlags[pair + 1]) continue;
        Line& a = overlay.lines[pair];
        Line& b = overlay.lines[pair + 1];
        const std::string properties = "\"kind\":\"horizon-join\",\"joins\":[" +
                                       std::to_string(pair) + "," + std::to_string(pair + 1) + "]";
        AppendGeoJsonFeature(out, {ToPosition(a.First()), ToPosition(b.First())}, properties);
        AppendGeoJsonFeature(out, {ToPosition(a.Last()), ToPosition(b.Last())}, properties);
    }
    return out + GEOJSON_COLLECTION_END;
}
