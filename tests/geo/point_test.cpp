#include "geo/point.h"

#include <gtest/gtest.h>

#include <string>

#include "astro/angles.h"
#include "geo/named_point.h"
#include "platform/fatal.h"

namespace {

const double PI = AngleConstants().PI;

TEST(Point, DefaultIsTheNorthPoleAtLongitudeZero) {
    Point p;
    EXPECT_EQ(p.colatitude, 0.0f);
    EXPECT_EQ(p.longitude, 0.0f);
    EXPECT_EQ(sizeof(Point), 8u);
}

struct GeoCase {
    const char* label;
    double latitude, longitude;
    float colatitude, longitudeRad;
};

TEST(Point, SetGeoStoresColatitudeAndLongitudeAsFloats) {
    const GeoCase cases[] = {
        {"North Pole", 90.0, 0.0, 0.0f, 0.0f},
        {"South Pole at 180", -90.0, 180.0, static_cast<float>(PI), static_cast<float>(PI)},
        {"western longitude stays negative", 0.0, -30.0, static_cast<float>(PI / 2),
         static_cast<float>(-PI / 6)},
        {"latitude beyond the pole gives a negative colatitude", 100.0, 0.0,
         static_cast<float>(-10.0 * PI / 180.0), 0.0f},
        {"longitude not normalised", 0.0, 370.0, static_cast<float>(PI / 2),
         static_cast<float>(370.0 * PI / 180.0)},
    };
    for (const GeoCase& c : cases) {
        SCOPED_TRACE(c.label);
        Point p;
        p.SetGeo(c.latitude, c.longitude);
        EXPECT_FLOAT_EQ(p.colatitude, c.colatitude);
        EXPECT_FLOAT_EQ(p.longitude, c.longitudeRad);
        Point q(c.latitude, c.longitude);
        EXPECT_EQ(q.colatitude, p.colatitude);
        EXPECT_EQ(q.longitude, p.longitude);
    }
}

TEST(Point, SetGeoOfTheNorthPoleIsExactlyZero) {
    Point p(90.0, 0.0);
    EXPECT_EQ(p.colatitude, 0.0f);
}

TEST(Point, SetRadiansStoresTheValuesAsGiven) {
    Point p;
    p.SetRadians(1.25, -7.5);
    EXPECT_EQ(p.colatitude, 1.25f);
    EXPECT_EQ(p.longitude, -7.5f);
    Point q;
    q = p;
    EXPECT_EQ(q.colatitude, 1.25f);
    EXPECT_EQ(q.longitude, -7.5f);
}

TEST(NamedPoint, DefaultHasAnEmptyName) {
    Named_Point p;
    EXPECT_STREQ(p.name, "");
    EXPECT_EQ(p.colatitude, 0.0f);
}

struct NameCase {
    const char* label;
    std::string source;
    std::string stored;
};

const NameCase kNames[] = {
    {"underscores become blanks", "New_York", "New York"},
    {"plain name", "Oslo", "Oslo"},
    {"31 characters kept whole", std::string(31, 'a'), std::string(31, 'a')},
    {"40 characters keep their first 31", "Llanfairpwllgwyngyll_gogerychwyrndrob",
     "Llanfairpwllgwyngyll gogerychwy"},
    {"empty name", "", ""},
};

TEST(NamedPoint, NamesFollowTheUnderscoreRule) {
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(c.label);
        Named_Point constructed(10.0, 20.0, c.source.c_str());
        EXPECT_EQ(std::string(constructed.name), c.stored);
        Named_Point reset;
        reset.ResetGeo(10.0, 20.0, c.source.c_str());
        EXPECT_EQ(std::string(reset.name), c.stored);
        EXPECT_EQ(reset.colatitude, constructed.colatitude);
        EXPECT_EQ(reset.longitude, constructed.longitude);
    }
}

TEST(NamedPoint, ResetGeoReplacesALongerName) {
    Named_Point p(0.0, 0.0, "Rio_de_Janeiro");
    p.ResetGeo(1.0, 2.0, "Lima");
    EXPECT_STREQ(p.name, "Lima");
    EXPECT_EQ(p.colatitude, Point(1.0, 2.0).colatitude);
}

TEST(NamedPointDeathTest, NullNamesEndTheProgram) {
    EXPECT_EXIT(Named_Point(1.0, 2.0, nullptr),
                ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS),
                "^Named_Point::Named_Point\\(\\) - NULL pointer\n$");
    Named_Point p;
    EXPECT_EXIT(p.ResetGeo(1.0, 2.0, nullptr),
                ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS),
                "^Named_Point::ResetGeo\\(\\) - NULL pointer\n$");
}

}  // namespace
