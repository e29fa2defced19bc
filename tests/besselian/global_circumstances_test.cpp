// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/global_circumstances.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "besselian/shadow_geometry.h"
#include "tests/besselian/test_support.h"

using namespace besselian;

// Every eclipse of the checked-in canon sample against the canon. Tolerances: what must hold
// over the whole canon (see the canon check), plus the canon's rounding (gamma and magnitude
// to 1e-4, places to 0.1 deg, Sun altitude to 1 deg, width to 1 km, duration to 1 s, ΔT to
// 1 s, which the instant in UT adds to its tolerance).
//   AD 1000 ... 3000: instant 2 s, gamma 2.5e-4, magnitude 4e-4, place 8 km (25 km where
//   the axis grazes the Earth, |gamma| > 0.99, the place then moves fast with gamma), width
//   2 km or 1.5 % on very wide paths, duration 1.5 s.
//   Before AD 1000 (libnova's lunar theory drifts from the canon's): instant 30 s, gamma 7e-4,
//   magnitude 1.2e-3, place 15 km, width 3 km or 2.5 %, duration 2 s.
TEST(GlobalCircumstances, AgreeWithTheCanonSample) {
    const auto rows = test::ReadCsv(VELMOR_CANON_SAMPLE);
    ASSERT_GE(rows.size(), 40u);
    std::vector<double> jdes;
    for (const auto& r : rows) {
        jdes.push_back(test::LunationJde(std::stoi(r["year"]), r.Number("jd_td") - 0.5));
    }
    const auto results = ComputeGlobalCircumstancesMany(jdes, Engine_Options{}, 2);
    ASSERT_EQ(results.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const test::Csv_Row& r = rows[i];
        const Global_Circumstances& g = results[i];
        SCOPED_TRACE("cat " + r["cat"] + " " + r["year"] + "-" + r["month"] + "-" + r["day"] + " " +
                     r["type"]);
        const bool modern = r.Number("year") >= 1000, central = r["central"] == "1";
        ASSERT_EQ(g.status, Global_Status::Ok);
        EXPECT_NEAR((g.greatestJde - r.Number("jd_td")) * 86400, 0, modern ? 2 : 30);
        EXPECT_NEAR((g.greatestJdUt - r.Number("jd_ut")) * 86400, 0, modern ? 2.6 : 30.6);
        EXPECT_NEAR(g.deltaTSeconds, r.Number("delta_t_s"), 0.6);
        EXPECT_NEAR(g.gamma, r.Number("gamma"), modern ? 2.5e-4 : 7e-4);
        EXPECT_NEAR(g.magnitude, r.Number("magnitude"), modern ? 4e-4 : 1.2e-3);
        EXPECT_EQ(EclipseTypeName(g.type)[0], r["type_base"][0]);
        EXPECT_EQ(g.central, central);
        EXPECT_NEAR(g.sunAltitudeDeg, r.Number("sun_alt"), 1.0);
        if (central) {
            const double km = DistanceKm(GroundPoint(g.latitudeDeg, g.longitudeDeg),
                                         GroundPoint(r.Number("lat"), r.Number("lon")));
            EXPECT_LT(km, std::fabs(r.Number("gamma")) > 0.99 ? 25 : modern ? 8 : 15);
        } else {
            EXPECT_TRUE(std::isnan(g.pathWidthKm) && std::isnan(g.centralDurationS));
        }
        const double width = r.Number("path_width_km"), duration = r.Number("central_duration_s");
        if (!std::isnan(width)) {
            EXPECT_NEAR(g.pathWidthKm, width,
                        std::fmax(modern ? 2 : 3, (modern ? 0.015 : 0.025) * width));
        }
        if (!std::isnan(duration)) {
            EXPECT_NEAR(g.centralDurationS, duration, modern ? 1.5 : 2);
        }
        // The elements hold the penumbra's whole passage: clear of the Earth at both ends.
        for (double t : {g.elements.tMinHours, g.elements.tMaxHours}) {
            const Element_State s = StateAt(g.elements, t);
            EXPECT_GT(std::sqrt(AxisOnEarthMeasure(s)), 1 + s.l1) << "t " << t;
        }
    }
}

// A new Moon without an eclipse (6 January 2000) or a full Moon: no shadow on the Earth, a
// status and no crash; an unusable instant: no elements. Many at once on three threads give
// what one at a time gives, bad entries among them (to 1e-12: libnova's nutation moves in
// the last digits with the call before; a race between threads on libnova's static state
// shows as 1e-5 or more).
TEST(GlobalCircumstances, NoShadowAndBadInput) {
    const Global_Circumstances none = ComputeGlobalCircumstances(2451550.26, Engine_Options{});
    EXPECT_EQ(none.status, Global_Status::NoShadowOnEarth);
    EXPECT_TRUE(std::isnan(none.latitudeDeg));
    EXPECT_EQ(ComputeGlobalCircumstances(2451565.0, {}).status, Global_Status::NoShadowOnEarth);
    const std::vector<double> jdes = {2460409.26, NAN,       2451550.26, 2457987.27, INFINITY,
                                      2455000.0,  -INFINITY, 1e300,      -1e300,     2460409.26};
    const auto many = ComputeGlobalCircumstancesMany(jdes, Engine_Options{}, 3);
    ASSERT_EQ(many.size(), jdes.size());
    for (size_t i = 0; i < jdes.size(); ++i) {
        const Global_Circumstances one = ComputeGlobalCircumstances(jdes[i], Engine_Options{});
        EXPECT_EQ(one.status == Global_Status::NoElements, !(std::fabs(jdes[i]) < 1e7)) << i;
        EXPECT_EQ(many[i].status, one.status) << i;
        if (one.status == Global_Status::NoElements) continue;
        EXPECT_NEAR(many[i].greatestJde, one.greatestJde, 1e-12 * one.greatestJde) << i;
        EXPECT_NEAR(many[i].gamma, one.gamma, 1e-12) << i;
    }
}
