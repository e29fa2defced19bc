// SPDX-License-Identifier: GPL-3.0-or-later
// Local circumstances against an independent three-dimensional model of the scene
// (synthetic_eclipse.h), and their own rules: ΔT and bad input.
#include "besselian/local_circumstances.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/besselian/synthetic_eclipse.h"
#include "tests/besselian/test_support.h"

namespace besselian {
namespace {

using test::Synthetic_Eclipse;

// A total eclipse, an annular one with the antimeridian under the axis near t0, and a
// partial one reaching the north pole: the axis' declination and hour angle, x, x', y, y',
// the Moon's height above the fundamental plane.
const Synthetic_Eclipse kTotal{12, 20, -0.05, 0.55, 0.25, -0.12, 57.5};
const Synthetic_Eclipse kAnnular{-20, 170, 0.1, 0.5, -0.35, 0.15, 62.0};
const Synthetic_Eclipse kArctic{20, -60, 0.0, 0.58, 1.05, 0.05, 58.5};

// What the published tables leave out, against the model: contacts 0.02 s (both converge to
// 0.01 s), altitudes 0.001 deg, position angles 0.01 deg (towards the Moon's centre, or
// opposite it inside a larger Moon).
TEST(LocalCircumstances, AgreesWithThreeDimensionalModel) {
    struct Row {
        const char* label;
        const Synthetic_Eclipse& eclipse;
        Geodetic_Place place;  // latitude NaN: the place under the axis at t0
        Local_Type type;
    } rows[] = {
        {"total, central", kTotal, {NAN, 0, 0}, Local_Type::Total},
        {"annular, central, -500 m", kAnnular, {NAN, 0, -500}, Local_Type::Annular},
        {"antimeridian, east", kAnnular, {-30, 180, 0}, Local_Type::Partial},
        {"north pole, 9000 m", kArctic, {90, 120, 9000}, Local_Type::Partial},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const Synthetic_Eclipse& s = row.eclipse;
        Geodetic_Place place = row.place;
        if (std::isnan(place.latitudeDeg)) {
            place = test::UnderAxis(s.Elements(), 0.0);
            place.heightM = row.place.heightM;
        }
        const Local_Circumstances lc = ComputeLocalCircumstances(s.Elements(), place);
        const test::Model_Circumstances m = s.Observe(place);
        ASSERT_EQ(m.type, row.type);
        ASSERT_EQ(lc.type, row.type);
        ASSERT_EQ(lc.status == Local_Status::Ok, row.type != Local_Type::None);
        EXPECT_TRUE(test::FiniteAndOrdered(lc));
        const Contact* ours[4] = {&lc.c1, &lc.c2, &lc.c3, &lc.c4};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i + 1);  // the contact
            ASSERT_EQ(ours[i]->defined, !std::isnan(m.contact[i]));
            if (!ours[i]->defined) continue;
            EXPECT_NEAR((ours[i]->jdUt - s.JdUt(m.contact[i])) * 86400, 0, 0.02);
            EXPECT_NEAR(ours[i]->sunAltitudeDeg, m.contactAltitudeDeg[i], 0.001);
            EXPECT_NEAR(std::remainder(ours[i]->positionAngleDeg - m.positionAngleDeg[i], 360), 0,
                        0.01);
        }
    }
}

// A ΔT other than the elements' gives what elements reckoned with that ΔT give (0.01 s).
TEST(LocalCircumstances, DeltaTOverrideMatchesElementsOfThatDeltaT) {
    Synthetic_Eclipse s = kTotal;
    s.deltaTSeconds = 100.0;
    const Besselian_Elements original = s.Elements();
    s.deltaTSeconds = 3700.0;
    Local_Options options;
    options.deltaTSeconds = 3700.0;
    const Geodetic_Place place = test::UnderAxis(s.Elements(), 0.3);
    const Local_Circumstances a = ComputeLocalCircumstances(original, place, options);
    const Local_Circumstances b = ComputeLocalCircumstances(s.Elements(), place);
    ASSERT_EQ(a.type, Local_Type::Total);
    EXPECT_EQ(a.deltaTSeconds, 3700.0);
    const Local_Instant* as[] = {&a.c1, &a.c2, &a.maximum, &a.c3, &a.c4};
    const Local_Instant* bs[] = {&b.c1, &b.c2, &b.maximum, &b.c3, &b.c4};
    for (int i = 0; i < 5; ++i) EXPECT_NEAR((as[i]->jdUt - bs[i]->jdUt) * 86400, 0, 0.01) << i;
}

TEST(LocalCircumstances, RefusesBadInput) {
    const Besselian_Elements good = kTotal.Elements();
    const Geodetic_Place badPlaces[] = {
        {90.01, 0, 0}, {0, -180.01, 0}, {0, 0, -501}, {0, 0, 9001}, {NAN, 0, 0}};
    for (const Geodetic_Place& p : badPlaces) {
        const Local_Circumstances lc = ComputeLocalCircumstances(good, p);
        EXPECT_EQ(lc.status, Local_Status::BadPlace) << p.latitudeDeg << " " << p.longitudeDeg;
        EXPECT_TRUE(test::FiniteAndOrdered(lc) && !lc.c1.defined && !lc.maximum.defined);
    }
    void (*spoils[])(Besselian_Elements&) = {
        [](Besselian_Elements& e) { e.tanF1 = 0.0; },
        [](Besselian_Elements& e) { e.x.c[1] = NAN; },
    };
    for (auto spoil : spoils) {
        Besselian_Elements e = good;
        spoil(e);
        const Local_Circumstances lc = ComputeLocalCircumstances(e, {45, 0, 0});
        EXPECT_EQ(lc.status, Local_Status::BadElements);
        EXPECT_TRUE(test::FiniteAndOrdered(lc));
    }
}

}  // namespace
}  // namespace besselian
