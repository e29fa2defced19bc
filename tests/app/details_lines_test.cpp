#include "app/details_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

TEST(DetailLines, ForEachTypeCombinationAndMagnitude) {
    const struct {
        uint16_t type;
        double magnitude;
        std::vector<std::string> typeAndMagnitude;
    } cases[] = {
        {0x11, 0.7437, {"Type = Total "}},
        {0x12, 0.7437, {"Type = Annular "}},
        {0x14, 0.7437, {"Type = Annular-Total "}},
        {0x23, 0.7437, {"Type = Total Annular ; Noncentral "}},
        {0x20, 0.7437, {"Type = ; Noncentral "}},
        {0x00, 0.7437, {"Type = "}},
        {0x28, 0.7437, {"Type = Partial ", "Magn. = 0.74"}},
        {0x3F, 0.7437, {"Type = Total Annular Annular-Total Partial ", "Magn. = 0.74"}},
        {0x28, 0.05, {"Type = Partial ", "Magn. = 0.05"}},
        {0x28, 1.0, {"Type = Partial ", "Magn. =    1"}},
        {0x28, 0.996, {"Type = Partial ", "Magn. =    1"}},
        {0x28, 0.00001, {"Type = Partial ", "Magn. = 1e-05"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.type << " " << c.magnitude);
        std::vector<std::string> expected = {"Date = 2001 June 21", "TD = 12:05:05",
                                             "UT-TD [s] = -103"};
        expected.insert(expected.end(), c.typeAndMagnitude.begin(), c.typeAndMagnitude.end());
        EXPECT_EQ(DetailLines(Eclipse_Record{true, {2001, 6, 21, 12, 5, 5}, c.type, c.magnitude}),
                  expected);
    }
}

// The date and time lines: the month by name (December is the last; a month read from an
// empty list, -1, has none), the year as it is, negative before AD 1.
TEST(DetailLines, DateAndTime) {
    const std::pair<Civil_Date_Time, std::vector<std::string>> cases[] = {
        {{2002, 12, 4, 7, 31, 11}, {"Date = 2002 December 4", "TD = 07:31:11"}},
        {{1999, 1, 31, 0, 0, 0}, {"Date = 1999 January 31", "TD = 00:00:00"}},
        {{-585, 5, 28, 23, 59, 59}, {"Date = -585 May 28", "TD = 23:59:59"}},
        {{2001, -1, 21, 12, 5, 5}, {"Date = 2001  21", "TD = 12:05:05"}},
    };
    for (const auto& [at, expected] : cases) {
        std::vector<std::string> lines = DetailLines(Eclipse_Record{true, at, 0x11, 0, 0});
        lines.resize(2);
        EXPECT_EQ(lines, expected);
    }
}

namespace {

// The text after "<label> = " in the line that starts with label; false when none does.
bool TextOf(const std::vector<std::string>& lines, const std::string& label, std::string& text) {
    for (const std::string& line : lines) {
        if (line.rfind(label + " = ", 0) == 0) return text = line.substr(label.size() + 3), true;
    }
    return false;
}

// The number in that text, and the rest after it.
bool ValueOf(const std::vector<std::string>& lines, const std::string& label, double& value,
             std::string& rest) {
    std::string text;
    if (!TextOf(lines, label, text)) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    rest = end;
    return end != text.c_str();
}

// Seconds of the day from "hh:mm:ss.s".
double SecondsOf(const std::string& text) {
    int h = 0, m = 0;
    double s = 0;
    return std::sscanf(text.c_str(), "%d:%d:%lf", &h, &m, &s) == 3 ? h * 3600 + m * 60 + s : NAN;
}

double SecondsOfDay(double jd) {
    return (jd + 0.5 - std::floor(jd + 0.5)) * 86400.0;
}

constexpr double JDE_2017_TOTAL = 2457987.268892;

}  // namespace

// With the precise flag on, the list of 2017 August 21 gives the engine's global
// circumstances, each to the precision shown (half a unit of its last digit).
TEST(PreciseDetailLines, TotalEclipseOf2017ShowsTheEnginesValues) {
    const besselian::Global_Circumstances g =
        besselian::ComputeGlobalCircumstances(JDE_2017_TOTAL, besselian::Engine_Options{});
    ASSERT_EQ(g.status, besselian::Global_Status::Ok);
    const std::vector<std::string> lines = PreciseDetailLines(g);
    ASSERT_EQ(lines.size(), 8u);
    const std::string labels[] = {"Greatest UT", "Latitude", "Longitude", "Sun alt.",
                                  "Width [km]",  "Duration", "Gamma",     "\u0394T [s]"};
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(lines[i].rfind(labels[i] + " = ", 0), 0u) << lines[i];
    std::string text;
    ASSERT_TRUE(TextOf(lines, "Greatest UT", text));
    EXPECT_NEAR(SecondsOf(text), SecondsOfDay(g.greatestJdUt), 0.05 + 1e-6);
    const struct {
        const char* label;
        double value, tolerance;
        const char* rest;
    } values[] = {
        {"Latitude", std::fabs(g.latitudeDeg), 0.005, " N"},
        {"Longitude", std::fabs(g.longitudeDeg), 0.005, " W"},
        {"Sun alt.", g.sunAltitudeDeg, 0.05, "\u00b0"},
        {"Width [km]", g.pathWidthKm, 0.5, ""},
        {"Gamma", g.gamma, 0.00005, ""},
        {"\u0394T [s]", g.deltaTSeconds, 0.05, ""},
    };
    for (const auto& v : values) {
        double shown;
        std::string rest;
        ASSERT_TRUE(ValueOf(lines, v.label, shown, rest)) << v.label;
        EXPECT_NEAR(shown, v.value, v.tolerance + 1e-9) << v.label;
        EXPECT_EQ(rest, v.rest) << v.label;
    }
    ASSERT_TRUE(TextOf(lines, "Duration", text));  // minutes and seconds, "m:ss.s"
    EXPECT_NEAR(SecondsOf("0:" + text), g.centralDurationS, 0.05 + 1e-9);
}

// Partial, shadowless and unusable: nothing undefined is shown, nothing is "nan".
TEST(PreciseDetailLines, LeaveOutWhatIsNotDefined) {
    const struct {
        const char* label;
        double jde;
        std::vector<std::string> labels;
    } cases[] = {
        {"2022 partial",
         2459877.959393,
         {"Greatest UT", "Latitude", "Longitude", "Sun alt.", "Gamma", "\u0394T [s]"}},
        {"a new Moon without an eclipse", 2451550.26, {"Greatest UT", "Gamma", "\u0394T [s]"}},
        {"not a number", NAN, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::vector<std::string> lines = PreciseDetailLines(
            besselian::ComputeGlobalCircumstances(c.jde, besselian::Engine_Options{}));
        ASSERT_EQ(lines.size(), c.labels.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].rfind(c.labels[i] + " = ", 0), 0u) << lines[i];
            EXPECT_EQ(lines[i].find("nan"), std::string::npos) << lines[i];
            EXPECT_EQ(lines[i].find("inf"), std::string::npos) << lines[i];
        }
    }
}

TEST(PreciseDetailLines, TimeOfDayRoundsToTheTenthAndWrapsAtMidnight) {
    const struct {
        double jd;
        const char* text;
    } cases[] = {
        {2460000.5, "00:00:00.0"},
        {2460000.5 + 0.75, "18:00:00.0"},
        {2460000.5 + (3600 * 12 + 61.26) / 86400.0, "12:01:01.3"},
        {2460000.5 - 0.04 / 86400.0, "00:00:00.0"},  // 23:59:59.96 rounds up into the next day
        {2460000.5 - 0.06 / 86400.0, "23:59:59.9"},
        {2460000.0, "12:00:00.0"},
    };
    for (const auto& c : cases) EXPECT_EQ(TimeOfDayText(c.jd), c.text) << c.jd;
}

// What a place sees of 2026 August 12: Madrid a deep partial eclipse (inside the penumbra,
// just south of the path), the point of greatest eclipse the total phase with its duration;
// a place the penumbra misses sees none; no elements: "-". Every instant shown is the
// engine's to the tenth of a second.
TEST(LocalDetailLines, WhatThePlaceSees) {
    besselian::Besselian_Elements e;
    ASSERT_TRUE(besselian::ComputeElements(2461265.24125, besselian::Engine_Options{}, e));
    const besselian::Global_Circumstances g =
        besselian::GlobalCircumstancesFromElements(e, 2461265.24125);
    const struct {
        const char* label;
        besselian::Geodetic_Place place;
        const char* seen;
        bool contacts, central;
    } cases[] = {
        {"Madrid", {40.4168, -3.7038, 650}, "Seen = Partial", true, false},
        {"greatest eclipse", {g.latitudeDeg, g.longitudeDeg, 0}, "Seen = Total", true, true},
        {"Sydney", {-33.87, 151.21, 0}, "Seen = None", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const besselian::Local_Circumstances local =
            besselian::ComputeLocalCircumstances(e, c.place);
        const std::vector<std::string> lines = LocalDetailLines(c.place, &local);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0].rfind("Place = ", 0), 0u);
        EXPECT_EQ(lines[1], c.seen);
        double shown;
        std::string rest;
        const struct {
            const char* label;
            const besselian::Local_Instant& at;
            bool expected;
        } instants[] = {{"C1", local.c1, c.contacts},
                        {"C2", local.c2, c.central},
                        {"Max.", local.maximum, c.contacts},
                        {"C3", local.c3, c.central},
                        {"C4", local.c4, c.contacts}};
        for (const auto& instant : instants) {
            std::string time;
            ASSERT_EQ(TextOf(lines, instant.label, time), instant.expected) << instant.label;
            if (!instant.expected) continue;
            EXPECT_NEAR(SecondsOf(time), SecondsOfDay(instant.at.jdUt), 0.05 + 1e-6);
            EXPECT_NE(time.find(" UT, Sun "), std::string::npos) << time;
        }
        EXPECT_EQ(ValueOf(lines, "Duration here", shown, rest), c.central);
        if (c.contacts) {
            ASSERT_TRUE(ValueOf(lines, "Magn. here", shown, rest));
            EXPECT_NEAR(shown, local.magnitude, 0.0005 + 1e-9);
            ASSERT_TRUE(ValueOf(lines, "Obscuration", shown, rest));
            EXPECT_NEAR(shown, local.obscuration * 100, 0.05 + 1e-9);
        } else {
            EXPECT_EQ(lines.size(), 2u);
        }
        for (const std::string& line : lines) EXPECT_EQ(line.find("nan"), std::string::npos);
    }
    const besselian::Geodetic_Place somewhere{1, 2, 0};
    EXPECT_EQ(LocalDetailLines(somewhere, nullptr),
              (std::vector<std::string>{"Place = 1.00 N 2.00 E", "Seen = -"}));
}
