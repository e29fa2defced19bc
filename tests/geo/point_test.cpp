#include "geo/point.h"

#include <gtest/gtest.h>

#include <string>

#include "astro/angles.h"
#include "geo/named_point.h"
#include "platform/fatal.h"

namespace {

const double PI = AngleConstants().PI;

TEST(Point, StoresColatitudeAndLongitudeInRadiansAsFloats) {
    EXPECT_EQ(sizeof(Point), 8u);
    Point p;  // the North Pole at longitude zero
    EXPECT_EQ(p.colatitude, 0.0f);
    EXPECT_EQ(p.longitude, 0.0f);
    EXPECT_EQ(Point(90.0, 0.0).colatitude, 0.0f);  // exactly
    p.SetRadians(1.25, -7.5);
    Point q;
    q = p;
    EXPECT_EQ(q.colatitude, 1.25f);
    EXPECT_EQ(q.longitude, -7.5f);

    const struct {
        const char* label;
        double latitude, longitude, colatitude, longitudeRad;
    } cases[] = {
        {"South Pole at 180", -90.0, 180.0, PI, PI},
        {"western longitude stays negative", 0.0, -30.0, PI / 2, -PI / 6},
        {"latitude beyond the pole gives a negative colatitude", 100.0, 0.0, -PI / 18, 0.0},
        {"longitude not normalised", 0.0, 370.0, PI / 2, 370.0 * PI / 180.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        p.SetGeo(c.latitude, c.longitude);
        EXPECT_FLOAT_EQ(p.colatitude, float(c.colatitude));
        EXPECT_FLOAT_EQ(p.longitude, float(c.longitudeRad));
        Point constructed(c.latitude, c.longitude);
        EXPECT_EQ(constructed.colatitude, p.colatitude);
        EXPECT_EQ(constructed.longitude, p.longitude);
    }
}

TEST(NamedPoint, NamesFollowTheUnderscoreRule) {
    EXPECT_STREQ(Named_Point().name, "");
    const struct {
        const char* label;
        std::string source, stored;
    } cases[] = {
        {"underscores become blanks", "New_York", "New York"},
        {"plain name", "Oslo", "Oslo"},
        {"31 characters kept whole", std::string(31, 'a'), std::string(31, 'a')},
        {"40 characters keep their first 31", "Llanfairpwllgwyngyll_gogerychwyrndrob",
         "Llanfairpwllgwyngyll gogerychwy"},
        {"empty name", "", ""},
    };
    Named_Point reset(0.0, 0.0, "Rio_de_Janeiro");  // each name replaces a longer one
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Named_Point constructed(10.0, 20.0, c.source.c_str());
        EXPECT_EQ(std::string(constructed.name), c.stored);
        reset.ResetGeo(10.0, 20.0, c.source.c_str());
        EXPECT_EQ(std::string(reset.name), c.stored);
        EXPECT_EQ(reset.colatitude, constructed.colatitude);
        EXPECT_EQ(reset.longitude, constructed.longitude);
        reset.ResetGeo(0.0, 0.0, "Rio_de_Janeiro_and_more");
    }
}

TEST(NamedPointDeathTest, NullNamesEndTheProgram) {
    const auto FATAL = ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS);
    EXPECT_EXIT(Named_Point(1.0, 2.0, nullptr), FATAL,
                "^Named_Point::Named_Point\\(\\) - NULL pointer\n$");
    Named_Point p;
    EXPECT_EXIT(p.ResetGeo(1.0, 2.0, nullptr), FATAL,
                "^Named_Point::ResetGeo\\(\\) - NULL pointer\n$");
}

}  // namespace
