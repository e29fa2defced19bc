// SPDX-License-Identifier: GPL-3.0-or-later
// velmor-cli with the precise engine, run as a user runs it: the columns of "eclipses
// --precise" against the engine itself and the eclipse canon, the lines of "paths
// --precise", and "local" against published local circumstances.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "astro/calendar.h"
#include "besselian/global_circumstances.h"
#include "cli/column_text.h"
#include "tests/cli/run_cli.h"

namespace {

// The eclipse of 3 November 3205, a grazing partial of the lunation method (magnitude
// 0.0013) whose penumbra misses the Earth in the precise engine.
const std::string NO_SHADOW_JDE = "2891968.932685";
const std::string LIST_2024 = "eclipses --from 2024-04-01 --next --precise";

// The fields of a CSV line; commas within double quotes are kept, the quotes dropped.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// A CSV listing as rows of named fields, no value of which is not a number.
using Csv_Row = std::map<std::string, std::string>;
std::vector<Csv_Row> ReadCsv(const std::string& text) {
    for (const char* bad : {"nan", "NaN", "NAN", "inf"})
        EXPECT_EQ(text.find(bad), std::string::npos) << bad << " in\n" << text;
    std::vector<std::string> lines = SplitAt(text, '\n');
    EXPECT_EQ(lines.back(), "") << "the listing ends with a line's end";
    const std::vector<std::string> names = Fields(lines[0]);
    std::vector<Csv_Row> rows;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::vector<std::string> fields = Fields(lines[i]);
        EXPECT_EQ(fields.size(), names.size()) << lines[i];
        Csv_Row row;
        for (size_t f = 0; f < fields.size() && f < names.size(); ++f) row[names[f]] = fields[f];
        rows.push_back(row);
    }
    return rows;
}

// The one row that velmor-cli lists for args, with status 0 and nothing on standard error.
Csv_Row OneRow(const std::string& args) {
    const Program_Result r = RunCli(args);
    EXPECT_EQ(r.status, 0) << args;
    EXPECT_EQ(r.err, "") << args;
    const std::vector<Csv_Row> rows = ReadCsv(r.out);
    EXPECT_EQ(rows.size(), 1u) << args;
    return rows.empty() ? Csv_Row{} : rows[0];
}

double Number(const std::string& text) {
    size_t used = 0;
    const double value = std::stod(text, &used);
    EXPECT_EQ(used, text.size()) << text;
    return value;
}

// "2017-08-21T16:05:25.7Z" (the year may carry a minus sign and leading zeros) as a Julian
// Day; NaN for anything else.
double IsoJd(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    double s = 0;
    char zone = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%lf%c", &y, &mo, &d, &h, &mi, &s, &zone) != 7 ||
        zone != 'Z' || text.size() < 22 || text[text.size() - 3] != '.')
        return NAN;
    return JDFromDateTime(y, mo, d, h, mi, 0) + s / 86400.0;
}

const std::vector<std::string> PRECISE_COLUMNS = {
    "greatest_jde", "greatest_ut",   "delta_t",           "gamma",     "eclipse_magnitude",
    "precise_type", "central",       "latitude",          "longitude", "sun_altitude",
    "sun_azimuth",  "path_width_km", "central_duration_s"};

// Twenty eclipses from 2024 on (enough for the engine to share them between two processes):
// the lunation method's columns as without --precise, then the engine's values, each within
// half a unit of its last written decimal. The first, 8 April 2024, agrees with the canon; a
// partial eclipse (29 March 2025) has no path.
TEST(EclipsesPrecise, ColumnsHoldTheEnginesValues) {
    const std::string args = "eclipses --from 2024-01-01 --next --count 20";
    const Program_Result plain = RunCli(args), precise = RunCli(args + " --precise");
    ASSERT_EQ(precise.status, 0) << precise.err;
    EXPECT_EQ(precise.err, "");
    const std::vector<Csv_Row> rows = ReadCsv(precise.out);
    ASSERT_EQ(rows.size(), 20u);
    const std::vector<std::string> plainLines = SplitAt(plain.out, '\n');
    const std::vector<std::string> preciseLines = SplitAt(precise.out, '\n');
    EXPECT_EQ(preciseLines[0], plainLines[0] + "," + CommaJoined(PRECISE_COLUMNS));
    for (size_t i = 0; i < rows.size(); ++i) {
        const Csv_Row& row = rows[i];
        SCOPED_TRACE(preciseLines[i + 1]);
        EXPECT_EQ(preciseLines[i + 1].rfind(plainLines[i + 1] + ",", 0), 0u);
        const besselian::Global_Circumstances g =
            besselian::ComputeGlobalCircumstances(Number(row.at("jde")), {});
        ASSERT_EQ(g.status, besselian::Global_Status::Ok);
        const std::tuple<const char*, double, double> numbers[] = {
            {"greatest_jde", g.greatestJde, 5e-7},
            {"delta_t", g.deltaTSeconds, 0.05},
            {"gamma", g.gamma, 5e-5},
            {"eclipse_magnitude", g.magnitude, 5e-5},
            {"latitude", g.latitudeDeg, 5e-4},
            {"longitude", g.longitudeDeg, 5e-4},
            {"sun_altitude", g.sunAltitudeDeg, 0.05},
            {"sun_azimuth", g.sunAzimuthDeg, 0.05},
            {"path_width_km", g.pathWidthKm, 0.05},
            {"central_duration_s", g.centralDurationS, 0.05},
        };
        for (const auto& [name, value, tolerance] : numbers) {
            if (std::isnan(value)) {
                EXPECT_EQ(row.at(name), "") << name;
            } else {
                EXPECT_NEAR(Number(row.at(name)), value, tolerance + 1e-9) << name;
            }
        }
        EXPECT_NEAR((IsoJd(row.at("greatest_ut")) - g.greatestJdUt) * 86400, 0, 0.051);
        EXPECT_EQ(row.at("precise_type"), besselian::EclipseTypeName(g.type));
        EXPECT_EQ(row.at("central"), g.central ? "1" : "0");
    }
    // The total eclipse of 8 April 2024 against NASA's Five Millennium Canon (cat. 9561);
    // tolerances: the engine's own against the canon plus the canon's rounding.
    const std::tuple<const char*, double, double> canon[] = {
        {"greatest_jde", 2460409.262836, 2.0 / 86400},  // 18:18:29 TD, within 2 s
        {"gamma", 0.3431, 3e-4},
        {"eclipse_magnitude", 1.0566, 5e-4},
        {"latitude", 25.3, 0.15},
        {"longitude", -104.1, 0.15},
        {"sun_altitude", 70, 1.0},
        {"path_width_km", 198, 2.5},
        {"central_duration_s", 268, 1.5},
    };
    for (const auto& [name, value, tolerance] : canon)
        EXPECT_NEAR(Number(rows[0].at(name)), value, tolerance) << name;
    EXPECT_EQ(rows[0].at("precise_type") + rows[0].at("central"), "Total1");
    EXPECT_EQ(rows[0].at("greatest_ut").substr(0, 14), "2024-04-08T18:");
    EXPECT_EQ(rows[2].at("precise_type") + rows[2].at("central"), "Partial0");
    EXPECT_EQ(rows[2].at("path_width_km") + rows[2].at("central_duration_s"), "");
}

// --delta-t sets TD - UT: the instant in TD stays, UT moves with it. --sun-radius reaches
// the engine: a larger Sun lowers a central eclipse's magnitude, the ratio of the diameters.
TEST(EclipsesPrecise, DeltaTAndSunRadiusReachTheEngine) {
    const Csv_Row row = OneRow(LIST_2024), given = OneRow(LIST_2024 + " --delta-t -3600.25"),
                  larger = OneRow(LIST_2024 + " --sun-radius 990");
    EXPECT_EQ(given.at("delta_t"), "-3600.2");  // written to one decimal
    EXPECT_EQ(given.at("greatest_jde"), row.at("greatest_jde"));
    EXPECT_NEAR((IsoJd(given.at("greatest_ut")) - Number(given.at("greatest_jde"))) * 86400,
                3600.25, 0.06);
    EXPECT_NEAR(Number(larger.at("eclipse_magnitude")),
                Number(row.at("eclipse_magnitude")) * 959.63 / 990, 2e-4);
}

// Where the engine finds no shadow on the Earth, or has no ephemerides (beyond AD 8000), the
// precise columns are empty; the lunation method's stay.
TEST(EclipsesPrecise, EmptyColumnsWithoutAShadow) {
    for (const char* from : {"3205-11-01", "8500-01-01"}) {
        SCOPED_TRACE(from);
        const Csv_Row row = OneRow("eclipses --next --precise --from " + std::string(from));
        for (const std::string& name : PRECISE_COLUMNS) EXPECT_EQ(row.at(name), "") << name;
        EXPECT_NE(row.at("jde"), "");
    }
}

// The precise lines of 8 April 2024: every kind, both sides of each limit, every rise and
// set curve, outlines on the ten minutes of UT, and the one Point, greatest eclipse, with
// the values of "eclipses --precise". Pieces cut at the 180th meridian end on it. No
// shadow, no features.
TEST(PathsPrecise, WritesTheEnginesLines) {
    const Program_Result r = RunCli("paths --jde 2460409.263139 --precise -o -");
    ASSERT_EQ(r.status, 0) << r.err;
    std::set<std::string> kinds;
    const Feature* greatest = nullptr;
    const std::vector<Feature> features = Features(r.out);
    for (const Feature& f : features) {
        std::string kind = Member(f, "kind") + " " + Member(f, "side") + Member(f, "curve");
        kind.erase(std::remove(kind.begin(), kind.end(), '"'), kind.end());
        EXPECT_TRUE(kinds.insert(kind).second || (kind != "central " && kind != "greatest "));
        EXPECT_EQ(f.geometry == "Point", kind == "greatest ") << kind;
        if (kind == "greatest ") greatest = &f;
        const std::string time = Member(f, "time");  // "2024-04-08T16:40:00.0Z"
        EXPECT_EQ(time.empty(), kind != "umbra-outline ") << kind;
        if (!time.empty()) {
            EXPECT_EQ(time.substr(0, 12) + time.substr(16), "\"2024-04-08T0:00.0Z\"");
        }
    }
    EXPECT_EQ(kinds, (std::set<std::string>{
                         "central ", "greatest ", "penumbra-limit north", "penumbra-limit south",
                         "rise-set first-contact", "rise-set last-contact", "rise-set maximum",
                         "umbra-limit north", "umbra-limit south", "umbra-outline "}));
    ASSERT_NE(greatest, nullptr);
    const Csv_Row row = OneRow(LIST_2024);
    ASSERT_EQ(greatest->members.size(), PRECISE_COLUMNS.size() + 1);
    for (size_t i = 0; i < PRECISE_COLUMNS.size(); ++i) {
        const std::string& name = PRECISE_COLUMNS[i];
        const bool text = name == "greatest_ut" || name == "precise_type";
        EXPECT_EQ(greatest->members[i + 1].first, name);
        EXPECT_EQ(greatest->members[i + 1].second,
                  text ? "\"" + row.at(name) + "\"" : row.at(name));
    }
    double longitude = NAN, latitude = NAN;
    ASSERT_EQ(std::sscanf(greatest->coordinates.c_str(), "[%lf,%lf]", &longitude, &latitude), 2);
    EXPECT_NEAR(longitude, Number(row.at("longitude")), 5e-4);
    EXPECT_NEAR(latitude, Number(row.at("latitude")), 5e-4);
    EXPECT_GE(Count(r.out, "MultiLineString"), 1);
    EXPECT_EQ(Count(r.out, "],[[180.00000,") + Count(r.out, "],[[-180.00000,"),
              Count(r.out, "]],[["))
        << "pieces that start off the meridian";

    const Program_Result none = RunCli("paths --precise -o - --jde " + NO_SHADOW_JDE);
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "{\"type\":\"FeatureCollection\",\"features\":[]}\n");
}

// Every row of published local circumstances in the precise engine's test data
// (tests/besselian/local_circumstances_reference.csv, each with its source), through "local"
// with the source's ΔT (the model's where it states none) and solar radius. Tolerances:
// contacts, maximum and central duration 1 s; magnitude 0.001 plus half a unit of the
// source's last digit; the Sun's altitude at maximum 0.1 deg plus its rounding (0.05). Where
// the source leaves out C1, the maximum or C4, the Sun is below the horizon there, and the
// sunrise or sunset it notes instead is given.
TEST(LocalCommand, AgreesWithPublishedCircumstances) {
    const std::vector<Csv_Row> references = ReadCsv(ReadText(VELMOR_LOCAL_REFERENCE_CSV));
    ASSERT_EQ(references.size(), 11u);
    for (const Csv_Row& ref : references) {
        SCOPED_TRACE(ref.at("row_id") + " " + ref.at("place"));
        const std::string& deltaT = ref.at("delta_t_s");
        const Csv_Row row =
            OneRow("local --next --at " + ref.at("lat_deg") + "," + ref.at("lon_deg") + "," +
                   ref.at("height_m") + " --from " + ref.at("eclipse_date").substr(0, 8) + "01" +
                   " --sun-radius " + ref.at("sun_radius_arcsec") +
                   (deltaT.empty() ? "" : " --delta-t " + deltaT));
        ASSERT_FALSE(row.empty());
        EXPECT_EQ(row.at("date") + " " + row.at("local_type"),
                  ref.at("eclipse_date") + " " + ref.at("local_type"));
        if (!deltaT.empty()) {
            EXPECT_EQ(row.at("delta_t"), deltaT);
        }
        for (const std::string instant : {"c1", "c2", "max", "c3", "c4"}) {
            const std::string& published = ref.at(instant + "_ut");
            if (!published.empty()) {
                EXPECT_NEAR((IsoJd(row.at(instant + "_ut")) - IsoJd(published)) * 86400, 0, 1.0)
                    << instant;
            } else if (instant[1] != '2' && instant[1] != '3') {
                EXPECT_LT(Number(row.at("sun_altitude_" + instant)), -0.833) << instant;
            }
        }
        const std::string& magnitude = ref.at("magnitude");
        if (!magnitude.empty()) {
            const double rounding =
                0.5 * std::pow(10, -int(magnitude.size() - magnitude.find('.') - 1));
            EXPECT_NEAR(Number(row.at("magnitude")), Number(magnitude), 1e-3 + rounding);
        }
        if (!ref.at("sun_alt_max_deg").empty()) {
            EXPECT_NEAR(Number(row.at("sun_altitude_max")), Number(ref.at("sun_alt_max_deg")),
                        0.15);
        }
        const std::string& note = ref.at("horizon_note");
        EXPECT_EQ(row.at("rise_ut").empty(), note.find("sunrise") == std::string::npos);
        EXPECT_EQ(row.at("set_ut").empty(), note.find("sunset") == std::string::npos);
        if (ref.at("local_type") == "partial") {
            EXPECT_EQ(row.at("central_duration_s") + row.at("p_c2") + row.at("p_c3"), "");
        } else if (!ref.at("central_duration_s").empty()) {
            EXPECT_NEAR(Number(row.at("central_duration_s")), Number(ref.at("central_duration_s")),
                        1.0);
        }
    }
}

// --jde gives the one eclipse whether it is seen or not: from Sydney the penumbra of
// 21 August 2017 passes by (nothing but the date, the type and ΔT); at 0 N 0 E it comes
// after sunset (contacts with the Sun below the horizon, type none). No shadow at all: the
// date and none.
TEST(LocalCommand, OneEclipseSeenOrNot) {
    const std::string eclipse2017 = " --jde 2457987.268892";
    const std::pair<std::string, std::string> cases[] = {
        {"local --at -33.87,151.21 --delta-t 69" + eclipse2017,
         "2017-08-21,none,,,,,,,,,,,,,,,,,,,,,69.0"},
        {"local --at 0,0" + eclipse2017, "2017-08-21,none,2017-08-21T19:"},
        {"local --at 0,0 --jde " + NO_SHADOW_JDE, "3205-11-03,none,,,,,,,,,,,,,,,,,,,,,"},
    };
    for (const auto& [args, start] : cases) {
        SCOPED_TRACE(args);
        const Program_Result r = RunCli(args);
        EXPECT_EQ(r.status, 0);
        const std::vector<Csv_Row> rows = ReadCsv(r.out);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(r.out.substr(r.out.find('\n') + 1).rfind(start, 0), 0u) << r.out;
        if (rows[0].at("c1_ut").empty()) continue;
        for (const char* altitude : {"sun_altitude_c1", "sun_altitude_max", "sun_altitude_c4"})
            EXPECT_LT(Number(rows[0].at(altitude)), -0.833) << altitude;
    }
}

// Stepping skips exactly the eclipses not seen: the dates listed are the first of those
// "eclipses" steps to that "local --jde" finds seen, forwards and backwards. A city is the
// same place as its coordinates, whatever the case of its name.
TEST(LocalCommand, StepsThroughTheEclipsesSeenFromThePlace) {
    for (const std::string direction : {" --next", " --prev"}) {
        SCOPED_TRACE(direction);
        const std::string from = " --from 2026-01-01" + direction;
        std::vector<std::string> seen;
        for (const Csv_Row& e : ReadCsv(RunCli("eclipses --count 20" + from).out)) {
            const Csv_Row row = OneRow("local --at 40.416,-3.703 --jde " + e.at("jde"));
            if (row.at("local_type") != "none") seen.push_back(row.at("date"));
        }
        ASSERT_GE(seen.size(), 3u);
        seen.resize(3);
        for (const char* place : {"--at 40.416,-3.703", "--city Madrid", "--city mADRID"}) {
            const Program_Result r = RunCli(std::string("local --count 3 ") + place + from);
            EXPECT_EQ(r.status, 0);
            // A build without NDEBUG has the world loader report its counts ("*** cit,...").
            std::string err = r.err;
            if (err.rfind("*** cit,", 0) == 0) err.erase(0, err.find('\n') + 1);
            EXPECT_EQ(err, "");
            std::vector<std::string> dates;
            for (const Csv_Row& row : ReadCsv(r.out)) dates.push_back(row.at("date"));
            EXPECT_EQ(dates, seen) << place;
        }
    }
}

// Beyond the engine's ephemerides (AD 8000) no eclipse is seen: the search gives up after a
// hundred of them, with a note naming the last ("eclipses" lists the same ones). At the end of the
// supported years the walk stops with the note of "eclipses".
TEST(LocalCommand, BoundedSearch) {
    const Csv_Row last =
        ReadCsv(RunCli("eclipses --from 8500-01-01 --next --count 100").out).at(99);
    char hundredth[80];
    std::snprintf(hundredth, sizeof hundredth,
                  "none of 100 eclipses in a row up to that of %s-%02d-%02d ",
                  last.at("year").c_str(), std::stoi(last.at("month")), std::stoi(last.at("day")));
    const std::pair<const char*, const char*> cases[] = {
        {"8500-01-01", hundredth},
        {"9990-01-01", "the eclipse of 10000-03-30 lies outside the supported years"},
    };
    for (const auto& [from, note] : cases) {
        SCOPED_TRACE(from);
        const Program_Result r =
            RunCli("local --at 0,0 --next --count 1000 --from " + std::string(from));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(Count(r.err, "\n"), 1);
        EXPECT_NE(r.err.find(note), std::string::npos) << r.err;
        for (const Csv_Row& row : ReadCsv(r.out)) EXPECT_LT(row.at("date"), "8000");
    }
}

}  // namespace
