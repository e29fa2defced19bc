// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/precise_geojson.h"

#include <vector>

#include "cli/column_text.h"
#include "cli/overlay_geojson.h"
#include "cli/precise_fields.h"

namespace {

std::string Member(const char* name, const std::string& text) {
    return ",\"" + std::string(name) + "\":\"" + text + "\"";
}

std::string LineProperties(const besselian::Shadow_Line& line) {
    std::string p = "\"kind\":\"" + std::string(besselian::LineKindName(line.kind)) + "\"";
    if (line.side != besselian::Line_Side::None)
        p += Member("side", besselian::LineSideName(line.side));
    if (line.curve != besselian::Rise_Set_Curve::None)
        p += Member("curve", besselian::RiseSetCurveName(line.curve));
    if (line.kind == besselian::Line_Kind::UmbraOutline) p += Member("time", IsoUtText(line.jdUt));
    return p;
}

}  // namespace

std::string PreciseGeoJson(const Precise_Eclipse& eclipse) {
    std::string out = GEOJSON_COLLECTION_START;
    for (const besselian::Shadow_Line& line : eclipse.lines) {
        std::vector<Geo_Position> points;
        // Adding 0 turns a negative zero into a plain one.
        for (const besselian::Geo_Point& p : line.points)
            points.push_back({p.longitudeDeg + 0.0, p.latitudeDeg + 0.0});
        if (points.size() >= 2) AppendGeoJsonFeature(out, points, LineProperties(line));
    }
    const besselian::Global_Circumstances& g = eclipse.global;
    if (g.status == besselian::Global_Status::Ok) {
        AppendGeoJsonFeature(out, {{g.longitudeDeg + 0.0, g.latitudeDeg + 0.0}},
                             "\"kind\":\"greatest\"," + PreciseJsonMembers(g));
    }
    return out + GEOJSON_COLLECTION_END;
}
