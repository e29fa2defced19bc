// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/precise_fields.h"

#include <cmath>

#include "cli/column_text.h"

std::vector<Precise_Value> PreciseValues(const besselian::Global_Circumstances& g) {
    const bool ok = g.status == besselian::Global_Status::Ok;
    const auto number = [ok](double value, int decimals) {
        return ok ? FixedText(value, decimals) : std::string();
    };
    return {
        {"greatest_jde", number(g.greatestJde, 6), false},
        {"greatest_ut", ok && std::isfinite(g.greatestJdUt) ? IsoUtText(g.greatestJdUt) : "", true},
        {"delta_t", number(g.deltaTSeconds, 1), false},
        {"gamma", number(g.gamma, 4), false},
        {"eclipse_magnitude", number(g.magnitude, 4), false},
        {"precise_type", ok ? besselian::EclipseTypeName(g.type) : "", true},
        {"central", ok ? (g.central ? "1" : "0") : "", false},
        {"latitude", number(g.latitudeDeg, 3), false},
        {"longitude", number(g.longitudeDeg, 3), false},
        {"sun_altitude", number(g.sunAltitudeDeg, 1), false},
        {"sun_azimuth", number(g.sunAzimuthDeg, 1), false},
        {"path_width_km", number(g.pathWidthKm, 1), false},
        {"central_duration_s", number(g.centralDurationS, 1), false},
    };
}

std::string PreciseCsvHeader() {
    std::vector<std::string> names;
    for (const Precise_Value& v : PreciseValues(besselian::Global_Circumstances{}))
        names.push_back(v.name);
    return CommaJoined(names);
}

std::string PreciseCsvColumns(const besselian::Global_Circumstances& circumstances) {
    std::vector<std::string> texts;
    for (const Precise_Value& v : PreciseValues(circumstances)) texts.push_back(v.text);
    return CommaJoined(texts);
}

std::string PreciseJsonMembers(const besselian::Global_Circumstances& circumstances) {
    std::string out;
    for (const Precise_Value& v : PreciseValues(circumstances)) {
        if (!out.empty()) out += ',';
        out += "\"" + std::string(v.name) + "\":";
        if (v.text.empty()) {
            out += "null";
        } else {
            out += v.isText ? "\"" + v.text + "\"" : v.text;
        }
    }
    return out;
}
