// SPDX-License-Identifier: GPL-3.0-or-later
// What the precise engine's tests share: the checked-in CSV data (canon_sample.csv and
// local_circumstances_reference.csv beside this file) read by column name, the lunation
// search's instant of an eclipse, and checks on local circumstances.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "astro/eclipse_search.h"
#include "besselian/local_circumstances.h"
#include "besselian/shadow_geometry.h"

namespace besselian {
namespace test {

// One line of a CSV file, its fields named by the file's header.
struct Csv_Row {
    std::vector<std::string> header, fields;
    const std::string& operator[](const char* name) const {
        return fields.at(std::find(header.begin(), header.end(), name) - header.begin());
    }
    double Number(const char* name) const {
        return (*this)[name].empty() ? NAN : std::stod((*this)[name]);
    }
    // An instant "2017-08-21T16:05:25.7Z" as a Julian Day of UT; NaN where empty.
    double Jd(const char* name) const {
        int y = 0, mo = 0, d = 0, h = 0, mi = 0;
        double s = 0.0;
        const int n =
            std::sscanf((*this)[name].c_str(), "%d-%d-%dT%d:%d:%lfZ", &y, &mo, &d, &h, &mi, &s);
        return n == 6 ? JDFromDateTime(y, mo, d, h, mi, 0) + s / 86400.0 : NAN;
    }
};

// The rows of a CSV file: lines starting with '#' are comments, the first other line is the
// header; fields may be quoted. Empty (and the tests fail) when the file cannot be read.
inline std::vector<Csv_Row> ReadCsv(const char* path) {
    const auto split = [](const std::string& line) {
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (char c : line) {
            if (c == '"') quoted = !quoted;
            if (c == ',' && !quoted) fields.emplace_back();
            if (c != '"' && (c != ',' || quoted)) fields.back() += c;
        }
        return fields;
    };
    std::ifstream in(path);
    std::vector<Csv_Row> rows;
    std::vector<std::string> header;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (header.empty()) {
            header = split(line);
            continue;
        }
        rows.push_back({header, split(line)});
        rows.back().fields.resize(header.size());
    }
    return rows;
}

// The lunation search's instant (JDE) of the first eclipse after fromJde.
inline double LunationJde(int year, double fromJde) {
    double jde = 0.0, magnitude = 0.0;
    uint16_t type = 0;
    FindEclipse(true, static_cast<int16_t>(year), fromJde, jde, type, magnitude);
    return jde;
}
// The same from two days before the date "YYYY-MM-DD".
inline double LunationJde(const std::string& date) {
    int y = 0, m = 0, d = 0;
    std::sscanf(date.c_str(), "%d-%d-%d", &y, &m, &d);
    return LunationJde(y, JDFromDateTime(y, m, d, 0, 0, 0) - 2.0);
}

// The place under the shadow axis at t (hours from t0); latitude NaN where the axis misses
// the Earth.
inline Geodetic_Place UnderAxis(const Besselian_Elements& e, double t) {
    Geodetic_Place p;
    const Element_State s = StateAt(e, t);
    if (!SurfacePointUnder(s, s.x, s.y, p.latitudeDeg, p.longitudeDeg)) p.latitudeDeg = NAN;
    return p;
}

// No field of the result is NaN or infinite, defined or not; the contacts and the maximum
// that are defined come in their order.
inline bool FiniteAndOrdered(const Local_Circumstances& lc) {
    const Local_Instant* seq[] = {&lc.sunrise, &lc.sunset, &lc.c1, &lc.c2,
                                  &lc.maximum, &lc.c3,     &lc.c4};
    double last = -INFINITY;
    bool ok = true;
    for (const Local_Instant* i : seq) {
        ok = ok && std::isfinite(i->jdUt + i->sunAltitudeDeg);
        if (!i->defined || i == &lc.sunrise || i == &lc.sunset) continue;
        ok = ok && i->jdUt >= last;
        last = i->jdUt;
    }
    return ok &&
           std::isfinite(lc.c1.positionAngleDeg + lc.c2.positionAngleDeg + lc.c3.positionAngleDeg +
                         lc.c4.positionAngleDeg + lc.sunAzimuthMaxDeg + lc.magnitude +
                         lc.obscuration + lc.moonSunRatio + lc.centralDurationS + lc.deltaTSeconds);
}

}  // namespace test
}  // namespace besselian
