// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/eclipse_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "astro/eclipse_step.h"
#include "tests/astro/date_text.h"
#include "tests/platform/fatal_exit.h"

// The record as text: date, time, type flags in hex and the magnitude of a partial eclipse.
static std::string RecordText(const Eclipse_Record& r) {
    char text[24];
    std::snprintf(text, 24, r.type & ECL_PARTIAL ? " %x %.4f" : " %x", r.type, r.magnitude);
    return DateText(r.dateTime) + text;
}

static bool StepFrom(Eclipse_Record& r, bool forward, const std::string& start) {
    return StepEclipse(r, forward, CivilOf(start));
}

TEST(ClassifyEclipse, Boundaries) {
    const double omega = 0.00464 * std::sqrt(1 - 0.5 * 0.5);
    const double partial = (1.5433 + 0.005 - 1.2) / (0.5461 + 0.01);
    // label, gamma, u, type (0xFFFF: no eclipse, nothing written), magnitude of a partial one
    const std::tuple<const char*, double, double, int, double> cases[] = {
        {"g 0.9972", 0.9972, -0.001, 0x11, -1},
        {"u < omega", 0.5, omega * 0.999, 0x14, -1},
        {"u omega", 0.5, omega, 0x12, -1},
        {"non-central, g just above 0.9972", 0.99721, -0.001, 0x23, -1},
        {"partial, -g", -1.2, 0.005, 0x28, partial},
        {"outside", 1.5433 + 0.0101, 0.01, 0xFFFF, -1}};
    for (const auto& [label, gamma, u, expectedType, expectedMagnitude] : cases) {
        uint16_t type = 0xFFFF;
        double magnitude = -1;
        EXPECT_EQ(ClassifyEclipse(gamma, u, type, magnitude), expectedType != 0xFFFF) << label;
        EXPECT_EQ(type, expectedType) << label;
        EXPECT_DOUBLE_EQ(magnitude, expectedMagnitude) << label;
    }
}

TEST(FatalFormulaArguments, EndTheProgramWithTheFunctionName) {
    EXPECT_FATAL(rem_k_49(4), "rem_k_49");
    EXPECT_FATAL(dJDE_54_1(2, 0, 0, 1, 0, 0, 0, 0), "dJDE_54_1");
}

// "start > found" steps forward, "<" backward, from the eclipse before when no start is given;
// a refused step leaves the record as it was.
TEST(EclipseStepping, FindsTheWorkedEclipses) {
    const char* rows[] = {"2001-01-01 > 2001-06-21 12:05:05 11",
                          "> 2001-12-14 20:53:24 12",
                          "2001-01-01 < 2000-12-25 17:36:28 28 0.7253",
                          "2001-04-31 > refused",
                          "0-06-01 > refused",
                          "1928-05-19 > 1928-05-19 13:23:42 23",
                          "6049-01-01 > 6049-01-01 03:50:56 28 0.3837",
                          "64-12-31 < 64-12-26 17:56:47 28 0.1300",
                          "-4713-01-01 > -4713-04-08 22:06:26 12",
                          "< -4714-10-14 20:01:28 11",
                          "< refused",
                          "9999-12-31 23:59:59 > 10000-03-30 01:59:15 28 0.2634",
                          "> refused"};
    Eclipse_Record r;
    for (const char* row : rows) {
        const char* to = std::strpbrk(row, "<>");
        const std::string before = RecordText(r);
        const bool found = StepFrom(r, *to == '>', to > row ? std::string(row, to - 1) : before);
        EXPECT_EQ(found ? RecordText(r) : "refused", to + 2) << row;
        EXPECT_TRUE(found || RecordText(r) == before) << row;
    }
}

// Every solar eclipse from shortly before 4713 BC to shortly after AD 9999, found by looking
// at every lunation in turn, independently of the search's starting lunation.
using Listed = std::pair<double, uint16_t>;  // jde, type

static const std::vector<Listed>& AllEclipses() {
    static std::vector<Listed> list;
    if (!list.empty()) return list;
    for (double k = -83200; k <= 99000; k += 1) {
        const double T = CenturiesOfLunation(k), E = EccentricityFactor(T);
        const double M = SunMeanAnomaly(k, T), Mp = MoonMeanAnomaly(k, T);
        const double F = MoonArgumentOfLatitude(k, T), Omega = MoonNodeLongitude(k, T);
        const double jde = MeanPhaseJDE(k, T) + dJDE_54_1(0, k, T, E, M, Mp, F, Omega);
        double gamma, u, magnitude = -1;
        uint16_t type;
        EclipseGammaU(E, M, Mp, CorrectedLatitudeArgument(F, Omega), gamma, u);
        if (ClassifyEclipse(gamma, u, type, magnitude)) list.emplace_back(jde, type);
    }
    return list;
}

// A step from start finds the listed eclipse nearest to one second beyond it, on its side.
static testing::AssertionResult StepsToNearest(Eclipse_Record& r, bool fwd, std::string at) {
    const auto& all = AllEclipses();
    const double jd = JulianDayOf(at) + (fwd ? 1.0 : -1.0) / 86400;
    const Listed& nearest = *(std::lower_bound(all.begin(), all.end(), Listed{jd, 0}) - !fwd);
    if (StepFrom(r, fwd, at) && Listed{r.jde, r.type} == nearest)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << at << ": found " << RecordText(r) << ", not JDE " << nearest.first;
}

// From any start, and from the first and last instants of years, where a start from the year
// number alone drifts, a step finds the nearest eclipse on its side.
TEST(EclipseStepping, FromAnyInstantFindsTheNearestEclipseOnEachSide) {
    std::vector<std::string> starts = {"-1-12-31 23:59:59", "1-01-01", "1582-10-04 23:59:59",
                                       "1582-10-15"};
    std::mt19937 random(20261206);
    for (int i = 0; i < 3000; ++i) {
        const std::string at = DateText(std::uniform_real_distribution<double>(0, 5373484)(random));
        const std::string year = at.substr(0, at.find('-', 1));
        starts.insert(starts.end(), {at, year + "-01-01", year + "-12-31 23:59:59"});
    }
    Eclipse_Record r;
    for (const std::string& start : starts) {
        ASSERT_TRUE(StepsToNearest(r, true, start));
        ASSERT_TRUE(StepsToNearest(r, false, start));
    }
}
