// velmor-cli with the precise engine, run as a user runs it: the columns of "eclipses
// --precise" against the engine itself and the eclipse canon, the lines of "paths
// --precise", and "local" against published local circumstances.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "besselian/global_circumstances.h"
#include "cli/column_text.h"
#include "tests/cli/run_cli.h"

namespace {

// The eclipse of 3 November 3205, a grazing partial of the lunation method (magnitude
// 0.0013) whose penumbra misses the Earth in the precise engine.
const char* const NO_SHADOW_JDE = "2891968.932685";
// The total eclipse of 21 August 2017, as the lunation method finds it.
const char* const ECLIPSE_2017_JDE = "2457987.268892";

// A CSV listing as rows of named fields; the header's names must be unique.
using Csv_Row = std::map<std::string, std::string>;
std::vector<Csv_Row> ReadCsv(const std::string& text, std::vector<std::string>* header = nullptr) {
    std::vector<std::string> lines = SplitAt(text, '\n');
    EXPECT_EQ(lines.back(), "") << "the listing ends with a line's end";
    lines.pop_back();
    std::vector<Csv_Row> rows;
    if (lines.empty()) return rows;
    const std::vector<std::string> names = SplitAt(lines[0], ',');
    if (header != nullptr) *header = names;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> fields = SplitAt(lines[i], ',');
        EXPECT_EQ(fields.size(), names.size()) << lines[i];
        Csv_Row row;
        for (size_t f = 0; f < fields.size() && f < names.size(); ++f) row[names[f]] = fields[f];
        rows.push_back(row);
    }
    return rows;
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

void ExpectNoNotANumber(const std::string& text) {
    for (const char* bad : {"nan", "NaN", "NAN", "inf", "-nan"})
        EXPECT_EQ(text.find(bad), std::string::npos) << bad << " in\n" << text;
}

const std::vector<std::string> PRECISE_COLUMNS = {
    "greatest_jde", "greatest_ut",   "delta_t",           "gamma",     "eclipse_magnitude",
    "precise_type", "central",       "latitude",          "longitude", "sun_altitude",
    "sun_azimuth",  "path_width_km", "central_duration_s"};

// Twenty eclipses from 2024 on (enough for the engine to share them between two processes):
// the lunation method's columns as without --precise, then the engine's values, each within
// half a unit of its last written decimal.
TEST(EclipsesPrecise, ColumnsHoldTheEnginesValues) {
    const std::vector<std::string> args = {"eclipses", "--from",  "2024-01-01",
                                           "--next",   "--count", "20"};
    std::vector<std::string> with = args;
    with.push_back("--precise");
    const Program_Result plain = RunCli(args), precise = RunCli(with);
    ASSERT_EQ(precise.status, 0) << precise.err;
    EXPECT_EQ(precise.err, "");
    ExpectNoNotANumber(precise.out);
    std::vector<std::string> header;
    const std::vector<Csv_Row> rows = ReadCsv(precise.out, &header);
    ASSERT_EQ(rows.size(), 20u);
    std::vector<std::string> expectedHeader =
        SplitAt(plain.out.substr(0, plain.out.find('\n')), ',');
    expectedHeader.insert(expectedHeader.end(), PRECISE_COLUMNS.begin(), PRECISE_COLUMNS.end());
    EXPECT_EQ(header, expectedHeader);

    const std::vector<std::string> plainLines = SplitAt(plain.out, '\n');
    const std::vector<std::string> preciseLines = SplitAt(precise.out, '\n');
    for (size_t i = 0; i < rows.size(); ++i) {
        const Csv_Row& row = rows[i];
        SCOPED_TRACE(preciseLines[i + 1]);
        EXPECT_EQ(preciseLines[i + 1].rfind(plainLines[i + 1] + ",", 0), 0u);
        const besselian::Global_Circumstances g =
            besselian::ComputeGlobalCircumstances(Number(row.at("jde")), {});
        ASSERT_EQ(g.status, besselian::Global_Status::Ok);
        const std::pair<const char*, std::pair<double, double>> numbers[] = {
            {"greatest_jde", {g.greatestJde, 5e-7}},
            {"delta_t", {g.deltaTSeconds, 0.05}},
            {"gamma", {g.gamma, 5e-5}},
            {"eclipse_magnitude", {g.magnitude, 5e-5}},
            {"latitude", {g.latitudeDeg, 5e-4}},
            {"longitude", {g.longitudeDeg, 5e-4}},
            {"sun_altitude", {g.sunAltitudeDeg, 0.05}},
            {"sun_azimuth", {g.sunAzimuthDeg, 0.05}},
            {"path_width_km", {g.pathWidthKm, 0.05}},
            {"central_duration_s", {g.centralDurationS, 0.05}},
        };
        for (const auto& [name, expected] : numbers) {
            const std::string& text = row.at(name);
            if (std::isnan(expected.first)) {
                EXPECT_EQ(text, "") << name;
            } else {
                EXPECT_NEAR(Number(text), expected.first, expected.second + 1e-9) << name;
            }
        }
        EXPECT_NEAR((IsoJd(row.at("greatest_ut")) - g.greatestJdUt) * 86400, 0, 0.051);
        EXPECT_EQ(row.at("precise_type"), besselian::EclipseTypeName(g.type));
        EXPECT_EQ(row.at("central"), g.central ? "1" : "0");
    }
    // A partial eclipse has no path: 29 March 2025.
    EXPECT_EQ(rows[2].at("precise_type"), "Partial");
    EXPECT_EQ(rows[2].at("central"), "0");
    EXPECT_EQ(rows[2].at("path_width_km") + rows[2].at("central_duration_s"), "");
}

// The total eclipse of 8 April 2024 against NASA's Five Millennium Canon (cat. 9561:
// 18:18:29 TD = JDE 2460409.262836, gamma 0.3431, magnitude 1.0566, 25.3 N 104.1 W, Sun at
// 70 deg, 198 km, 268 s). Tolerances: the engine's own against the canon plus the canon's
// rounding: instant 2 s, gamma 3e-4, magnitude 5e-4, place 0.15 deg, Sun altitude 1 deg,
// width 2.5 km, duration 1.5 s.
TEST(EclipsesPrecise, TotalEclipseOf2024AgreesWithTheCanon) {
    const Program_Result r = RunCli({"eclipses", "--from", "2024-04-01", "--next", "--precise"});
    ASSERT_EQ(r.status, 0);
    const std::vector<Csv_Row> rows = ReadCsv(r.out);
    ASSERT_EQ(rows.size(), 1u);
    const Csv_Row& row = rows[0];
    EXPECT_NEAR((Number(row.at("greatest_jde")) - 2460409.262836) * 86400, 0, 2.0);
    EXPECT_NEAR(Number(row.at("gamma")), 0.3431, 3e-4);
    EXPECT_NEAR(Number(row.at("eclipse_magnitude")), 1.0566, 5e-4);
    EXPECT_NEAR(Number(row.at("latitude")), 25.3, 0.15);
    EXPECT_NEAR(Number(row.at("longitude")), -104.1, 0.15);
    EXPECT_NEAR(Number(row.at("sun_altitude")), 70, 1.0);
    EXPECT_NEAR(Number(row.at("path_width_km")), 198, 2.5);
    EXPECT_NEAR(Number(row.at("central_duration_s")), 268, 1.5);
    EXPECT_EQ(row.at("precise_type"), "Total");
    EXPECT_EQ(row.at("central"), "1");
    EXPECT_EQ(row.at("greatest_ut").substr(0, 14), "2024-04-08T18:");
}

// --delta-t sets TD - UT: the instant in TD stays, UT moves with it. --sun-radius reaches the
// engine: a larger Sun lowers a central eclipse's magnitude, the ratio of the diameters.
TEST(EclipsesPrecise, DeltaTAndSunRadiusReachTheEngine) {
    const std::vector<std::string> args = {"eclipses", "--from", "2024-04-01", "--next",
                                           "--precise"};
    std::vector<std::string> deltaT = args, radius = args;
    deltaT.insert(deltaT.end(), {"--delta-t", "-3600.25"});
    radius.insert(radius.end(), {"--sun-radius", "990"});
    const Csv_Row model = ReadCsv(RunCli(args).out).at(0);
    const Csv_Row given = ReadCsv(RunCli(deltaT).out).at(0);
    const Csv_Row larger = ReadCsv(RunCli(radius).out).at(0);
    EXPECT_EQ(given.at("delta_t"), "-3600.2");  // written to one decimal
    EXPECT_EQ(given.at("greatest_jde"), model.at("greatest_jde"));
    EXPECT_NEAR((IsoJd(given.at("greatest_ut")) - Number(given.at("greatest_jde"))) * 86400,
                3600.25, 0.06);
    EXPECT_NEAR(Number(larger.at("eclipse_magnitude")),
                Number(model.at("eclipse_magnitude")) * 959.63 / 990, 2e-4);
}

// Where the engine finds no shadow on the Earth, or has no ephemerides (beyond AD 8000), the
// precise columns are empty; the lunation method's stay.
TEST(EclipsesPrecise, EmptyColumnsWithoutAShadow) {
    for (const char* from : {"3205-11-01", "8500-01-01"}) {
        SCOPED_TRACE(from);
        const Program_Result r = RunCli({"eclipses", "--from", from, "--next", "--precise"});
        EXPECT_EQ(r.status, 0);
        const std::vector<Csv_Row> rows = ReadCsv(r.out);
        ASSERT_EQ(rows.size(), 1u);
        for (const std::string& name : PRECISE_COLUMNS) EXPECT_EQ(rows[0].at(name), "") << name;
        EXPECT_NE(rows[0].at("jde"), "");
    }
}

// The precise lines of 8 April 2024: every kind, both sides of each limit, every rise and
// set curve, outlines on the ten minutes of UT, and the point of greatest eclipse with the
// values of "eclipses --precise". Pieces cut at the 180th meridian end on it.
TEST(PathsPrecise, WritesTheEnginesLines) {
    const Program_Result r = RunCli({"paths", "--jde", "2460409.263139", "--precise", "-o", "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectNoNotANumber(r.out);
    EXPECT_EQ(r.out.rfind("{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\"", 0),
              0u);
    std::map<std::string, int> counts;
    for (const char* what :
         {"\"kind\":\"central\"}", "\"kind\":\"umbra-limit\",\"side\":\"north\"}",
          "\"kind\":\"umbra-limit\",\"side\":\"south\"}",
          "\"kind\":\"penumbra-limit\",\"side\":\"north\"}",
          "\"kind\":\"penumbra-limit\",\"side\":\"south\"}",
          "\"kind\":\"rise-set\",\"curve\":\"first-contact\"}",
          "\"kind\":\"rise-set\",\"curve\":\"last-contact\"}",
          "\"kind\":\"rise-set\",\"curve\":\"maximum\"}", "\"kind\":\"umbra-outline\",\"time\":\"",
          "\"kind\":\"greatest\",", "\"type\":\"Point\"", "\"kind\":"})
        counts[what] = Count(r.out, what);
    int kinds = 0;
    for (const auto& [what, n] : counts) {
        if (what == "\"kind\":") continue;
        EXPECT_GE(n, 1) << what;
        kinds += what.find("Point") == std::string::npos ? n : 0;
    }
    EXPECT_EQ(counts["\"kind\":"], kinds) << "a feature of another kind";
    EXPECT_EQ(counts["\"kind\":\"greatest\","], 1);
    EXPECT_EQ(counts["\"type\":\"Point\""], 1);
    EXPECT_EQ(counts["\"kind\":\"central\"}"], 1);

    // Outlines at whole ten minutes of UT, within the eclipse.
    for (size_t at = r.out.find("\"time\":\""); at != std::string::npos;
         at = r.out.find("\"time\":\"", at + 1)) {
        const std::string time = r.out.substr(at + 8, 22);
        EXPECT_EQ(time.substr(0, 11), "2024-04-08T");
        EXPECT_EQ(time.substr(15), "0:00.0Z") << time;
    }
    // The point carries the columns of "eclipses --precise", null where they have no value.
    const Program_Result listed =
        RunCli({"eclipses", "--from", "2024-04-01", "--next", "--precise"});
    const Csv_Row row = ReadCsv(listed.out).at(0);
    std::string members;
    for (const std::string& name : PRECISE_COLUMNS) {
        const std::string& v = row.at(name);
        const bool text = name == "greatest_ut" || name == "precise_type";
        members += ",\"" + name + "\":" + (text ? "\"" + v + "\"" : v);
    }
    const std::string point =
        "{\"kind\":\"greatest\"" + members + "},\"geometry\":{\"type\":\"Point\",\"coordinates\":[";
    const size_t at = r.out.find(point);
    ASSERT_NE(at, std::string::npos) << members;
    double longitude = NAN, latitude = NAN;
    ASSERT_EQ(std::sscanf(r.out.c_str() + at + point.size(), "%lf,%lf]", &longitude, &latitude), 2);
    EXPECT_NEAR(longitude, Number(row.at("longitude")), 5e-4);
    EXPECT_NEAR(latitude, Number(row.at("latitude")), 5e-4);
    // Each cut at the antimeridian ends a piece at +-180 and starts the next at -+180.
    EXPECT_GE(Count(r.out, "MultiLineString"), 1);
    EXPECT_EQ(Count(r.out, "],[[180.00000,") + Count(r.out, "],[[-180.00000,"),
              Count(r.out, "]],[["))
        << "pieces that start off the meridian";

    // No shadow: no features at all.
    const Program_Result none = RunCli({"paths", "--jde", NO_SHADOW_JDE, "--precise", "-o", "-"});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "{\"type\":\"FeatureCollection\",\"features\":[]}\n");
}

// Published local circumstances (tests/besselian/local_circumstances_reference.csv, the USNO
// Solar Eclipse Computer: rows R03, R06, R07 and R25), computed with the USNO's ΔT and solar
// radius (959.22"). Tolerances: contacts and maximum 1 s, magnitude 0.001 plus the
// reference's rounding, Sun's altitude at maximum 0.1 deg plus its rounding (0.05). A contact
// the USNO leaves out (the Sun below the horizon) has a sunrise or sunset instead here.
TEST(LocalCommand, AgreesWithPublishedCircumstances) {
    struct Reference {
        const char* place;
        const char* at;
        const char* from;
        const char* deltaT;
        const char* date;
        const char* type;
        std::vector<std::pair<const char*, const char*>> times;  // column, published UT
        double magnitude, magnitudeRounding, altitudeMax;
        const char* cutBy;  // rise_ut or set_ut, or ""
    };
    const Reference references[] = {
        {"R03 Carbondale, IL",
         "37.7273,-89.2168,120",
         "2017-08-01",
         "69.4",
         "2017-08-21",
         "total",
         {{"c1_ut", "2017-08-21T16:52:25.6Z"},
          {"c2_ut", "2017-08-21T18:20:03.8Z"},
          {"max_ut", "2017-08-21T18:21:22.7Z"},
          {"c3_ut", "2017-08-21T18:22:43.4Z"},
          {"c4_ut", "2017-08-21T19:47:26.2Z"}},
         1.013,
         5e-4,
         63.7,
         ""},
        {"R06 Philadelphia, PA",
         "39.9526,-75.1652,12",
         "2017-08-01",
         "69.4",
         "2017-08-21",
         "partial",
         {{"c1_ut", "2017-08-21T17:21:13.8Z"},
          {"max_ut", "2017-08-21T18:44:17.0Z"},
          {"c4_ut", "2017-08-21T20:01:17.1Z"}},
         0.8,
         5e-2,
         54.2,
         ""},
        {"R07 Honolulu, HI",
         "21.3069,-157.8583,5",
         "2017-08-01",
         "69.4",
         "2017-08-21",
         "partial",
         {{"max_ut", "2017-08-21T16:35:51.7Z"}, {"c4_ut", "2017-08-21T17:25:19.8Z"}},
         0.387,
         5e-4,
         4.6,
         "rise_ut"},
        {"R25 Redding, CA",
         "40.59,-122.39,0",
         "2012-05-01",
         "66.8",
         "2012-05-20",
         "annular",
         {{"c1_ut", "2012-05-21T00:11:32.0Z"},
          {"c2_ut", "2012-05-21T01:26:21.2Z"},
          {"max_ut", "2012-05-21T01:28:37.1Z"},
          {"c3_ut", "2012-05-21T01:30:55.1Z"},
          {"c4_ut", "2012-05-21T02:36:28.6Z"}},
         0.96,
         5e-3,
         19.9,
         ""},
    };
    for (const Reference& ref : references) {
        SCOPED_TRACE(ref.place);
        const Program_Result r = RunCli({"local", "--at", ref.at, "--from", ref.from, "--next",
                                         "--delta-t", ref.deltaT, "--sun-radius", "959.22"});
        ASSERT_EQ(r.status, 0) << r.err;
        ExpectNoNotANumber(r.out);
        const std::vector<Csv_Row> rows = ReadCsv(r.out);
        ASSERT_EQ(rows.size(), 1u);
        const Csv_Row& row = rows[0];
        EXPECT_EQ(row.at("date"), ref.date);
        EXPECT_EQ(row.at("local_type"), ref.type);
        EXPECT_EQ(row.at("delta_t"), ref.deltaT);
        for (const auto& [column, published] : ref.times)
            EXPECT_NEAR((IsoJd(row.at(column)) - IsoJd(published)) * 86400, 0, 1.0) << column;
        EXPECT_NEAR(Number(row.at("magnitude")), ref.magnitude, 1e-3 + ref.magnitudeRounding);
        EXPECT_NEAR(Number(row.at("sun_altitude_max")), ref.altitudeMax, 0.15);
        for (const char* cut : {"rise_ut", "set_ut"})
            EXPECT_EQ(row.at(cut) != "", std::string(cut) == ref.cutBy) << cut;
        // The central phase's duration is C3 - C2 of the written contacts.
        if (row.at("c2_ut") != "") {
            EXPECT_NEAR(Number(row.at("central_duration_s")),
                        (IsoJd(row.at("c3_ut")) - IsoJd(row.at("c2_ut"))) * 86400, 0.11);
        } else {
            EXPECT_EQ(row.at("central_duration_s") + row.at("p_c2") + row.at("p_c3"), "");
        }
    }
}

// --jde gives the one eclipse whether it is seen or not: from Sydney the penumbra of
// 21 August 2017 passes by (nothing but the date, the type and ΔT); at 0 N 0 E it comes
// after sunset (contacts with the Sun below the horizon, type none). No shadow at all: the
// date and none.
TEST(LocalCommand, OneEclipseSeenOrNot) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"local", "--at", "-33.87,151.21", "--jde", ECLIPSE_2017_JDE, "--delta-t", "69"},
         "2017-08-21,none,,,,,,,,,,,,,,,,,,,,,69.0"},
        {{"local", "--at", "0,0", "--jde", ECLIPSE_2017_JDE}, "2017-08-21,none,2017-08-21T19:"},
        {{"local", "--at", "0,0", "--jde", NO_SHADOW_JDE}, "3205-11-03,none,,,,,,,,,,,,,,,,,,,,,"},
    };
    for (const auto& [args, start] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Program_Result r = RunCli(args);
        EXPECT_EQ(r.status, 0);
        ExpectNoNotANumber(r.out);
        const std::vector<Csv_Row> rows = ReadCsv(r.out);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(r.out.substr(r.out.find('\n') + 1).rfind(start, 0), 0u) << r.out;
    }
    const Csv_Row night = ReadCsv(RunCli(cases[1].first).out).at(0);
    for (const char* altitude : {"sun_altitude_c1", "sun_altitude_max", "sun_altitude_c4"})
        EXPECT_LT(Number(night.at(altitude)), -0.833) << altitude;
}

// Stepping skips exactly the eclipses not seen: the dates listed are the first of those
// "eclipses" steps to that "local --jde" finds seen, forwards and backwards. A city is the
// same place as its coordinates, whatever the case of its name.
TEST(LocalCommand, StepsThroughTheEclipsesSeenFromThePlace) {
    for (const char* direction : {"--next", "--prev"}) {
        SCOPED_TRACE(direction);
        const std::vector<Csv_Row> all =
            ReadCsv(RunCli({"eclipses", "--from", "2026-01-01", direction, "--count", "32"}).out);
        std::vector<std::string> seen;
        for (const Csv_Row& e : all) {
            const Csv_Row row =
                ReadCsv(RunCli({"local", "--at", "40.416,-3.703", "--jde", e.at("jde")}).out).at(0);
            if (row.at("local_type") != "none") seen.push_back(row.at("date"));
        }
        ASSERT_GE(seen.size(), 5u);
        ASSERT_LT(seen.size(), all.size()) << "some eclipses are not seen from Madrid";
        seen.resize(5);
        std::vector<std::string> dates[3];
        const char* places[3][2] = {
            {"--at", "40.416,-3.703"}, {"--city", "Madrid"}, {"--city", "mADRID"}};
        for (int p = 0; p < 3; ++p) {
            const Program_Result r = RunCli({"local", places[p][0], places[p][1], "--from",
                                             "2026-01-01", direction, "--count", "5"});
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.err, "");
            for (const Csv_Row& row : ReadCsv(r.out)) dates[p].push_back(row.at("date"));
        }
        EXPECT_EQ(dates[0], seen);
        EXPECT_EQ(dates[1], seen);
        EXPECT_EQ(dates[2], seen);
    }
}

// Beyond the engine's ephemerides (AD 8000) no eclipse is seen: the search gives up after a
// bounded number of them, with a note. At the end of the supported years the walk stops with
// the note of "eclipses".
TEST(LocalCommand, BoundedSearch) {
    const std::pair<const char*, const char*> cases[] = {
        {"8500-01-01", "none of 100 eclipses in a row up to that of "},
        {"9990-01-01", "the eclipse of 10000-03-30 lies outside the supported years"},
    };
    for (const auto& [from, note] : cases) {
        SCOPED_TRACE(from);
        const Program_Result r =
            RunCli({"local", "--at", "0,0", "--from", from, "--next", "--count", "1000"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(Count(r.err, "\n"), 1);
        EXPECT_NE(r.err.find(note), std::string::npos) << r.err;
        for (const Csv_Row& row : ReadCsv(r.out)) EXPECT_LT(row.at("date"), "8000");
    }
}

}  // namespace
