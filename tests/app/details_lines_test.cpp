// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/details_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The lines joined by '|'.
std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "|") + line;
    return text;
}

// The labels of the lines (the text before " = "), joined by '|'.
std::string Labels(const std::vector<std::string>& lines) {
    std::vector<std::string> labels;
    for (const std::string& line : lines) labels.push_back(line.substr(0, line.find(" = ")));
    return Joined(labels);
}

// The value after the label of a line: a number, or one written h:mm:ss.s or m:ss.s taken
// as seconds; rest is the text after it.
double ValueOf(const std::string& line, std::string& rest) {
    const char* at = line.c_str() + line.find(" = ") + 3;
    char* end = nullptr;
    double value = std::strtod(at, &end);
    while (*end == ':') value = value * 60 + std::strtod(end + 1, &end);
    rest = end;
    return end == at ? NAN : value;
}

double SecondsOfDay(double jd) {
    return (jd + 0.5 - std::floor(jd + 0.5)) * 86400.0;
}

}  // namespace

// The date and time (the month by name, December the last; a month read from an empty list,
// -1, has none; the year as it is, negative before AD 1), UT - TD of the year, then each type
// flag's piece and, for a partial eclipse, the magnitude.
TEST(DetailLines, DateTimeTypeAndMagnitude) {
    const std::pair<Civil_Date_Time, const char*> dates[] = {
        {{2002, 12, 4, 7, 31, 11}, "Date = 2002 December 4|TD = 07:31:11|UT-TD [s] = -104|"},
        {{-585, 5, 28, 23, 59, 59}, "Date = -585 May 28|TD = 23:59:59|UT-TD [s] = -18798|"},
        {{2001, -1, 21, 12, 5, 5}, "Date = 2001  21|TD = 12:05:05|UT-TD [s] = -103|"},
    };
    for (const auto& [at, text] : dates)
        EXPECT_EQ(Joined(DetailLines({true, at, 0x11, 0, 0})), std::string(text) + "Type = Total ");
    const std::tuple<uint16_t, double, const char*> types[] = {
        {0x23, 0.7437, "Total Annular ; Noncentral "},
        {0x00, 0.7437, ""},
        {0x3F, 0.7437, "Total Annular Annular-Total Partial |Magn. = 0.74"},
        {0x28, 0.996, "Partial |Magn. =    1"},
        {0x28, 0.00001, "Partial |Magn. = 1e-05"},
    };
    for (const auto& [type, magnitude, text] : types) {
        EXPECT_EQ(Joined(DetailLines({true, {2001, 6, 21, 12, 5, 5}, type, magnitude, 0})),
                  std::string("Date = 2001 June 21|TD = 12:05:05|UT-TD [s] = -103|Type = ") + text);
    }
}

// With the precise flag on, the list of 2017 August 21 gives the engine's global
// circumstances, each to the precision shown (half a unit of its last digit).
TEST(PreciseDetailLines, TotalEclipseOf2017ShowsTheEnginesValues) {
    const besselian::Global_Circumstances g =
        besselian::ComputeGlobalCircumstances(2457987.268892, besselian::Engine_Options{});
    ASSERT_EQ(g.status, besselian::Global_Status::Ok);
    const std::vector<std::string> lines = PreciseDetailLines(g);
    EXPECT_EQ(Labels(lines),
              "Greatest UT|Latitude|Longitude|Sun alt.|Width [km]|Duration|Gamma|\u0394T [s]");
    const std::tuple<double, double, const char*> values[] = {
        {SecondsOfDay(g.greatestJdUt), 0.05, ""},  // hh:mm:ss.s
        {std::fabs(g.latitudeDeg), 0.005, " N"},
        {std::fabs(g.longitudeDeg), 0.005, " W"},
        {g.sunAltitudeDeg, 0.05, "\u00b0"},
        {g.pathWidthKm, 0.5, ""},
        {g.centralDurationS, 0.05, ""},  // m:ss.s
        {g.gamma, 0.00005, ""},
        {g.deltaTSeconds, 0.05, ""},
    };
    for (size_t i = 0; i < lines.size() && i < std::size(values); ++i) {
        const auto& [value, tolerance, suffix] = values[i];
        std::string rest;
        EXPECT_NEAR(ValueOf(lines[i], rest), value, tolerance + 1e-6) << lines[i];
        EXPECT_EQ(rest, suffix) << lines[i];
    }
}

// Partial, shadowless and unusable: nothing undefined is shown, nothing is "nan".
TEST(PreciseDetailLines, LeaveOutWhatIsNotDefined) {
    const std::pair<double, const char*> cases[] = {
        {2459877.959393, "Greatest UT|Latitude|Longitude|Sun alt.|Gamma|\u0394T [s]"},  // partial
        // greatest at the Earth's edge, the Sun a hair below the horizon
        {2460763.950964, "Greatest UT|Latitude|Longitude|Sun alt.|Gamma|\u0394T [s]"},
        {2451550.26, "Greatest UT|Gamma|\u0394T [s]"},  // a new Moon without an eclipse
        {NAN, ""},
    };
    for (const auto& [jde, labels] : cases) {
        const std::vector<std::string> lines = PreciseDetailLines(
            besselian::ComputeGlobalCircumstances(jde, besselian::Engine_Options{}));
        EXPECT_EQ(Labels(lines), labels);
        EXPECT_EQ(Joined(lines).find("nan"), std::string::npos) << Joined(lines);
    }
}

TEST(PreciseDetailLines, TimeOfDayRoundsToTheTenthAndWrapsAtMidnight) {
    const std::pair<double, const char*> cases[] = {
        {2460000.5 + (3600 * 12 + 61.26) / 86400.0, "12:01:01.3"},
        {2460000.5 - 0.04 / 86400.0, "00:00:00.0"},  // 23:59:59.96 rounds up into the next day
        {2460000.5 - 0.06 / 86400.0, "23:59:59.9"},
    };
    for (const auto& [jd, text] : cases) EXPECT_EQ(TimeOfDayText(jd), text) << jd;
}

// An altitude shown as 0.0 carries no minus sign; one that rounds to -0.1 keeps it.
TEST(PreciseDetailLines, SunAltitudeWithoutMinusZero) {
    besselian::Global_Circumstances g;
    g.status = besselian::Global_Status::Ok;
    g.greatestJdUt = 2460000.5;
    for (const auto& [altitude, text] :
         {std::pair{-0.049, "Sun alt. = 0.0\u00b0"}, std::pair{-0.051, "Sun alt. = -0.1\u00b0"}}) {
        g.sunAltitudeDeg = altitude;
        EXPECT_EQ(PreciseDetailLines(g).at(3), text);
    }
}

// What a place sees of 2026 August 12: Madrid a deep partial eclipse (inside the penumbra,
// just south of the path) cut short by sunset, the point of greatest eclipse the total phase with
// its duration; a place the penumbra misses sees none; no elements: "-". Every value shown is the
// engine's to the precision shown.
TEST(LocalDetailLines, WhatThePlaceSees) {
    besselian::Besselian_Elements e;
    ASSERT_TRUE(besselian::ComputeElements(2461265.24125, besselian::Engine_Options{}, e));
    const besselian::Global_Circumstances g =
        besselian::GlobalCircumstancesFromElements(e, 2461265.24125);
    const std::tuple<besselian::Geodetic_Place, const char*, const char*> cases[] = {
        {{40.4168, -3.7038, 650}, "Partial", "Place|Seen|C1|Max.|C4|Sunset|Magn. here|Obscuration"},
        {{g.latitudeDeg, g.longitudeDeg, 0},
         "Total",
         "Place|Seen|C1|C2|Max.|C3|C4|Magn. here|Obscuration|Duration here"},
        {{-33.87, 151.21, 0}, "None", "Place|Seen"},
    };
    for (const auto& [place, seen, labels] : cases) {
        SCOPED_TRACE(labels);
        const besselian::Local_Circumstances l = besselian::ComputeLocalCircumstances(e, place);
        const std::vector<std::string> lines = LocalDetailLines(place, &l);
        EXPECT_EQ(Labels(lines), labels);
        EXPECT_EQ(lines.at(1), std::string("Seen = ") + seen);
        // Each value, and for the contacts and the maximum the Sun's altitude.
        const std::map<std::string, std::tuple<double, double, double>> values = {
            {"C1", {SecondsOfDay(l.c1.jdUt), 0.05, l.c1.sunAltitudeDeg}},
            {"C2", {SecondsOfDay(l.c2.jdUt), 0.05, l.c2.sunAltitudeDeg}},
            {"Max.", {SecondsOfDay(l.maximum.jdUt), 0.05, l.maximum.sunAltitudeDeg}},
            {"C3", {SecondsOfDay(l.c3.jdUt), 0.05, l.c3.sunAltitudeDeg}},
            {"C4", {SecondsOfDay(l.c4.jdUt), 0.05, l.c4.sunAltitudeDeg}},
            {"Sunrise", {SecondsOfDay(l.sunrise.jdUt), 0.05, NAN}},
            {"Sunset", {SecondsOfDay(l.sunset.jdUt), 0.05, NAN}},
            {"Magn. here", {l.magnitude, 0.0005, NAN}},
            {"Obscuration", {l.obscuration * 100, 0.05, NAN}},
            {"Duration here", {l.centralDurationS, 0.05, NAN}},
        };
        for (size_t i = 2; i < lines.size(); ++i) {
            std::string rest;
            const auto& [value, tolerance, sun] =
                values.at(lines[i].substr(0, lines[i].find(" = ")));
            EXPECT_NEAR(ValueOf(lines[i], rest), value, tolerance + 1e-6) << lines[i];
            if (std::isnan(sun)) continue;
            EXPECT_EQ(rest.rfind(" UT, Sun ", 0), 0u) << lines[i];
            EXPECT_NEAR(std::strtod(rest.c_str() + 9, nullptr), sun, 0.05 + 1e-6) << lines[i];
        }
        EXPECT_EQ(Joined(lines).find("nan"), std::string::npos);
    }
    EXPECT_EQ(LocalDetailLines({1, 2, 0}, nullptr),
              (std::vector<std::string>{"Place = 1.00 N 2.00 E", "Seen = -"}));
}
