// Local circumstances on the precise engine's elements of real eclipses: consistent with
// the geometry of the shadow's path, and defined everywhere on the Earth.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/calendar.h"
#include "astro/eclipse_search.h"
#include "besselian/elements_fit.h"
#include "besselian/local_circumstances.h"
#include "local_checks.h"
#include "synthetic_eclipse.h"

namespace besselian {
namespace {

struct Eclipse_Row {
    const char* label;
    int year, month, day;  // the eclipse's date; the lunation search starts two days before
};
const Eclipse_Row kEclipses[] = {
    {"total 2001-06-21", 2001, 6, 21},    {"annular 2005-10-03", 2005, 10, 3},
    {"annular 2012-05-20", 2012, 5, 20},  {"total 2017-08-21", 2017, 8, 21},
    {"annular 2023-10-14", 2023, 10, 14}, {"total 2024-04-08", 2024, 4, 8},
    {"hybrid 2023-04-20", 2023, 4, 20},   {"partial 2022-10-25", 2022, 10, 25},
};

Besselian_Elements ElementsOf(const Eclipse_Row& row) {
    double jde = 0.0, magnitude = 0.0;
    uint16_t type = 0;
    FindEclipse(1, static_cast<int16_t>(row.year),
                JDFromDateTime(row.year, row.month, row.day, 0, 0, 0) - 2.0, jde, type, magnitude);
    Besselian_Elements e;
    EXPECT_TRUE(ComputeElements(jde, Engine_Options{}, e));
    return e;
}

// On the central line with the Sun above 30 deg, C2 and C3 lie symmetric about the maximum
// within 1 s. Places under the axis every 0.1 h.
TEST(LocalCircumstancesOnElements, CentralPhaseSymmetricOnTheCentralLine) {
    int checked = 0;
    for (const Eclipse_Row& row : kEclipses) {
        SCOPED_TRACE(row.label);
        const Besselian_Elements e = ElementsOf(row);
        for (double t = e.tMinHours; t <= e.tMaxHours; t += 0.1) {
            const Geodetic_Place place =
                test::PlaceUnderAxisOf(e.x(t), e.y(t), e.dDeg(t), e.muDeg(t));
            if (std::isnan(place.latitudeDeg)) continue;
            const Local_Circumstances lc = ComputeLocalCircumstances(e, place);
            if (!(lc.maximum.defined && lc.maximum.sunAltitudeDeg > 30.0)) continue;
            SCOPED_TRACE(t);
            ASSERT_TRUE(lc.c2.defined && lc.c3.defined);
            EXPECT_TRUE(lc.type == Local_Type::Total || lc.type == Local_Type::Annular);
            EXPECT_NEAR((0.5 * (lc.c2.jdUt + lc.c3.jdUt) - lc.maximum.jdUt) * 86400.0, 0.0, 1.0);
            ++checked;
        }
    }
    EXPECT_GT(checked, 60);
}

// Poles, antimeridian, lowest and highest places, and places where the central phase
// grazes the horizon (the ends of the central line): defined, finite, ordered results.
TEST(LocalCircumstancesOnElements, DefinedEverywhere) {
    const Geodetic_Place kPlaces[] = {
        {90.0, 0.0, 0.0},         {90.0, 180.0, 9000.0}, {-90.0, 0.0, 2835.0},
        {-90.0, -45.0, -500.0},   {0.0, 180.0, 0.0},     {0.0, -180.0, 0.0},
        {65.0, 180.0, 0.0},       {-65.0, -180.0, 0.0},  {31.5, 35.5, -430.0},
        {27.988, 86.925, 8848.0},
    };
    int eclipsed = 0, grazing = 0;
    for (const Eclipse_Row& row : kEclipses) {
        SCOPED_TRACE(row.label);
        const Besselian_Elements e = ElementsOf(row);
        for (const Geodetic_Place& place : kPlaces) {
            SCOPED_TRACE(std::to_string(place.latitudeDeg) + " " +
                         std::to_string(place.longitudeDeg));
            const Local_Circumstances lc = ComputeLocalCircumstances(e, place);
            ASSERT_TRUE(test::AllFinite(lc));
            ASSERT_TRUE(lc.status == Local_Status::Ok || lc.status == Local_Status::NoEclipse);
            EXPECT_TRUE(test::Ordered(lc));
            if (lc.status == Local_Status::Ok) ++eclipsed;
        }
        // The first and last places under the axis: the Sun on their horizon.
        double first = NAN, last = NAN;
        for (double t = e.tMinHours; t <= e.tMaxHours; t += 0.001) {
            if (std::isnan(
                    test::PlaceUnderAxisOf(e.x(t), e.y(t), e.dDeg(t), e.muDeg(t)).latitudeDeg)) {
                continue;
            }
            if (std::isnan(first)) first = t;
            last = t;
        }
        if (std::isnan(first)) continue;  // not central
        for (double t : {first, last}) {
            const Geodetic_Place place =
                test::PlaceUnderAxisOf(e.x(t), e.y(t), e.dDeg(t), e.muDeg(t));
            const Local_Circumstances lc = ComputeLocalCircumstances(e, place);
            SCOPED_TRACE(t);
            ASSERT_TRUE(test::AllFinite(lc));
            ASSERT_EQ(lc.status, Local_Status::Ok);
            EXPECT_TRUE(test::Ordered(lc));
            // The place's own maximum comes a few minutes from the axis's touch: within
            // 2.5 deg of the horizon.
            EXPECT_NEAR(lc.maximum.sunAltitudeDeg, 0.0, 2.5);
            EXPECT_TRUE(lc.sunrise.defined || lc.sunset.defined);
            ++grazing;
        }
    }
    EXPECT_GT(eclipsed, 10);
    EXPECT_GE(grazing, 12);
}

}  // namespace
}  // namespace besselian
