#include <gtest/gtest.h>

#include <cmath>

#include "geo/globe.h"
#include "geo/point.h"

namespace {

TEST(Project, CasesToThePixel) {
    const Globe facing0(320.0, 320.0, 318.0, 0.0, 0.0, 0.0);
    const Globe rotated(320.0, 320.0, 318.0, 90.0, 0.0, 0.0);  // turned counter-clockwise
    const Globe poleView(320.0, 320.0, 318.0, 0.0, 90.0, 0.0);
    Globe turned(320.0, 320.0, 318.0, 0.0, 0.0, 0.0);
    turned.SetLatitude(52.0);
    turned.SetLongitude(21.0);
    const struct {
        const char* label;
        const Globe& globe;
        double latitude, longitude;
        int x, y;
        double w, wTolerance;
    } cases[] = {
        {"view centre", facing0, 0, 0, 320, 320, 1.0, 1e-12},
        {"45 north", facing0, 45, 0, 320, 95, 0.70710678, 1e-6},
        {"45 east", facing0, 0, 45, 545, 320, 0.70710678, 1e-6},
        {"20 north 50 west", facing0, 20, -50, 91, 211, 0.6040, 1e-4},
        {"far side keeps its mirrored pixel", facing0, -45, 135, 479, 545, -0.5, 1e-6},
        {"North Pole on the rim, barely visible", facing0, 90, 0, 320, 2, 5e-16, 5e-16},
        {"rotated: 45 north goes left", rotated, 45, 0, 95, 320, 0.70710678, 1e-6},
        {"rotated: 45 east goes up", rotated, 0, 45, 320, 95, 0.70710678, 1e-6},
        {"turned: the new view centre", turned, 52, 21, 320, 320, 1.0, 1e-6},
        {"turned: latitude 0, longitude 0", turned, 0, 0, 206, 554, 0.5748, 1e-4},
        {"pole at the view centre", poleView, 90, 0, 320, 320, 1.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        int x = -1, y = -1;
        const double w = Point(c.latitude, c.longitude).Project(c.globe, x, y);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
        EXPECT_NEAR(w, c.w, c.wTolerance);
        if (c.latitude == 90) {
            EXPECT_GT(w, 0.0);
        }
    }
    EXPECT_NEAR(turned.GetLatitude(), 52.0, 1e-12);
    EXPECT_NEAR(turned.GetLongitude(), 21.0, 1e-12);
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
    EXPECT_EQ(globe.GetDC(), nullptr);
    double terms[6];
    globe.GetRotationTerms(terms[0], terms[1], terms[2], terms[3], terms[4], terms[5]);
    // Rotation 30, colatitude 30, longitude -45: sines and cosines.
    const double expected[6] = {
        0.5, std::sqrt(3.0) / 2, 0.5, std::sqrt(3.0) / 2, -std::sqrt(0.5), std::sqrt(0.5)};
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(terms[k], expected[k], 1e-12) << k;
    globe.SetLongitude(370.0);  // not normalised
    EXPECT_NEAR(globe.GetLongitude(), 370.0, 1e-9);
    globe.GetRotationTerms(terms[0], terms[1], terms[2], terms[3], terms[4], terms[5]);
    EXPECT_NEAR(terms[4], std::sin(10.0 * M_PI / 180), 1e-12);
}

}  // namespace
