#include "astro/eclipse_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "astro/calendar.h"

namespace {

using Fields = std::array<int, 6>;

constexpr double ONE_SECOND_DAYS = 1.1574074074074073e-05;

Fields DateOf(const Eclipse_Record& r) {
    return {r.year, r.month, r.day, r.hour, r.minute, r.second};
}

bool StepFrom(Eclipse_Record& r, bool forward, const Fields& f) {
    return StepEclipse(r, forward, static_cast<int16_t>(f[0]), static_cast<int16_t>(f[1]),
                       static_cast<int16_t>(f[2]), static_cast<int16_t>(f[3]),
                       static_cast<int16_t>(f[4]), static_cast<int16_t>(f[5]));
}

TEST(EclipseStepping, WalksForwardFrom2001AsTheDateBarDoes) {
    const struct {
        Fields date;
        uint16_t type;
    } expected[] = {
        {{2001, 6, 21, 12, 5, 5}, 0x11},   {{2001, 12, 14, 20, 53, 24}, 0x12},
        {{2002, 6, 10, 23, 45, 52}, 0x12}, {{2002, 12, 4, 7, 32, 45}, 0x11},
        {{2003, 5, 31, 4, 9, 19}, 0x12},   {{2003, 11, 23, 22, 50, 42}, 0x11},
        {{2004, 4, 19, 13, 35, 16}, 0x28}, {{2004, 10, 14, 3, 0, 32}, 0x28},
        {{2005, 4, 8, 20, 37, 8}, 0x14},
    };
    Eclipse_Record r;
    Fields at{2001, 1, 1, 0, 0, 0};
    for (const auto& e : expected) {
        ASSERT_TRUE(StepFrom(r, true, at));
        EXPECT_EQ(DateOf(r), e.date);
        EXPECT_EQ(r.type, e.type);
        EXPECT_EQ(r.valid, 1);
        at = DateOf(r);
    }
    EXPECT_NEAR(r.magnitude, 0.926, 5e-4);  // kept from 14 October 2004
}

TEST(EclipseStepping, WorkedInstantsAndMagnitudes) {
    Eclipse_Record r;
    ASSERT_TRUE(StepFrom(r, true, {2001, 1, 1, 0, 0, 0}));
    EXPECT_NEAR(r.jde, 2452082.003529, 5e-7);
    ASSERT_TRUE(StepFrom(r, true, {2004, 1, 1, 0, 0, 0}));
    EXPECT_NEAR(r.magnitude, 0.736, 5e-4);
    ASSERT_TRUE(StepFrom(r, false, {2001, 1, 1, 0, 0, 0}));
    EXPECT_EQ(DateOf(r), (Fields{2000, 12, 25, 17, 36, 28}));
    EXPECT_EQ(r.type, 0x28);
}

TEST(EclipseStepping, BackAndForthFromAShownEclipse) {
    Eclipse_Record r;
    ASSERT_TRUE(StepFrom(r, true, {2001, 1, 1, 0, 0, 0}));
    const Fields june = DateOf(r);
    ASSERT_TRUE(StepFrom(r, true, june));
    EXPECT_EQ(DateOf(r), (Fields{2001, 12, 14, 20, 53, 24}));
    ASSERT_TRUE(StepFrom(r, false, DateOf(r)));
    EXPECT_EQ(DateOf(r), june);
}

TEST(EclipseStepping, RefusedDatesLeaveTheRecordUntouched) {
    const Fields refused[] = {{2001, 4, 31, 0, 0, 0},   {1900, 2, 29, 0, 0, 0},
                              {1582, 10, 5, 0, 0, 0},   {1582, 10, 14, 12, 0, 0},
                              {0, 6, 1, 0, 0, 0},       {10000, 1, 1, 0, 0, 0},
                              {-4714, 12, 31, 0, 0, 0}, {2001, 13, 1, 0, 0, 0}};
    for (const Fields& f : refused) {
        Eclipse_Record fresh;
        EXPECT_FALSE(StepFrom(fresh, true, f)) << f[0] << "-" << f[1] << "-" << f[2];
        EXPECT_EQ(fresh.valid, 0);
        EXPECT_EQ(fresh.jde, 0.0);

        Eclipse_Record held;
        ASSERT_TRUE(StepFrom(held, true, {2001, 1, 1, 0, 0, 0}));
        const Eclipse_Record before = held;
        EXPECT_FALSE(StepFrom(held, false, f));
        EXPECT_EQ(DateOf(held), DateOf(before));
        EXPECT_EQ(held.jde, before.jde);
        EXPECT_EQ(held.type, before.type);
    }
}

TEST(EclipseStepping, TimeOfDayIsTakenUnchecked) {
    Eclipse_Record a, b;
    ASSERT_TRUE(StepFrom(a, true, {2001, 6, 20, 36, 5, 5}));   // hour 36: 21 June 12:05:05
    ASSERT_TRUE(StepFrom(b, true, {2001, 6, 21, 12, 5, -1}));  // one second before it
    EXPECT_EQ(DateOf(a), (Fields{2001, 12, 14, 20, 53, 24}));
    EXPECT_EQ(DateOf(b), (Fields{2001, 6, 21, 12, 5, 5}));
}

// The search starts from the start instant, so it passes over no eclipse close to it, in
// years where a start from the year number alone would.
TEST(EclipseStepping, FindsTheNearestEclipseWhereTheYearFormulaDrifts) {
    Eclipse_Record r;
    ASSERT_TRUE(StepFrom(r, true, {6049, 1, 1, 0, 0, 0}));
    EXPECT_EQ(DateOf(r), (Fields{6049, 1, 1, 3, 50, 56}));
    EXPECT_EQ(r.type, 0x28);
    ASSERT_TRUE(StepFrom(r, false, {64, 12, 31, 0, 0, 0}));
    EXPECT_EQ(DateOf(r), (Fields{64, 12, 26, 17, 56, 47}));
}

TEST(EclipseStepping, EndsOfTheSupportedRange) {
    Eclipse_Record r;
    ASSERT_TRUE(StepFrom(r, true, {-4713, 1, 1, 0, 0, 0}));
    EXPECT_EQ(DateOf(r), (Fields{-4713, 4, 8, 22, 6, 26}));
    ASSERT_TRUE(StepFrom(r, false, DateOf(r)));
    EXPECT_EQ(DateOf(r), (Fields{-4714, 10, 14, 20, 1, 28}));
    EXPECT_NEAR(r.jde, -78.67, 0.005);
    EXPECT_FALSE(StepFrom(r, false, DateOf(r)));  // 4714 BC is outside the range

    ASSERT_TRUE(StepFrom(r, true, {9999, 12, 31, 23, 59, 59}));
    EXPECT_EQ(r.year, 10000);
    EXPECT_FALSE(StepFrom(r, true, DateOf(r)));
}

// Every solar eclipse from shortly before 4713 BC to shortly after AD 9999, found by looking
// at every lunation in turn with the published series, independently of the search's
// starting lunation and of its shortcuts.
struct Lunation_Eclipse {
    double jde;
    uint16_t type;
    double magnitude;
};

const std::vector<Lunation_Eclipse>& AllEclipses() {
    static const std::vector<Lunation_Eclipse> all = [] {
        std::vector<Lunation_Eclipse> list;
        for (double k = -83200; k <= 99000; k += 1) {
            const double T = CenturiesOfLunation(k);
            const double E = EccentricityFactor(T);
            const double M = SunMeanAnomaly(k, T), Mp = MoonMeanAnomaly(k, T);
            const double F = MoonArgumentOfLatitude(k, T), Omega = MoonNodeLongitude(k, T);
            const double jde = MeanPhaseJDE(k, T) + dJDE_54_1(0, k, T, E, M, Mp, F, Omega);
            double gamma, u, magnitude = -1;
            uint16_t type;
            EclipseGammaU(E, M, Mp, CorrectedLatitudeArgument(F, Omega), gamma, u);
            if (ClassifyEclipse(gamma, u, type, magnitude)) list.push_back({jde, type, magnitude});
        }
        return list;
    }();
    return all;
}

TEST(EclipseStepping, WalksTheWholeRangeInBothDirectionsWithoutSkippingOrRepeating) {
    const std::vector<Lunation_Eclipse>& all = AllEclipses();
    auto firstAtOrAfter = [&](double jd) {
        return std::lower_bound(all.begin(), all.end(), jd,
                                [](const Lunation_Eclipse& e, double t) { return e.jde < t; });
    };

    std::vector<double> forward;
    Eclipse_Record r;
    Fields at{-4713, 1, 1, 0, 0, 0};
    while (StepFrom(r, true, at)) {
        forward.push_back(r.jde);
        ASSERT_LT(forward.size(), 40000u);
        at = DateOf(r);
    }
    std::vector<double> backward;
    at = {9999, 12, 31, 23, 59, 59};
    while (StepFrom(r, false, at)) {
        backward.push_back(r.jde);
        ASSERT_LT(backward.size(), 40000u);
        at = DateOf(r);
    }
    std::reverse(backward.begin(), backward.end());

    // Forward: from the first eclipse of the range to the first one after it.
    auto from = firstAtOrAfter(JDFromDateTime(-4713, 1, 1, 0, 0, 0));
    auto to = firstAtOrAfter(JDFromDateTime(9999, 12, 31, 23, 59, 59)) + 1;
    ASSERT_EQ(forward.size(), static_cast<size_t>(to - from));
    for (size_t i = 0; i < forward.size(); ++i) ASSERT_EQ(forward[i], from[i].jde) << i;
    EXPECT_GT(forward.size(), 34000u);

    // Backward: the same eclipses, plus the one before the range, less the one after it.
    ASSERT_EQ(backward.size(), forward.size());
    EXPECT_EQ(backward.front(), (from - 1)->jde);
    for (size_t i = 1; i < backward.size(); ++i) ASSERT_EQ(backward[i], forward[i - 1]) << i;
}

TEST(EclipseStepping, FromAnyInstantFindsTheNearestEclipseOnEachSide) {
    const std::vector<Lunation_Eclipse>& all = AllEclipses();
    std::vector<Fields> starts = {
        {-1, 12, 31, 23, 59, 59},  {1, 1, 1, 0, 0, 0},      {-1, 1, 1, 0, 0, 0},
        {1582, 10, 4, 23, 59, 59}, {1582, 10, 15, 0, 0, 0}, {1582, 1, 1, 0, 0, 0},
        {1582, 12, 31, 0, 0, 0},   {-4713, 1, 1, 0, 0, 0},  {-4713, 12, 31, 0, 0, 0},
        {9999, 1, 1, 0, 0, 0},     {9999, 12, 31, 0, 0, 0}, {6049, 1, 1, 0, 0, 0},
        {64, 12, 31, 0, 0, 0},
    };
    std::mt19937 random(20261206);
    for (int i = 0; i < 3000; ++i) {
        // First and last days of years are where a start from the year number drifts.
        const int year = std::uniform_int_distribution<int>(-4712, 9998)(random);
        if (year == 0) continue;
        starts.push_back({year, 1, 1, 0, 0, 0});
        starts.push_back({year, 12, 31, 23, 59, 59});
        int16_t y, m, d, h, mi, s;
        DateTimeFromJD(std::uniform_real_distribution<double>(0, 5373484)(random), y, m, d, h, mi,
                       s);
        starts.push_back({y, m, d, h, mi, s});
    }
    for (const Fields& f : starts) {
        const double start = JDFromDateTime(static_cast<int16_t>(f[0]), static_cast<int16_t>(f[1]),
                                            static_cast<int16_t>(f[2]), static_cast<int16_t>(f[3]),
                                            static_cast<int16_t>(f[4]), static_cast<int16_t>(f[5]));
        // A step looks from one second beyond the start.
        const double after = start + ONE_SECOND_DAYS, before = start - ONE_SECOND_DAYS;
        auto next = std::lower_bound(all.begin(), all.end(), after,
                                     [](auto& e, double t) { return e.jde < t; });
        auto previous = std::upper_bound(all.begin(), all.end(), before,
                                         [](double t, auto& e) { return t < e.jde; }) -
                        1;
        Eclipse_Record r;
        ASSERT_TRUE(StepFrom(r, true, f));
        ASSERT_EQ(r.jde, next->jde) << f[0] << "-" << f[1] << "-" << f[2];
        ASSERT_EQ(r.type, next->type);
        if (r.type & ECL_PARTIAL) {
            ASSERT_EQ(r.magnitude, next->magnitude);
        }
        ASSERT_TRUE(StepFrom(r, false, f));
        ASSERT_EQ(r.jde, previous->jde) << f[0] << "-" << f[1] << "-" << f[2];
    }
}

}  // namespace
