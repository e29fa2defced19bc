#include "astro/eclipse_search.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "astro/calendar.h"
#include "platform/fatal.h"

namespace {

constexpr double ONE_SECOND = 1.0 / 86400.0;

struct Found {
    double jde = 0;
    uint16_t type = 0;
    double magnitude = -1;
};

Found Search(bool forward, int16_t year, double startJD) {
    Found f;
    EXPECT_TRUE(FindEclipse(forward, year, startJD, f.jde, f.type, f.magnitude));
    return f;
}

TEST(EclipseSearch, ForwardFromTheStartOf2001) {
    const Found f = Search(true, 2001, JDFromDateTime(2001, 1, 1, 0, 0, 0) + ONE_SECOND);
    EXPECT_NEAR(f.jde, 2452082.0035, 5e-5);
    EXPECT_EQ(f.type, ECL_CENTRAL | ECL_TOTAL);
}

TEST(EclipseSearch, BackwardFromTheEndOf2000) {
    const Found f = Search(false, 2001, JDFromDateTime(2001, 1, 1, 0, 0, 0) - ONE_SECOND);
    EXPECT_NEAR(f.jde, 2451904.2337, 5e-5);
    EXPECT_EQ(f.type, ECL_NONCENTRAL | ECL_PARTIAL);
    EXPECT_NEAR(f.magnitude, 0.725, 5e-4);
}

TEST(EclipseSearch, NonCentralTotalOrAnnularEclipses) {
    const struct {
        int16_t year, month, day;
    } dates[] = {{1928, 5, 19}, {1957, 10, 23}, {2043, 4, 9}};
    for (const auto& d : dates) {
        const Found f = Search(true, d.year, JDFromDateTime(d.year, d.month, d.day, 0, 0, 0));
        int16_t y, m, day, h, mi, s;
        DateTimeFromJD(f.jde, y, m, day, h, mi, s);
        EXPECT_EQ((std::array<int, 3>{y, m, day}), (std::array<int, 3>{d.year, d.month, d.day}));
        EXPECT_EQ(f.type, ECL_NONCENTRAL | ECL_TOTAL | ECL_ANNULAR) << d.year;
    }
}

TEST(EclipseSearch, AStartExactlyAtAnEclipseFindsItInBothDirections) {
    const Found first = Search(true, 2001, JDFromDateTime(2001, 1, 1, 0, 0, 0));
    EXPECT_EQ(Search(true, 2001, first.jde).jde, first.jde);
    EXPECT_EQ(Search(false, 2001, first.jde).jde, first.jde);
}

TEST(EclipseSearch, ANonPartialEclipseKeepsTheEarlierMagnitude) {
    double jde = 0;
    uint16_t type = 0;
    double magnitude = 0.5;
    ASSERT_TRUE(FindEclipse(1, 2001, JDFromDateTime(2001, 1, 1, 0, 0, 0), jde, type, magnitude));
    EXPECT_EQ(type, ECL_CENTRAL | ECL_TOTAL);
    EXPECT_EQ(magnitude, 0.5);
}

TEST(ClassifyEclipse, Boundaries) {
    const double omega = [] { return 0.00464 * std::sqrt(1 - 0.5 * 0.5); }();
    const struct {
        const char* label;
        double gamma, u;
        bool eclipse;
        uint16_t type;
        double magnitude;  // checked for partial eclipses only
    } cases[] = {
        {"g exactly 0.9972 is central", 0.9972, -0.001, true, ECL_CENTRAL | ECL_TOTAL, 0},
        {"negative gamma counts by its size", -0.9972, 0.01, true, ECL_CENTRAL | ECL_ANNULAR, 0},
        {"u exactly 0 in a central eclipse", 0.3, 0.0, true, ECL_CENTRAL | ECL_ANNULAR_TOTAL, 0},
        {"u just below omega", 0.5, omega * 0.999, true, ECL_CENTRAL | ECL_ANNULAR_TOTAL, 0},
        {"u at omega", 0.5, omega, true, ECL_CENTRAL | ECL_ANNULAR, 0},
        {"non-central within |u|", 1.0, -0.005, true, ECL_NONCENTRAL | ECL_TOTAL | ECL_ANNULAR, 0},
        {"grazing partial of magnitude 0", 1.5433 + 0.01, 0.01, true, ECL_NONCENTRAL | ECL_PARTIAL,
         0.0},
        {"partial", 1.2, 0.005, true, ECL_NONCENTRAL | ECL_PARTIAL,
         (1.5433 + 0.005 - 1.2) / (0.5461 + 0.01)},
        {"beyond the penumbra", 1.5433 + 0.0101, 0.01, false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        uint16_t type = 0xFFFF;
        double magnitude = -1;
        EXPECT_EQ(ClassifyEclipse(c.gamma, c.u, type, magnitude), c.eclipse);
        if (!c.eclipse) {
            EXPECT_EQ(type, 0xFFFF);
            EXPECT_EQ(magnitude, -1);
            continue;
        }
        EXPECT_EQ(type, c.type);
        if (type & ECL_PARTIAL) {
            EXPECT_DOUBLE_EQ(magnitude, c.magnitude);
        } else {
            EXPECT_EQ(magnitude, -1);
        }
    }
}

TEST(LunarPhaseFraction, Values) {
    EXPECT_EQ(rem_k_49(0), 0.0);
    EXPECT_EQ(rem_k_49(1), 0.25);
    EXPECT_EQ(rem_k_49(2), 0.5);
    EXPECT_EQ(rem_k_49(3), 0.75);
}

TEST(FatalFormulaArguments, EndTheProgramWithTheFunctionName) {
    const auto status = ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS);
    EXPECT_EXIT(rem_k_49(4), status, "^rem_k_49\n$");
    EXPECT_EXIT(rem_k_49(-1), status, "^rem_k_49\n$");
    EXPECT_EXIT(dJDE_54_1(2, 0, 0, 1, 0, 0, 0, 0), status, "^dJDE_54_1\n$");
    EXPECT_EXIT(dJDE_54_1(-1, 0, 0, 1, 0, 0, 0, 0), status, "^dJDE_54_1\n$");
}

TEST(NewMoonCorrection, SolarAndLunarKindsDifferOnlyInTheFirstTwoTerms) {
    const double k = 18, T = k / 1236.85;
    const double E = EccentricityFactor(T), M = SunMeanAnomaly(k, T), Mp = MoonMeanAnomaly(k, T),
                 F = MoonArgumentOfLatitude(k, T), Omega = MoonNodeLongitude(k, T);
    const double solar = dJDE_54_1(0, k, T, E, M, Mp, F, Omega);
    const double lunar = dJDE_54_1(1, k, T, E, M, Mp, F, Omega);
    EXPECT_NEAR(lunar - solar, 0.0010 * std::sin(Mp) + 0.0006 * E * std::sin(M), 1e-12);
}

}  // namespace
