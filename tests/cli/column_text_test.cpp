// SPDX-License-Identifier: GPL-3.0-or-later
// The values of the precise columns as text, and the place of "velmor-cli local".
#include "cli/column_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cli/place_argument.h"
#include "geo/city.h"

namespace {

// Instants in Velmor's calendar: the Gregorian reform (4 October 1582 is followed by
// 15 October), years before AD 1 without a year 0, rounding to the tenth of a second across
// midnight, and JD 0 (noon of 1 January 4713 BC) and the day before it.
TEST(IsoUtText, WritesTheInstantInTheCivilCalendar) {
    const std::pair<double, const char*> cases[] = {
        {2451544.5 - 0.04 / 86400, "2000-01-01T00:00:00.0Z"},  // rounds up to midnight
        {2451544.5 - 0.06 / 86400, "1999-12-31T23:59:59.9Z"},
        {2299160.5 - 0.2 / 86400, "1582-10-04T23:59:59.8Z"},
        {2299160.5, "1582-10-15T00:00:00.0Z"},
        {1721423.5, "0001-01-01T00:00:00.0Z"},
        {1721423.5 - 1, "-0001-12-31T00:00:00.0Z"},
        {0.0, "-4713-01-01T12:00:00.0Z"},
        {-1.0, "-4714-12-31T12:00:00.0Z"},
        {5373484.5, "10000-01-01T00:00:00.0Z"},
    };
    for (const auto& [jd, text] : cases) EXPECT_EQ(IsoUtText(jd), text) << jd;
}

TEST(FixedText, FixedDecimalsNoNegativeZeroNothingForNotANumber) {
    const std::tuple<double, int, const char*> cases[] = {
        {1.23456, 4, "1.2346"}, {-0.00004, 4, "0.0000"}, {-0.00005001, 4, "-0.0001"},
        {NAN, 1, ""},           {-INFINITY, 2, ""},
    };
    for (const auto& [value, decimals, text] : cases) EXPECT_EQ(FixedText(value, decimals), text);
}

// Names are matched without regard to case, '_' standing for a blank: an exact name first,
// else the only name that begins so; anything else lists the candidates on one line.
TEST(FindCity, ExactThenOnlyBeginningElseCandidates) {
    const std::vector<City> cities = {
        {40.416, -3.703, "Madrid"},    {37.339, -121.895, "San_Jose"},
        {18.466, -66.106, "San_Juan"}, {40.714, -74.006, "New_York_City"},
        {-33.45, -70.65, "Santiago"},  {10.0, 10.0, "Sana"},
        {11.0, 11.0, "Sanaa"},         {90.0, 180.0, "North_Pole"},
    };
    const std::tuple<const char*, const char*, double, double> cases[] = {
        {"madrid", "", 40.416, -3.703},
        {"NEW YORK", "", 40.714, -74.006},
        {"sana", "", 10.0, 10.0},    // exact, though Sanaa begins so too
        {"north", "", 90.0, 180.0},  // kept within the ranges
        {"San J", "--city 'San J' names 2 cities: San Jose, San Juan", 0, 0},
        {"york", "--city: no city 'york' in the world data; did you mean New York City?", 0, 0},
        {"", "--city needs a city's name", 0, 0},
    };
    for (const auto& [name, error, latitude, longitude] : cases) {
        SCOPED_TRACE(name);
        besselian::Geodetic_Place place{1, 2, 3};
        std::string message;
        const bool found =
            FindCity(name, cities.data(), static_cast<int>(cities.size()), place, message);
        EXPECT_EQ(found, *error == '\0');
        if (found) {
            EXPECT_NEAR(place.latitudeDeg, latitude, 1e-5);
            EXPECT_NEAR(place.longitudeDeg, longitude, 1e-5);
            EXPECT_EQ(place.heightM, 0.0);
            EXPECT_TRUE(besselian::IsValidPlace(place));
        } else {
            EXPECT_EQ(message.rfind(error, 0), 0u) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos);
        }
    }
}

// A place is accepted whole, or refused with one line and left as it was.
TEST(ParsePlace, ReadsLatitudeLongitudeAndHeight) {
    const struct {
        const char* text;
        const char* error;  // "" when accepted
        double latitude = 7, longitude = 8, height = 9;
    } cases[] = {
        {"40.4,-3.7", "", 40.4, -3.7, 0},
        {"-90,180,9000", "", -90, 180, 9000},
        {"90,-180,-500", "", 90, -180, -500},
        {"90.0001,0", "--at: latitude '90.0001' is outside -90 to 90 degrees"},
        {"0,-180.0001", "--at: longitude '-180.0001' is outside -180 to 180 degrees"},
        {"0,0,-500.1", "--at: height '-500.1' is outside -500 to 9000 m"},
        {"nan,20", "--at wants LAT,LON or LAT,LON,HEIGHT_M (degrees, metres), not 'nan,20'"},
        {"10,20,30,40", "not '10,20,30,40'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        besselian::Geodetic_Place place{7, 8, 9};
        std::string error;
        EXPECT_EQ(ParsePlace(c.text, place, error), *c.error == '\0');
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        EXPECT_EQ(place.latitudeDeg, c.latitude);
        EXPECT_EQ(place.longitudeDeg, c.longitude);
        EXPECT_EQ(place.heightM, c.height);
    }
}

}  // namespace
