// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the precise engine against the Five Millennium Canon of Solar Eclipses
// (Espenak & Meeus, NASA TP-2006-214141; eclipse predictions by Fred Espenak, NASA's GSFC)
// in its normalised CSV form: finds each eclipse with the lunation search, computes its
// global circumstances on two threads and prints the differences as statistics, with every
// type that disagrees.
//
// Usage: besselian_canon_check CANON.csv [WORKERS [ROWS.csv]]
// ROWS.csv receives one line per eclipse with the canon's values and the engine's.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "astro/eclipse_search.h"
#include "besselian/global_circumstances.h"
#include "besselian/shadow_geometry.h"
#include "besselian/shadow_lines.h"

using namespace besselian;

namespace {

struct Row {
    int cat = 0, year = 0, month = 0, day = 0;
    double jdTd = 0, deltaT = 0, gamma = 0, magnitude = 0, lat = 0, lon = 0, sunAlt = 0;
    double width = NAN, duration = NAN;
    std::string type;
    char base = 'P';
    bool central = false;
};

std::vector<Row> Read(const char* path) {
    std::vector<Row> rows;
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string x;
        while (std::getline(ss, x, ',')) f.push_back(x);
        while (f.size() < 20) f.emplace_back();
        Row r;
        r.cat = std::stoi(f[0]);
        r.year = std::stoi(f[1]);
        r.month = std::stoi(f[2]);
        r.day = std::stoi(f[3]);
        r.jdTd = std::stod(f[5]);
        r.deltaT = std::stod(f[6]);
        r.type = f[10];
        r.base = f[11].empty() ? 'P' : f[11][0];
        r.central = f[12] == "1";
        r.gamma = std::stod(f[13]);
        r.magnitude = std::stod(f[14]);
        r.lat = std::stod(f[15]);
        r.lon = std::stod(f[16]);
        r.sunAlt = std::stod(f[17]);
        if (!f[18].empty()) r.width = std::stod(f[18]);
        if (!f[19].empty()) r.duration = std::stod(f[19]);
        rows.push_back(r);
    }
    return rows;
}

struct Stat {
    std::vector<double> v;
    void Add(double x) {
        if (std::isfinite(x)) v.push_back(std::fabs(x));
    }
    double Quantile(double q) {
        if (v.empty()) return NAN;
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5))];
    }
    void Print(const char* name, const char* unit) {
        std::printf("  %-26s n=%5zu  median %9.5f  95%% %9.5f  max %9.5f %s\n", name, v.size(),
                    Quantile(0.5), Quantile(0.95), Quantile(1.0), unit);
    }
};

// Least distance from a place to the polylines of one kind and side, km (chords).
double DistanceToLinesKm(const std::vector<Shadow_Line>& lines, Line_Kind kind, Line_Side side,
                         const Ground_Point& p) {
    double best = INFINITY;
    for (const auto& line : lines) {
        if (line.kind != kind || line.side != side) continue;
        for (size_t i = 0; i + 1 < line.points.size(); ++i) {
            const Ground_Point a =
                GroundPoint(line.points[i].latitudeDeg, line.points[i].longitudeDeg);
            const Ground_Point b =
                GroundPoint(line.points[i + 1].latitudeDeg, line.points[i + 1].longitudeDeg);
            const double abx = b.x - a.x, aby = b.y - a.y, abz = b.z - a.z;
            const double apx = p.x - a.x, apy = p.y - a.y, apz = p.z - a.z;
            const double ab2 = abx * abx + aby * aby + abz * abz;
            double t = ab2 > 0 ? (abx * apx + aby * apy + abz * apz) / ab2 : 0;
            t = std::max(0.0, std::min(1.0, t));
            const double dx = apx - t * abx, dy = apy - t * aby, dz = apz - t * abz;
            best = std::min(best, std::sqrt(dx * dx + dy * dy + dz * dz));
        }
    }
    return best;
}

char Letter(Eclipse_Type t) {
    return EclipseTypeName(t)[0];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CANON.csv [THREADS]\n", argv[0]);
        return 2;
    }
    const int threads = argc > 2 ? std::atoi(argv[2]) : 2;
    const std::vector<Row> rows = Read(argv[1]);
    if (rows.empty()) {
        std::fprintf(stderr, "no rows read from %s\n", argv[1]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    std::vector<double> jdes(rows.size(), NAN);
    int notFound = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        double jde = 0, magnitude = 0;
        uint16_t type = 0;
        FindEclipse(1, static_cast<int16_t>(rows[i].year), rows[i].jdTd - 0.5, jde, type,
                    magnitude);
        if (std::fabs(jde - rows[i].jdTd) < 0.5) {
            jdes[i] = jde;
        } else {
            ++notFound;
        }
    }
    const auto searched = std::chrono::steady_clock::now();
    const auto results = ComputeGlobalCircumstancesMany(jdes, Engine_Options{}, threads);
    const auto done = std::chrono::steady_clock::now();
    if (argc > 3) {
        FILE* f = std::fopen(argv[3], "w");
        if (f) {
            std::fprintf(f,
                         "cat,year,type,ctype,central,ccentral,dt_s,gamma,cgamma,mag,cmag,lat,"
                         "clat,lon,clon,alt,calt,width,cwidth,dur,cdur\n");
            for (size_t i = 0; i < rows.size(); ++i) {
                const Row& r = rows[i];
                const Global_Circumstances& g = results[i];
                std::fprintf(f,
                             "%d,%d,%c,%s,%d,%d,%.3f,%.5f,%.4f,%.5f,%.4f,%.3f,%.1f,%.3f,%.1f,"
                             "%.2f,%.0f,%.2f,%.0f,%.2f,%.0f\n",
                             r.cat, r.year, Letter(g.type), r.type.c_str(), g.central ? 1 : 0,
                             r.central ? 1 : 0, (g.greatestJde - r.jdTd) * 86400, g.gamma, r.gamma,
                             g.magnitude, r.magnitude, g.latitudeDeg, r.lat, g.longitudeDeg, r.lon,
                             g.sunAltitudeDeg, r.sunAlt, g.pathWidthKm, r.width, g.centralDurationS,
                             r.duration);
            }
            std::fclose(f);
        }
    }
    std::printf("%zu canon eclipses; %d not found by the lunation search\n", rows.size(), notFound);
    std::printf("search %.2f s, precise engine on %d threads %.2f s (%.3f ms per eclipse)\n",
                std::chrono::duration<double>(searched - start).count(), threads,
                std::chrono::duration<double>(done - searched).count(),
                std::chrono::duration<double, std::milli>(done - searched).count() / rows.size());

    // The elements' span must hold the whole passage of the penumbra over the Earth: at both
    // ends the penumbra must be clear of the Earth's outline.
    {
        int touching = 0;
        double leastMargin = INFINITY;
        for (const auto& g : results) {
            if (g.status == Global_Status::NoElements) continue;
            for (double t : {g.elements.tMinHours, g.elements.tMaxHours}) {
                const Element_State s = StateAt(g.elements, t);
                const double margin = std::sqrt(AxisOnEarthMeasure(s)) - 1 - s.l1;
                leastMargin = std::min(leastMargin, margin);
                if (margin <= 0) ++touching;
            }
        }
        std::printf(
            "ends of the elements' span with the penumbra on the Earth: %d (least clearance "
            "%.3f Earth radii)\n",
            touching, leastMargin);
    }

    // The lunation method's eclipses over the canon's span that the canon does not list.
    {
        std::vector<double> canonJd;
        for (const Row& r : rows) canonJd.push_back(r.jdTd);
        std::sort(canonJd.begin(), canonJd.end());
        std::vector<double> extra;
        double from = canonJd.front() - 1;
        int searched = 0;
        while (true) {
            double jde = 0, magnitude = 0;
            uint16_t type = 0;
            FindEclipse(1, 0, from, jde, type, magnitude);
            if (jde > canonJd.back() + 1) break;
            ++searched;
            const auto it = std::lower_bound(canonJd.begin(), canonJd.end(), jde - 0.5);
            if (it == canonJd.end() || *it > jde + 0.5) extra.push_back(jde);
            from = jde + 1;
        }
        const auto extraResults = ComputeGlobalCircumstancesMany(extra, Engine_Options{}, threads);
        int noShadow = 0;
        for (const auto& g : extraResults) noShadow += g.status == Global_Status::NoShadowOnEarth;
        std::printf(
            "the lunation search finds %d eclipses over the span, %zu not in the canon; "
            "the precise engine finds no shadow on the Earth for %d of those\n",
            searched, extra.size(), noShadow);
        for (size_t i = 0; i < extra.size(); ++i) {
            if (extraResults[i].status == Global_Status::Ok)
                std::printf("    not in the canon but shadow found: JDE %.5f gamma %.4f mag %.4f\n",
                            extra[i], extraResults[i].gamma, extraResults[i].magnitude);
        }
    }

    struct Range {
        const char* name;
        int from, to;
    } ranges[] = {{"-1999 ... 999", -1999, 999},
                  {"1000 ... 3000", 1000, 3000},
                  {"1500 ... 2500", 1500, 2500}};
    for (const Range& range : ranges) {
        Stat instant, gamma, magnitude, position, width, duration, deltaT, sunAlt;
        int n = 0, noShadow = 0, typeAgree = 0, typeTotal = 0, centralDisagree = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            const Row& r = rows[i];
            if (r.year < range.from || r.year > range.to || std::isnan(jdes[i])) continue;
            const Global_Circumstances& g = results[i];
            ++n;
            if (g.status != Global_Status::Ok) {
                ++noShadow;
                if (range.from == -1999 || range.from == 1000)
                    std::printf("    no shadow: cat %d %d-%d-%d %s gamma %.4f (ours %.4f)\n", r.cat,
                                r.year, r.month, r.day, r.type.c_str(), r.gamma, g.gamma);
                continue;
            }
            instant.Add((g.greatestJde - r.jdTd) * 86400);
            gamma.Add(g.gamma - r.gamma);
            magnitude.Add(g.magnitude - r.magnitude);
            deltaT.Add(g.deltaTSeconds - r.deltaT);
            sunAlt.Add(g.sunAltitudeDeg - r.sunAlt);
            if (r.central && g.central) {
                position.Add(DistanceKm(GroundPoint(g.latitudeDeg, g.longitudeDeg),
                                        GroundPoint(r.lat, r.lon)));
                if (std::isfinite(r.width)) width.Add(g.pathWidthKm - r.width);
                if (std::isfinite(r.duration)) duration.Add(g.centralDurationS - r.duration);
            }
            if (r.central != g.central) ++centralDisagree;
            ++typeTotal;
            if (Letter(g.type) == r.base) {
                ++typeAgree;
            } else if (range.from != 1500) {
                std::printf(
                    "    type: cat %d %d-%d-%d canon %s ours %s%s gamma %.4f/%.4f mag %.4f/%.4f\n",
                    r.cat, r.year, r.month, r.day, r.type.c_str(), EclipseTypeName(g.type),
                    g.central ? " central" : "", r.gamma, g.gamma, r.magnitude, g.magnitude);
            }
        }
        std::printf(
            "%s: %d eclipses, %d without shadow on the Earth, types agree %d/%d, "
            "central flag differs %d\n",
            range.name, n, noShadow, typeAgree, typeTotal, centralDisagree);
        instant.Print("greatest eclipse (TD)", "s");
        gamma.Print("gamma", "");
        magnitude.Print("magnitude", "");
        deltaT.Print("delta T", "s");
        position.Print("place of greatest (central)", "km");
        sunAlt.Print("Sun altitude", "deg");
        width.Print("path width", "km");
        duration.Print("central duration", "s");
    }

    // The lines against the global circumstances, AD 1000 ... 3000.
    {
        Stat central, widthSum;
        int badPoints = 0, within = 0, narrowHighSun = 0, narrowHighSunWithin = 0;
        size_t lineCount = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].year < 1000 || results[i].status != Global_Status::Ok) continue;
            const Global_Circumstances& g = results[i];
            const auto lines = ComputeShadowLines(g);
            lineCount += lines.size();
            for (const auto& l : lines) {
                for (const auto& p : l.points) {
                    if (!std::isfinite(p.latitudeDeg) || !std::isfinite(p.longitudeDeg))
                        ++badPoints;
                }
            }
            if (!g.central) continue;
            const Ground_Point p = GroundPoint(g.latitudeDeg, g.longitudeDeg);
            central.Add(DistanceToLinesKm(lines, Line_Kind::Central, Line_Side::None, p));
            const double sum =
                DistanceToLinesKm(lines, Line_Kind::UmbraLimit, Line_Side::North, p) +
                DistanceToLinesKm(lines, Line_Kind::UmbraLimit, Line_Side::South, p);
            if (!std::isfinite(sum) || !std::isfinite(g.pathWidthKm)) continue;
            widthSum.Add(sum - g.pathWidthKm);
            within += std::fabs(sum - g.pathWidthKm) <= 1;
            if (g.pathWidthKm < 300 && g.sunAltitudeDeg > 20) {
                ++narrowHighSun;
                narrowHighSunWithin += std::fabs(sum - g.pathWidthKm) <= 1;
            }
        }
        std::printf("lines, 1000 ... 3000: %zu lines, %d points not finite\n", lineCount,
                    badPoints);
        central.Print("central line from greatest", "km");
        widthSum.Print("limits' distances - width", "km");
        std::printf(
            "  within 1 km: %d of %zu; of paths under 300 km with the Sun above 20 deg: "
            "%d of %d\n",
            within, widthSum.v.size(), narrowHighSunWithin, narrowHighSun);
    }
    return 0;
}
