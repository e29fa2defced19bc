#include "besselian/ut_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace besselian;

// label, Julian Day (UT), text
TEST(UtText, IsoTextWithTenths) {
    const std::tuple<const char*, double, const char*> cases[] = {
        {"canon 2024-04-08 greatest (UT)", 2460409.261979, "2024-04-08T18:17:15.0Z"},
        {"J2000", 2451545.0, "2000-01-01T12:00:00.0Z"},
        {"rounds to the tenth", 2451545.0 + 0.04 / 86400, "2000-01-01T12:00:00.0Z"},
        {"rounds up to the tenth", 2451545.0 + 0.06 / 86400, "2000-01-01T12:00:00.1Z"},
        {"rounds up into the next day", 2451544.5 - 0.04 / 86400, "2000-01-01T00:00:00.0Z"},
        {"last Julian day", 2299159.5, "1582-10-04T00:00:00.0Z"},
        {"first Gregorian day", 2299160.5, "1582-10-15T00:00:00.0Z"},
        // 03:14:51 TD on 12 June 2000 BC less 46438 s.
        {"canon 2000 BC (astronomical -1999)", 991085.097836, "-1999-06-11T14:20:53.0Z"},
        {"year 0 = 1 BC", 1721057.5, "0000-01-01T00:00:00.0Z"},
    };
    for (const auto& [label, jd, text] : cases) EXPECT_EQ(IsoUtText(jd), text) << label;
    EXPECT_EQ(IsoUtText(NAN), "");
    EXPECT_EQ(IsoUtText(-1), "");
    EXPECT_EQ(IsoUtText(1e300), "");
}
