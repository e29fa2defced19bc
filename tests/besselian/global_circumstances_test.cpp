#include "besselian/global_circumstances.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "astro/eclipse_search.h"
#include "besselian/shadow_geometry.h"
#include "tests/besselian/canon_sample.h"

using namespace besselian;

namespace {

// The lunation method's instant for the canon's eclipse: the first one found from half a day
// before the canon's instant.
double LunationJde(const Canon_Row& r) {
    double jde = 0, magnitude = 0;
    uint16_t type = 0;
    FindEclipse(1, static_cast<int16_t>(r.year), r.jdTd - 0.5, jde, type, magnitude);
    return jde;
}

char Letter(Eclipse_Type t) {
    return EclipseTypeName(t)[0];
}

}  // namespace

// Every eclipse of the checked-in canon sample against the canon. Tolerances: what must hold
// over the whole canon (see the canon check), plus the canon's rounding (gamma and magnitude
// to 1e-4, places to 0.1 deg, Sun altitude to 1 deg, width to 1 km, duration to 1 s).
//   AD 1000 ... 3000: instant 2 s, gamma 2.5e-4, magnitude 4e-4, place 8 km (25 km where
//   the axis grazes the Earth, |gamma| > 0.99, the place then moves fast with gamma), width
//   2 km or 1.5 % on very wide paths, duration 1.5 s.
//   Before AD 1000 (libnova's lunar theory drifts from the canon's): instant 30 s, gamma 7e-4,
//   magnitude 1.2e-3, place 15 km, width 3 km or 2.5 %, duration 2 s.
TEST(GlobalCircumstances, AgreeWithTheCanonSample) {
    const auto rows = ReadCanonSample();
    ASSERT_GE(rows.size(), 40u);
    std::vector<double> jdes;
    for (const auto& r : rows) jdes.push_back(LunationJde(r));
    const auto results = ComputeGlobalCircumstancesMany(jdes, Engine_Options{}, 2);
    ASSERT_EQ(results.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const Canon_Row& r = rows[i];
        const Global_Circumstances& g = results[i];
        const bool modern = r.year >= 1000;
        ASSERT_EQ(g.status, Global_Status::Ok) << r.label;
        EXPECT_NEAR((g.greatestJde - r.jdTd) * 86400, 0, modern ? 2 : 30) << r.label;
        EXPECT_NEAR(g.deltaTSeconds, r.deltaTSeconds, 0.6) << r.label;
        EXPECT_NEAR(g.greatestJdUt, g.greatestJde - g.deltaTSeconds / 86400, 1e-9) << r.label;
        EXPECT_NEAR(g.gamma, r.gamma, modern ? 2.5e-4 : 7e-4) << r.label;
        EXPECT_NEAR(g.magnitude, r.magnitude, modern ? 4e-4 : 1.2e-3) << r.label;
        EXPECT_EQ(Letter(g.type), r.typeBase) << r.label;
        EXPECT_EQ(g.central, r.central) << r.label;
        EXPECT_NEAR(g.sunAltitudeDeg, r.sunAltitudeDeg, 1.0) << r.label;
        if (r.central) {
            const double km = DistanceKm(GroundPoint(g.latitudeDeg, g.longitudeDeg),
                                         GroundPoint(r.latitudeDeg, r.longitudeDeg));
            EXPECT_LT(km, std::fabs(r.gamma) > 0.99 ? 25 : modern ? 8 : 15) << r.label;
        } else {
            EXPECT_NEAR(g.sunAltitudeDeg, 0, 1e-6) << r.label;  // on the Earth's edge
            EXPECT_TRUE(std::isnan(g.pathWidthKm)) << r.label;
            EXPECT_TRUE(std::isnan(g.centralDurationS)) << r.label;
        }
        if (r.pathWidthKm >= 0) {
            EXPECT_NEAR(g.pathWidthKm, r.pathWidthKm,
                        std::fmax(modern ? 2 : 3, (modern ? 0.015 : 0.025) * r.pathWidthKm))
                << r.label;
        }
        if (r.centralDurationS >= 0) {
            EXPECT_NEAR(g.centralDurationS, r.centralDurationS, modern ? 1.5 : 2) << r.label;
        }
        // The elements hold the penumbra's whole passage: clear of the Earth at both ends.
        for (double t : {g.elements.tMinHours, g.elements.tMaxHours}) {
            const Element_State s = StateAt(g.elements, t);
            EXPECT_GT(std::sqrt(AxisOnEarthMeasure(s)), 1 + s.l1) << r.label << " t " << t;
        }
    }
}

// The eclipse of 2024-04-08 in full, against the canon's row (cat 9561): 18:18:29 TD,
// gamma 0.3431, magnitude 1.0566, 25.3 N 104.1 W, Sun 70 deg, 198 km, 268 s.
TEST(GlobalCircumstances, TotalEclipseOf2024) {
    const Global_Circumstances g = ComputeGlobalCircumstances(2460409.26, Engine_Options{});
    ASSERT_EQ(g.status, Global_Status::Ok);
    EXPECT_NEAR((g.greatestJde - 2460409.262836) * 86400, 0, 1.0);
    EXPECT_EQ(g.type, Eclipse_Type::Total);
    EXPECT_TRUE(g.central);
    EXPECT_NEAR(g.gamma, 0.3431, 1.5e-4);
    EXPECT_NEAR(g.magnitude, 1.0566, 1.5e-4);
    EXPECT_NEAR(g.latitudeDeg, 25.3, 0.06);
    EXPECT_NEAR(g.longitudeDeg, -104.1, 0.06);
    EXPECT_NEAR(g.sunAltitudeDeg, 70, 0.6);
    EXPECT_NEAR(g.pathWidthKm, 198, 1.5);
    EXPECT_NEAR(g.centralDurationS, 268, 1.5);
    EXPECT_GT(g.sunAzimuthDeg, 90);  // early afternoon, Sun to the south
    EXPECT_LT(g.sunAzimuthDeg, 270);
    // A user's ΔT moves only the clock and the longitude: 100 s more is 0.418 deg east (the
    // Earth has turned less by the same instant of TD).
    Engine_Options later;
    later.deltaTSeconds = g.deltaTSeconds + 100;
    const Global_Circumstances h = ComputeGlobalCircumstances(2460409.26, later);
    EXPECT_NEAR(h.greatestJde, g.greatestJde, 1e-9);
    EXPECT_NEAR((g.greatestJdUt - h.greatestJdUt) * 86400, 100, 1e-3);
    EXPECT_NEAR(h.longitudeDeg - g.longitudeDeg, 100 * 15.0410686 / 3600, 1e-4);
    EXPECT_NEAR(h.latitudeDeg, g.latitudeDeg, 1e-6);
}

// A new Moon without an eclipse (6 January 2000) or an instant far from any: no shadow on
// the Earth, a status and no crash; unusable input: no elements.
TEST(GlobalCircumstances, NoShadowAndBadInput) {
    const Global_Circumstances none = ComputeGlobalCircumstances(2451550.26, Engine_Options{});
    EXPECT_EQ(none.status, Global_Status::NoShadowOnEarth);
    EXPECT_GT(std::fabs(none.gamma), 1.6);
    EXPECT_TRUE(std::isfinite(none.greatestJde));
    EXPECT_TRUE(std::isnan(none.latitudeDeg));
    const Global_Circumstances fullMoon = ComputeGlobalCircumstances(2451565.0, Engine_Options{});
    EXPECT_EQ(fullMoon.status, Global_Status::NoShadowOnEarth);

    Engine_Options badDeltaT;
    badDeltaT.deltaTSeconds = INFINITY;
    const double bad[] = {NAN, INFINITY, -INFINITY, 1e300, -1e300};
    for (double jde : bad) {
        EXPECT_EQ(ComputeGlobalCircumstances(jde, Engine_Options{}).status,
                  Global_Status::NoElements)
            << jde;
    }
    EXPECT_EQ(ComputeGlobalCircumstances(2460409.26, badDeltaT).status, Global_Status::NoElements);
    // Many at once: the same results as one at a time, also with bad entries among them (to
    // 1e-12: libnova's nutation moves in the last digits with the call before).
    const std::vector<double> jdes = {2460409.26, NAN,        2451550.26, 2457987.27, 2460409.26,
                                      2455000.0,  2460409.26, 1e300,      2460409.26, 2460409.26,
                                      2460409.26, 2460409.26, 2460409.26, 2460409.26, 2460409.26,
                                      2460409.26, 2460409.26};
    const auto many = ComputeGlobalCircumstancesMany(jdes, Engine_Options{}, 3);
    ASSERT_EQ(many.size(), jdes.size());
    for (size_t i = 0; i < jdes.size(); ++i) {
        const Global_Circumstances one = ComputeGlobalCircumstances(jdes[i], Engine_Options{});
        EXPECT_EQ(many[i].status, one.status) << i;
        if (one.status != Global_Status::NoElements) {
            EXPECT_NEAR(many[i].greatestJde, one.greatestJde, 1e-12 * one.greatestJde) << i;
            EXPECT_NEAR(many[i].gamma, one.gamma, 1e-12) << i;
        }
    }
}
