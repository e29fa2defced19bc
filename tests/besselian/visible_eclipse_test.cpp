// The search for the next or previous eclipse seen from a place: it stops at the first of
// the lunation search's eclipses that the place sees and passes over the others.
#include "besselian/visible_eclipse.h"

#include <gtest/gtest.h>

#include "tests/besselian/test_support.h"

namespace besselian {
namespace {

TEST(VisibleEclipse, StopsAtTheFirstEclipseSeenAndSkipsTheOthers) {
    struct Row {
        const char* label;
        Geodetic_Place place;
        int year;
        bool forward;
    } rows[] = {
        {"Madrid, forward from 2026", {40.4168, -3.7038, 667.0}, 2026, true},
        {"north pole, forward from 2000", {90.0, 0.0, 0.0}, 2000, true},
        {"antimeridian, backward from 2020", {-17.0, 180.0, 0.0}, 2020, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const double start = JDFromDateTime(row.year, 1, 1, 0, 0, 0);
        Visible_Eclipse found;
        ASSERT_TRUE(FindVisibleEclipse(row.forward, start, row.place, Engine_Options{}, 60, found));
        EXPECT_TRUE(IsVisible(found.local));
        EXPECT_TRUE(row.forward ? found.jde >= start : found.jde <= start);
        // Every eclipse of the lunation search between the start and the one found is not
        // seen from the place.
        double from = start;
        int skipped = 0;
        for (;;) {
            const double jde = test::LunationJde(row.year, from, row.forward);
            if (jde == found.jde) break;
            ASSERT_TRUE(row.forward ? jde < found.jde : jde > found.jde);
            Besselian_Elements e;
            const bool elements = ComputeElements(jde, {}, e);
            EXPECT_FALSE(elements && IsVisible(ComputeLocalCircumstances(e, row.place))) << jde;
            ++skipped;
            from = row.forward ? jde + 1.0 : jde - 1.0;
        }
        EXPECT_LT(skipped, 60);
    }
}

TEST(VisibleEclipse, GivesUpOnABadPlaceOrWhenNoneIsSeenInTime) {
    Visible_Eclipse found;
    const double start = JDFromDateTime(2026, 1, 1, 0, 0, 0);
    EXPECT_FALSE(FindVisibleEclipse(true, start, {91.0, 0.0, 0.0}, Engine_Options{}, 60, found));
    EXPECT_FALSE(FindVisibleEclipse(true, start, {40.0, 0.0, 0.0}, Engine_Options{}, 0, found));
}

}  // namespace
}  // namespace besselian
