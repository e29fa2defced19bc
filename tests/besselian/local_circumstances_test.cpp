// Local circumstances: checked against an independent three-dimensional model of the Sun,
// the Moon and a turning flattened Earth, whose Besselian elements are exact low-degree
// polynomials; against its own rules (ΔT, robustness, bad input); and, in
// local_circumstances_reference_test.cpp, against published local circumstances.
#include "besselian/local_circumstances.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "local_checks.h"
#include "synthetic_eclipse.h"

namespace besselian {
namespace {

using test::AllFinite;
using test::Synthetic_Eclipse;
using test::Vec;

constexpr double SECONDS_PER_DAY = 86400.0;

// The synthetic eclipses of the tables (declination, Greenwich hour angle at t0, the axis's
// path, the Moon's and the Sun's distance from the fundamental plane in Earth radii).
Synthetic_Eclipse TotalNorthern() {
    Synthetic_Eclipse s;
    s.decDeg = 12.0;
    s.muAtT0Deg = 20.0;
    s.x0 = -0.05;
    s.xRate = 0.55;
    s.y0 = 0.25;
    s.yRate = -0.12;
    s.zMoon = 57.5;
    return s;
}
Synthetic_Eclipse AnnularSouthern() {
    Synthetic_Eclipse s;
    s.decDeg = -20.0;
    s.muAtT0Deg = 170.0;  // the axis over longitude -170 at t0: the antimeridian nearby
    s.x0 = 0.1;
    s.xRate = 0.5;
    s.y0 = -0.35;
    s.yRate = 0.15;
    s.zMoon = 62.0;
    return s;
}
Synthetic_Eclipse PartialArctic() {
    Synthetic_Eclipse s;
    s.decDeg = 20.0;
    s.muAtT0Deg = -60.0;
    s.x0 = 0.0;
    s.xRate = 0.58;
    s.y0 = 1.05;
    s.yRate = 0.05;
    s.zMoon = 58.5;
    return s;
}
Synthetic_Eclipse PartialAntarctic() {
    Synthetic_Eclipse s;
    s.decDeg = -22.0;
    s.muAtT0Deg = 100.0;
    s.x0 = 0.0;
    s.xRate = 0.6;
    s.y0 = -1.0;
    s.yRate = -0.04;
    s.zMoon = 58.0;
    return s;
}

double Seconds(double jdA, double jdB) {
    return (jdA - jdB) * SECONDS_PER_DAY;
}

double AngleDiffDeg(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    return d;
}

struct Place_Row {
    const char* label;
    Synthetic_Eclipse (*eclipse)();
    // A fixed place, or (centralAtHours finite) the point under the axis at that instant
    // moved northwards by northKm.
    double latitudeDeg, longitudeDeg, heightM;
    double centralAtHours;
    double northKm;
    Local_Type type;
};

Geodetic_Place PlaceOf(const Place_Row& row, const Synthetic_Eclipse& s) {
    if (std::isnan(row.centralAtHours)) {
        return {row.latitudeDeg, row.longitudeDeg, row.heightM};
    }
    Geodetic_Place p = s.PlaceUnderAxis(row.centralAtHours);
    p.latitudeDeg += row.northKm / 111.0;
    p.heightM = row.heightM;
    return p;
}

// Tolerances against the three-dimensional model: contacts 0.02 s (both sides converge to
// 0.01 s), maximum 0.05 s, magnitude 2e-4, obscuration 1e-3 (the model integrates on a
// grid), altitudes and azimuth 0.001 deg, position angles 0.01 deg.
const Place_Row kPlaces[] = {
    {"total, on the central line, high Sun", TotalNorthern, 0, 0, 0, 0.0, 0.0, Local_Type::Total},
    {"total, on the central line, 9000 m", TotalNorthern, 0, 0, 9000, 0.5, 0.0, Local_Type::Total},
    {"total, near the edge of the path", TotalNorthern, 0, 0, 0, -0.5, 30.0, Local_Type::Total},
    {"partial, 500 km north of the path", TotalNorthern, 0, 0, 0, 0.0, 500.0, Local_Type::Partial},
    {"partial, low Sun in the morning", TotalNorthern, 40, -95, 0, NAN, 0, Local_Type::Partial},
    {"partial, low Sun in the evening", TotalNorthern, 15, 60, 200, NAN, 0, Local_Type::Partial},
    {"none, far to the south", TotalNorthern, -60, -20, 0, NAN, 0, Local_Type::None},
    {"annular, central, -500 m", AnnularSouthern, 0, 0, -500, 0.0, 0.0, Local_Type::Annular},
    {"annular, central, late", AnnularSouthern, 0, 0, 0, 1.5, 0.0, Local_Type::Annular},
    {"partial on the antimeridian, east", AnnularSouthern, -30, 180, 0, NAN, 0,
     Local_Type::Partial},
    {"partial on the antimeridian, west", AnnularSouthern, -30, -180, 0, NAN, 0,
     Local_Type::Partial},
    {"partial at the north pole", PartialArctic, 90, 0, 0, NAN, 0, Local_Type::Partial},
    {"partial at the north pole, 9000 m", PartialArctic, 90, 120, 9000, NAN, 0,
     Local_Type::Partial},
    {"partial at the south pole", PartialAntarctic, -90, 0, 2800, NAN, 0, Local_Type::Partial},
};

TEST(LocalCircumstances, AgreesWithThreeDimensionalModel) {
    for (const Place_Row& row : kPlaces) {
        SCOPED_TRACE(row.label);
        const Synthetic_Eclipse s = row.eclipse();
        const Besselian_Elements e = s.Elements();
        const Geodetic_Place place = PlaceOf(row, s);
        const Local_Circumstances lc = ComputeLocalCircumstances(e, place);
        const test::Model_Circumstances m = s.Observe(place);

        ASSERT_EQ(lc.type, row.type);
        ASSERT_EQ(m.type, row.type);
        if (row.type == Local_Type::None) {
            EXPECT_EQ(lc.status, Local_Status::NoEclipse);
            EXPECT_FALSE(lc.c1.defined || lc.c4.defined || lc.maximum.defined);
            continue;
        }
        ASSERT_EQ(lc.status, Local_Status::Ok);
        const Contact* ours[4] = {&lc.c1, &lc.c2, &lc.c3, &lc.c4};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE("contact " + std::to_string(i + 1));
            ASSERT_EQ(ours[i]->defined, m.contactDefined[i]);
            if (!m.contactDefined[i]) continue;
            EXPECT_NEAR(Seconds(ours[i]->jdUt, m.contactJdUt[i]), 0.0, 0.02);
            EXPECT_NEAR(ours[i]->sunAltitudeDeg, m.contactAltitudeDeg[i], 0.001);
            EXPECT_NEAR(AngleDiffDeg(ours[i]->positionAngleDeg, m.contactPositionAngleDeg[i]), 0.0,
                        0.01);
        }
        EXPECT_NEAR(Seconds(lc.maximum.jdUt, m.maximumJdUt), 0.0, 0.05);
        EXPECT_NEAR(lc.maximum.sunAltitudeDeg, m.maximumAltitudeDeg, 0.001);
        EXPECT_NEAR(AngleDiffDeg(lc.sunAzimuthMaxDeg, m.maximumAzimuthDeg), 0.0, 0.001);
        EXPECT_NEAR(lc.magnitude, m.magnitude, 2e-4);
        EXPECT_NEAR(lc.obscuration, m.obscuration, 1e-3);
        if (m.contactDefined[1] && m.contactDefined[2]) {
            ASSERT_TRUE(lc.centralDurationDefined);
            EXPECT_NEAR(lc.centralDurationS, Seconds(m.contactJdUt[2], m.contactJdUt[1]), 0.04);
        }
    }
}

// The maximum is the least topocentric separation, not the least distance from the axis in
// the fundamental plane: with a low Sun in a shallow partial phase they lie seconds apart.
TEST(LocalCircumstances, MaximumIsTheLeastApparentSeparation) {
    const Synthetic_Eclipse s = TotalNorthern();
    const Geodetic_Place place{40.0, 40.0, 0.0};  // magnitude 0.07, Sun 17 deg high
    const Local_Circumstances lc = ComputeLocalCircumstances(s.Elements(), place);
    ASSERT_EQ(lc.status, Local_Status::Ok);
    const double axisJd = s.LeastAxisDistanceJdUt(place);
    EXPECT_GT(std::fabs(Seconds(lc.maximum.jdUt, axisJd)), 5.0);
    EXPECT_NEAR(Seconds(lc.maximum.jdUt, s.Observe(place).maximumJdUt), 0.0, 0.05);
}

// A ΔT other than the elements' gives what elements reckoned with that ΔT give.
TEST(LocalCircumstances, DeltaTOverrideMatchesElementsOfThatDeltaT) {
    struct Row {
        const char* label;
        double elementsDeltaT, overrideDeltaT;
    } rows[] = {{"+10 s", 60.0, 70.0}, {"-45 s", 69.2, 24.2}, {"+1 hour", 100.0, 3700.0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        Synthetic_Eclipse s = TotalNorthern();
        s.deltaTSeconds = row.elementsDeltaT;
        const Besselian_Elements original = s.Elements();
        s.deltaTSeconds = row.overrideDeltaT;
        const Besselian_Elements recomputed = s.Elements();
        const Geodetic_Place place = s.PlaceUnderAxis(0.3);
        Local_Options options;
        options.deltaTSeconds = row.overrideDeltaT;
        const Local_Circumstances a = ComputeLocalCircumstances(original, place, options);
        const Local_Circumstances b = ComputeLocalCircumstances(recomputed, place);
        ASSERT_EQ(a.status, Local_Status::Ok);
        ASSERT_EQ(a.type, b.type);
        EXPECT_EQ(a.deltaTSeconds, row.overrideDeltaT);
        EXPECT_EQ(b.deltaTSeconds, row.overrideDeltaT);
        EXPECT_NEAR(Seconds(a.c1.jdUt, b.c1.jdUt), 0.0, 0.01);
        EXPECT_NEAR(Seconds(a.c2.jdUt, b.c2.jdUt), 0.0, 0.01);
        EXPECT_NEAR(Seconds(a.maximum.jdUt, b.maximum.jdUt), 0.0, 0.01);
        EXPECT_NEAR(Seconds(a.c4.jdUt, b.c4.jdUt), 0.0, 0.01);
        EXPECT_NEAR(a.maximum.sunAltitudeDeg, b.maximum.sunAltitudeDeg, 1e-4);
    }
}

// Every place of every synthetic eclipse on a coarse grid (poles, antimeridian, lowest and
// highest heights included): defined, finite, ordered results whose horizon fields agree
// with the altitudes at the contacts.
TEST(LocalCircumstances, GridOfPlacesGivesFiniteOrderedResults) {
    Synthetic_Eclipse (*eclipses[])() = {TotalNorthern, AnnularSouthern, PartialArctic,
                                         PartialAntarctic};
    int eclipsed = 0, risen = 0, set = 0, hidden = 0;
    for (auto make : eclipses) {
        const Besselian_Elements e = make().Elements();
        for (double lat = -90.0; lat <= 90.0; lat += 7.5) {
            for (double lon = -180.0; lon <= 180.0; lon += 7.5) {
                for (double height : {PLACE_MIN_HEIGHT_M, PLACE_MAX_HEIGHT_M}) {
                    const Local_Circumstances lc = ComputeLocalCircumstances(e, {lat, lon, height});
                    SCOPED_TRACE(std::to_string(lat) + " " + std::to_string(lon) + " " +
                                 std::to_string(height));
                    ASSERT_TRUE(AllFinite(lc));
                    if (lc.status == Local_Status::NoEclipse) continue;
                    ASSERT_EQ(lc.status, Local_Status::Ok);
                    ++eclipsed;
                    ASSERT_TRUE(lc.c1.defined && lc.c4.defined && lc.maximum.defined);
                    EXPECT_LT(lc.c1.jdUt, lc.maximum.jdUt);
                    EXPECT_LT(lc.maximum.jdUt, lc.c4.jdUt);
                    EXPECT_GT(lc.magnitude, 0.0);
                    const bool startsDown = lc.c1.sunAltitudeDeg < SUNRISE_ALTITUDE_DEG;
                    const bool endsDown = lc.c4.sunAltitudeDeg < SUNRISE_ALTITUDE_DEG;
                    if (startsDown && !endsDown) {
                        EXPECT_TRUE(lc.sunrise.defined);
                    }
                    if (!startsDown && endsDown) {
                        EXPECT_TRUE(lc.sunset.defined);
                    }
                    if (lc.sunrise.defined) {
                        ++risen;
                        EXPECT_NEAR(lc.sunrise.sunAltitudeDeg, SUNRISE_ALTITUDE_DEG, 1e-4);
                        EXPECT_GT(lc.sunrise.jdUt, lc.c1.jdUt);
                        EXPECT_LT(lc.sunrise.jdUt, lc.c4.jdUt);
                    }
                    if (lc.sunset.defined) {
                        ++set;
                        EXPECT_NEAR(lc.sunset.sunAltitudeDeg, SUNRISE_ALTITUDE_DEG, 1e-4);
                    }
                    if (!IsVisible(lc)) {
                        ++hidden;
                        EXPECT_TRUE(startsDown && endsDown);
                        EXPECT_FALSE(lc.sunrise.defined || lc.sunset.defined);
                    }
                }
            }
        }
    }
    // The grid must reach every branch, or it proves nothing about them.
    EXPECT_GT(eclipsed, 100);
    EXPECT_GT(risen, 5);
    EXPECT_GT(set, 5);
    EXPECT_GT(hidden, 5);
}

// Places on the sunrise and sunset terminators at t0 (the Sun's centre at -0.833 deg there
// then), every 5 degrees of latitude: the eclipse grazes their horizon. Where the Sun
// crosses the horizon between C1 and C4, the crossing is given, at -0.833 deg within
// 1e-4 deg, and it lies between the contacts.
TEST(LocalCircumstances, HorizonGrazingPlaces) {
    Synthetic_Eclipse (*eclipses[])() = {TotalNorthern, AnnularSouthern, PartialArctic,
                                         PartialAntarctic};
    int grazed = 0;
    for (auto make : eclipses) {
        const Synthetic_Eclipse s = make();
        const Besselian_Elements e = s.Elements();
        const double d = s.decDeg * Synthetic_Eclipse::kDeg;
        for (double lat = -85.0; lat <= 85.0; lat += 5.0) {
            const double phi = lat * Synthetic_Eclipse::kDeg;
            const double cosH = (std::sin(SUNRISE_ALTITUDE_DEG * Synthetic_Eclipse::kDeg) -
                                 std::sin(phi) * std::sin(d)) /
                                (std::cos(phi) * std::cos(d));
            if (std::fabs(cosH) > 1.0) continue;  // no sunrise that day
            for (double side : {-1.0, 1.0}) {
                double lon = side * std::acos(cosH) / Synthetic_Eclipse::kDeg - s.MuDeg(0.0);
                lon = std::remainder(lon, 360.0);
                const Geodetic_Place place{lat, lon, 0.0};
                SCOPED_TRACE(std::to_string(lat) + " " + std::to_string(lon));
                EXPECT_NEAR(SunHorizontal(e, place, 0.0).altitudeDeg, SUNRISE_ALTITUDE_DEG, 1e-6);
                const Local_Circumstances lc = ComputeLocalCircumstances(e, place);
                ASSERT_TRUE(AllFinite(lc));
                if (lc.status != Local_Status::Ok) continue;
                const bool crosses = (lc.c1.sunAltitudeDeg < SUNRISE_ALTITUDE_DEG) !=
                                     (lc.c4.sunAltitudeDeg < SUNRISE_ALTITUDE_DEG);
                const Local_Instant& cut = side > 0 ? lc.sunset : lc.sunrise;
                EXPECT_EQ(crosses, lc.sunrise.defined || lc.sunset.defined);
                if (!cut.defined) continue;
                ++grazed;
                EXPECT_NEAR(cut.sunAltitudeDeg, SUNRISE_ALTITUDE_DEG, 1e-4);
                EXPECT_GT(cut.jdUt, lc.c1.jdUt);
                EXPECT_LT(cut.jdUt, lc.c4.jdUt);
                EXPECT_TRUE(IsVisible(lc));
            }
        }
    }
    EXPECT_GT(grazed, 10);
}

// Totality seen only in part above the horizon still counts as totality seen; totality
// wholly below it leaves a partial phase or nothing.
TEST(LocalCircumstances, TypeSeenFollowsTheHorizon) {
    const Synthetic_Eclipse s = TotalNorthern();
    const Besselian_Elements e = s.Elements();
    int totalSeen = 0, totalNotSeen = 0;
    for (double t = e.tMinHours; t <= e.tMaxHours; t += 0.05) {
        const Geodetic_Place place = s.PlaceUnderAxis(t);
        if (!IsValidPlace(place)) continue;
        const Local_Circumstances lc = ComputeLocalCircumstances(e, place);
        if (lc.type != Local_Type::Total) continue;
        SCOPED_TRACE(t);
        const bool totalityUp =
            std::max(lc.c2.sunAltitudeDeg, lc.c3.sunAltitudeDeg) >= SUNRISE_ALTITUDE_DEG;
        const bool anyUp =
            std::max(lc.c1.sunAltitudeDeg, lc.c4.sunAltitudeDeg) >= SUNRISE_ALTITUDE_DEG ||
            lc.maximum.sunAltitudeDeg >= SUNRISE_ALTITUDE_DEG;
        if (totalityUp) {
            ++totalSeen;
            EXPECT_EQ(lc.typeSeen, Local_Type::Total);
        } else {
            ++totalNotSeen;
            EXPECT_EQ(lc.typeSeen, anyUp ? Local_Type::Partial : Local_Type::None);
        }
    }
    EXPECT_GT(totalSeen, 10);
}

TEST(LocalCircumstances, RefusesBadInput) {
    const Besselian_Elements good = TotalNorthern().Elements();
    struct Row {
        const char* label;
        Geodetic_Place place;
        Local_Status status;
    } places[] = {
        {"latitude above 90", {90.01, 0, 0}, Local_Status::BadPlace},
        {"latitude below -90", {-91, 0, 0}, Local_Status::BadPlace},
        {"longitude above 180", {0, 180.5, 0}, Local_Status::BadPlace},
        {"longitude below -180", {0, -181, 0}, Local_Status::BadPlace},
        {"height below -500 m", {0, 0, -501}, Local_Status::BadPlace},
        {"height above 9000 m", {0, 0, 9001}, Local_Status::BadPlace},
        {"latitude not a number", {NAN, 0, 0}, Local_Status::BadPlace},
        {"longitude infinite", {0, INFINITY, 0}, Local_Status::BadPlace},
    };
    for (const Row& row : places) {
        SCOPED_TRACE(row.label);
        const Local_Circumstances lc = ComputeLocalCircumstances(good, row.place);
        EXPECT_EQ(lc.status, row.status);
        EXPECT_FALSE(lc.c1.defined || lc.maximum.defined);
        EXPECT_TRUE(AllFinite(lc));
    }
    struct Bad_Elements {
        const char* label;
        void (*spoil)(Besselian_Elements&);
    } spoils[] = {
        {"tan f1 zero", [](Besselian_Elements& e) { e.tanF1 = 0.0; }},
        {"tan f2 negative", [](Besselian_Elements& e) { e.tanF2 = -0.004; }},
        {"x not a number", [](Besselian_Elements& e) { e.x.c[1] = NAN; }},
        {"empty interval", [](Besselian_Elements& e) { e.tMaxHours = e.tMinHours; }},
    };
    for (const Bad_Elements& row : spoils) {
        SCOPED_TRACE(row.label);
        Besselian_Elements e = good;
        row.spoil(e);
        const Local_Circumstances lc = ComputeLocalCircumstances(e, {45, 0, 0});
        EXPECT_EQ(lc.status, Local_Status::BadElements);
        EXPECT_TRUE(AllFinite(lc));
    }
}

// A place that the penumbra still covers at the end of the elements' interval has no C4
// there, and says so.
TEST(LocalCircumstances, ContactBeyondTheIntervalIsUndefined) {
    const Synthetic_Eclipse s = TotalNorthern();
    Besselian_Elements e = s.Elements();
    const Geodetic_Place place = s.PlaceUnderAxis(0.0);
    const Local_Circumstances full = ComputeLocalCircumstances(e, place);
    ASSERT_TRUE(full.c4.defined);
    e.tMaxHours = (full.c3.jdUt - e.t0Jde + e.deltaTSeconds / SECONDS_PER_DAY) * 24.0 + 0.2;
    const Local_Circumstances cut = ComputeLocalCircumstances(e, place);
    EXPECT_EQ(cut.status, Local_Status::OutsideInterval);
    EXPECT_TRUE(cut.c1.defined && cut.c3.defined);
    EXPECT_FALSE(cut.c4.defined);
    EXPECT_NEAR(Seconds(cut.c3.jdUt, full.c3.jdUt), 0.0, 0.01);
    EXPECT_TRUE(AllFinite(cut));
}

}  // namespace
}  // namespace besselian
