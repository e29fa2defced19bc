// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/frames.h"

#include <gtest/gtest.h>

#include <cmath>

#include "besselian/constants.h"
#include "besselian/ephemeris.h"

using namespace besselian;

namespace {
double Arcsec(double radians) {
    return radians / DEG * 3600;
}
}  // namespace

// Worked examples of Meeus, Astronomical Algorithms (2nd ed.): 12.a (sidereal time at
// 1987-04-10 0h UT), 22.a (nutation and obliquity at 1987-04-10 0h TD), 21.b (precession of
// theta Persei from J2000 to 2028-11-13.19 TD: RA 41.054063 -> 41.547214 deg,
// Dec 49.227750 -> 49.348483 deg, mean places).
TEST(Frames, MeeusWorkedExamples) {
    const double jd = 2446895.5;
    EXPECT_NEAR(std::fmod(MeanSiderealTime(jd) / DEG + 720, 360.0), 197.693195, 2e-6);
    const Nutation n = NutationAt(jd);
    EXPECT_NEAR(Arcsec(n.dPsi), -3.788, 0.0005);
    EXPECT_NEAR(Arcsec(n.dEps), 9.443, 0.0005);
    EXPECT_NEAR(Arcsec(MeanObliquity(jd)), 23 * 3600 + 26 * 60 + 27.407, 0.001);
    // Apparent sidereal time: 13h10m46.1351s.
    EXPECT_NEAR(std::fmod(ApparentSiderealTime(jd, jd, n) / DEG + 720, 360.0),
                (13 + 10 / 60.0 + 46.1351 / 3600) * 15, 2e-6);

    const double ra = 41.054063 * DEG, dec = 49.227750 * DEG;
    const Vec3 star{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
    const Vec3 p = PrecessionFromJ2000(2462088.69) * star;
    EXPECT_NEAR(std::atan2(p.y, p.x) / DEG, 41.547214, 1e-5);
    EXPECT_NEAR(std::asin(p.z) / DEG, 49.348483, 1e-5);
}

// The Sun from VSOP87: the geometric geocentric place of Meeus's example 25.b (1992-10-13
// 0h TD: longitude of date 199.907 deg, R = 0.99760775 AU from the book's shortened series,
// within 1e-6 AU of the full one), here precessed from J2000 (a frame mixed up would be
// 0.11 deg off); and the light-time shift of about 20.5" backwards along the orbit.
TEST(Ephemeris, SunPlaceAndLightTime) {
    const double jde = 2448908.5;
    const double lightDays = AU_KM * 0.99760775 / LIGHT_KM_PER_S / SECONDS_PER_DAY;
    const Vec3 geometric = SunApparentKm(jde + lightDays);  // the Sun at jde, seen later
    const Vec3 equator = PrecessionFromJ2000(jde) * (EclipticJ2000ToEquatorJ2000() * geometric);
    const Vec3 ecliptic = RotX(MeanObliquity(jde)) * equator;
    EXPECT_NEAR(std::atan2(ecliptic.y, ecliptic.x) / DEG + 360, 199.907, 0.001);
    EXPECT_NEAR(Norm(geometric) / AU_KM, 0.99760775, 1e-6);
    const Vec3 seen = SunApparentKm(jde);
    EXPECT_NEAR(Arcsec(std::acos(Dot(seen, geometric) / Norm(seen) / Norm(geometric))), 20.5, 0.3);
}
