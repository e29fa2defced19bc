// SPDX-License-Identifier: GPL-3.0-or-later
// velmor-cli with the precise engine, run as a user runs it: the columns of "eclipses
// --precise", the lines of "paths --precise", and "local" against published local
// circumstances.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "astro/calendar.h"
#include "cli/column_text.h"
#include "cli/local_columns.h"
#include "tests/cli/run_cli.h"

namespace {

// The eclipse of 3 November 3205, a grazing partial of the lunation method (magnitude
// 0.0013) whose penumbra misses the Earth in the precise engine.
const std::string NO_SHADOW_JDE = "2891968.932685";
const std::string LIST_2024 = "eclipses --from 2024-04-01 --next --precise";

// A CSV listing as rows of named fields, no value of which is not a number.
using Csv_Row = std::map<std::string, std::string>;
std::vector<Csv_Row> ReadCsv(const std::string& text) {
    for (const char* bad : {"nan", "inf"})
        EXPECT_EQ(text.find(bad), std::string::npos) << bad << " in\n" << text;
    std::vector<std::string> lines = SplitAt(text, '\n');
    EXPECT_EQ(lines.back(), "") << "the listing ends with a line's end";
    const std::vector<std::string> names = SplitAt(lines[0], ',');
    std::vector<Csv_Row> rows;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::vector<std::string> fields = SplitAt(lines[i], ',');
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
    return std::stod(text);
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
// the lunation method's columns as without --precise, then the engine's values of the same
// eclipse, in order, each with its decimals (the values themselves are checked against the
// canon in the engine's tests); a partial eclipse (29 March 2025) has no path.
TEST(EclipsesPrecise, ColumnsFollowTheLunationMethodsOwn) {
    const std::string args = "eclipses --from 2024-01-01 --next --count 20";
    const Program_Result plain = RunCli(args), precise = RunCli(args + " --precise");
    ASSERT_EQ(precise.status, 0) << precise.err;
    const std::vector<Csv_Row> rows = ReadCsv(precise.out);
    ASSERT_EQ(rows.size(), 20u);
    const std::vector<std::string> plainLines = SplitAt(plain.out, '\n');
    const std::vector<std::string> preciseLines = SplitAt(precise.out, '\n');
    EXPECT_EQ(preciseLines[0], plainLines[0] + "," + CommaJoined(PRECISE_COLUMNS));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(preciseLines[i + 1].rfind(plainLines[i + 1] + ",", 0), 0u);
        EXPECT_NEAR(Number(rows[i].at("greatest_jde")), Number(rows[i].at("jde")), 0.05);
    }
    const std::pair<const char*, size_t> decimals[] = {
        {"greatest_jde", 6},      {"delta_t", 1},     {"gamma", 4},
        {"eclipse_magnitude", 4}, {"latitude", 3},    {"longitude", 3},
        {"sun_altitude", 1},      {"sun_azimuth", 1}, {"path_width_km", 1},
        {"central_duration_s", 1}};
    for (const auto& [name, places] : decimals) {
        const std::string& text = rows[0].at(name);
        EXPECT_EQ(text.size() - text.find('.') - 1, places) << name << " " << text;
    }
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
    std::string greatest;
    for (const Feature& f : Features(r.out)) {
        std::string kind = Member(f, "kind") + " " + Member(f, "side") + Member(f, "curve");
        kind.erase(std::remove(kind.begin(), kind.end(), '"'), kind.end());
        EXPECT_TRUE(kinds.insert(kind).second || (kind != "central " && kind != "greatest "));
        EXPECT_EQ(f.geometry == "Point", kind == "greatest ") << kind;
        if (f.geometry == "Point") {
            for (size_t i = 1; i < f.members.size(); ++i)
                greatest += f.members[i].first + "=" + f.members[i].second + ",";
            greatest += f.coordinates;
        }
        const std::string time = Member(f, "time");  // "2024-04-08T16:40:00.0Z"
        EXPECT_EQ(time.empty(), kind != "umbra-outline ") << kind;
        EXPECT_TRUE(time.empty() ||
                    time.substr(0, 12) + time.substr(16) == "\"2024-04-08T0:00.0Z\"")
            << time;
    }
    EXPECT_EQ(kinds, (std::set<std::string>{
                         "central ", "greatest ", "penumbra-limit north", "penumbra-limit south",
                         "rise-set first-contact", "rise-set last-contact", "rise-set maximum",
                         "umbra-limit north", "umbra-limit south", "umbra-outline "}));
    const Csv_Row row = OneRow(LIST_2024);
    std::string columns;
    for (const std::string& name : PRECISE_COLUMNS) {
        const bool text = name == "greatest_ut" || name == "precise_type";
        columns += name + "=" + (text ? "\"" + row.at(name) + "\"" : row.at(name)) + ",";
    }
    EXPECT_EQ(greatest.substr(0, columns.size()), columns);
    double longitude = NAN, latitude = NAN;
    ASSERT_EQ(std::sscanf(greatest.c_str() + columns.size(), "[%lf,%lf]", &longitude, &latitude),
              2);
    EXPECT_NEAR(longitude, Number(row.at("longitude")), 5e-4);
    EXPECT_NEAR(latitude, Number(row.at("latitude")), 5e-4);
    EXPECT_EQ(Count(r.out, "],[[180.00000,") + Count(r.out, "],[[-180.00000,"),
              Count(r.out, "]],[["))
        << "pieces that start off the meridian";
    EXPECT_EQ(RunCli("paths --precise -o - --jde " + NO_SHADOW_JDE).out,
              "{\"type\":\"FeatureCollection\",\"features\":[]}\n");
}

// Two rows of the published local circumstances against which the engine is checked
// (tests/besselian/local_circumstances_reference.csv, R01 and R08, from the USNO), through
// "local" with the source's constants: a total eclipse, and a partial one cut short by
// sunset (maximum and C4 with the Sun below the horizon). Tolerances: instants and duration
// 1 s; magnitude 0.001 and the Sun's altitude 0.1 deg, each plus the source's rounding.
TEST(LocalCommand, AgreesWithPublishedCircumstances) {
    const std::string constants = " --from 2017-08-01 --next --sun-radius 959.22 --delta-t 69.4";
    const Csv_Row salem = OneRow("local --at 44.9429,-123.0351,60" + constants);
    const std::pair<const char*, const char*> instants[] = {{"c1_ut", "2017-08-21T16:05:25.7Z"},
                                                            {"c2_ut", "2017-08-21T17:17:18.4Z"},
                                                            {"max_ut", "2017-08-21T17:18:15.7Z"},
                                                            {"c3_ut", "2017-08-21T17:19:15.0Z"},
                                                            {"c4_ut", "2017-08-21T18:37:48.1Z"}};
    for (const auto& [name, published] : instants)
        EXPECT_NEAR((IsoJd(salem.at(name)) - IsoJd(published)) * 86400, 0, 1.0) << name;
    EXPECT_EQ(
        salem.at("local_type") + salem.at("rise_ut") + salem.at("set_ut") + salem.at("delta_t"),
        "total69.4");
    EXPECT_NEAR(Number(salem.at("magnitude")), 1.009, 0.0015);
    EXPECT_NEAR(Number(salem.at("sun_altitude_max")), 39.9, 0.15);
    EXPECT_NEAR(Number(salem.at("central_duration_s")), 116.6, 1.0);
    const Csv_Row dakar = OneRow("local --at 14.7167,-17.4677,20" + constants);
    EXPECT_EQ(dakar.at("local_type") + dakar.at("rise_ut") + dakar.at("p_c2"), "partial");
    EXPECT_NE(dakar.at("set_ut"), "");
    for (const char* at : {"sun_altitude_max", "sun_altitude_c4"})
        EXPECT_LT(Number(dakar.at(at)), -0.833) << at;
}

// --jde gives the one eclipse whether it is seen or not: from Sydney the penumbra of
// 21 August 2017 passes by (nothing but the date, the type and ΔT). No shadow at all: the
// date and none.
TEST(LocalCommand, OneEclipseSeenOrNot) {
    const std::pair<std::string, std::string> cases[] = {
        {"--at -33.87,151.21 --delta-t 69 --jde 2457987.268892",
         "2017-08-21,none,,,,,,,,,,,,,,,,,,,,,69.0\n"},
        {"--at 0,0 --jde " + NO_SHADOW_JDE, "3205-11-03,none,,,,,,,,,,,,,,,,,,,,,"},
    };
    for (const auto& [args, start] : cases)
        EXPECT_EQ(RunCli("local " + args).out.rfind(LocalCsvHeader() + "\n" + start, 0), 0u)
            << args;
}

// Stepping skips exactly the eclipses not seen: the dates listed are the first of those
// "eclipses" steps to that "local --jde" finds seen, forwards and backwards. A city is the
// same place as its coordinates.
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
        for (const char* place : {"--at 40.416,-3.703", "--city Madrid"}) {
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
    const std::string hundredth = "none of 100 eclipses in a row up to that of " + last.at("year") +
                                  (last.at("month").size() < 2 ? "-0" : "-") + last.at("month") +
                                  (last.at("day").size() < 2 ? "-0" : "-") + last.at("day") + " ";
    const std::pair<std::string, std::string> cases[] = {
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
