#include <gtest/gtest.h>

#include <cmath>

#include "geo/globe.h"
#include "geo/point.h"

namespace {

struct ProjectCase {
    const char* label;
    double latitude, longitude;
    int x, y;
    double w, wTolerance;
};

void Check(const Globe& globe, const ProjectCase& c) {
    SCOPED_TRACE(c.label);
    Point p(c.latitude, c.longitude);
    int x = -1, y = -1;
    double w = p.Project(globe, x, y);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    EXPECT_NEAR(w, c.w, c.wTolerance);
}

TEST(Project, DocumentGlobeFacingLatitudeAndLongitudeZero) {
    const Globe globe(320.0, 320.0, 318.0, 0.0, 0.0, 0.0);
    const ProjectCase cases[] = {
        {"view centre", 0, 0, 320, 320, 1.0, 1e-12},
        {"45 north", 45, 0, 320, 95, 0.70710678, 1e-6},
        {"45 east", 0, 45, 545, 320, 0.70710678, 1e-6},
        {"20 north 50 west", 20, -50, 91, 211, 0.6040, 1e-4},
        {"far side keeps its mirrored pixel", -45, 135, 479, 545, -0.5, 1e-6},
    };
    for (const ProjectCase& c : cases) Check(globe, c);
}

TEST(Project, NorthPoleOnTheRimCountsAsVisible) {
    const Globe globe(320.0, 320.0, 318.0, 0.0, 0.0, 0.0);
    Point pole(90.0, 0.0);
    int x, y;
    double w = pole.Project(globe, x, y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 2);
    EXPECT_GT(w, 0.0);
    EXPECT_LT(w, 1e-15);
}

TEST(Project, RotationTurnsThePictureCounterClockwise) {
    const Globe globe(320.0, 320.0, 318.0, 90.0, 0.0, 0.0);
    const ProjectCase cases[] = {
        {"45 north goes left", 45, 0, 95, 320, 0.70710678, 1e-6},
        {"45 east goes up", 0, 45, 320, 95, 0.70710678, 1e-6},
    };
    for (const ProjectCase& c : cases) Check(globe, c);
}

TEST(Project, TurnedGlobe) {
    Globe globe(320.0, 320.0, 318.0, 0.0, 0.0, 0.0);
    globe.SetLatitude(52.0);
    globe.SetLongitude(21.0);
    EXPECT_NEAR(globe.GetLatitude(), 52.0, 1e-12);
    EXPECT_NEAR(globe.GetLongitude(), 21.0, 1e-12);
    const ProjectCase cases[] = {
        {"the new view centre", 52, 21, 320, 320, 1.0, 1e-6},
        {"latitude 0, longitude 0", 0, 0, 206, 554, 0.5748, 1e-4},
    };
    for (const ProjectCase& c : cases) Check(globe, c);
}

TEST(Project, PoleAtTheViewCentreSitsAtTheDiscCentreWithFullVisibility) {
    const Globe globe(320.0, 320.0, 318.0, 0.0, 90.0, 0.0);
    Point pole;  // colatitude exactly 0
    int x, y;
    EXPECT_EQ(pole.Project(globe, x, y), 1.0);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 320);
}

TEST(Project, HorizonMapsOntoTheRim) {
    const Globe globe(320.0, 320.0, 318.0, 30.0, 10.0, -40.0);
    Point rim(-80.0, -40.0);  // 90 degrees south of the view centre
    int x, y;
    EXPECT_NEAR(rim.Project(globe, x, y), 0.0, 1e-6);
    EXPECT_NEAR(std::hypot(x - 320.0, y - 320.0), 318.0, 1.5);
}

TEST(Globe, StoresItsValuesAndTerms) {
    Globe globe(100.0, 200.0, 50.0, 30.0, 60.0, -45.0);
    EXPECT_EQ(globe.GetCentreX(), 100.0);
    EXPECT_EQ(globe.GetCentreY(), 200.0);
    EXPECT_EQ(globe.GetRadius(), 50.0);
    EXPECT_NEAR(globe.GetLatitude(), 60.0, 1e-12);
    EXPECT_NEAR(globe.GetLongitude(), -45.0, 1e-12);
    double sa, ca, st, ct, sl, cl;
    globe.GetRotationTerms(sa, ca, st, ct, sl, cl);
    EXPECT_NEAR(sa, 0.5, 1e-12);
    EXPECT_NEAR(ca, std::sqrt(3.0) / 2, 1e-12);
    EXPECT_NEAR(st, 0.5, 1e-12);  // colatitude 30
    EXPECT_NEAR(ct, std::sqrt(3.0) / 2, 1e-12);
    EXPECT_NEAR(sl, -std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(cl, std::sqrt(0.5), 1e-12);
    globe.SetLongitude(370.0);  // not normalised
    EXPECT_NEAR(globe.GetLongitude(), 370.0, 1e-9);
    globe.GetRotationTerms(sa, ca, st, ct, sl, cl);
    EXPECT_NEAR(sl, std::sin(10.0 * M_PI / 180), 1e-12);
    EXPECT_EQ(globe.GetDC(), nullptr);
}

}  // namespace
