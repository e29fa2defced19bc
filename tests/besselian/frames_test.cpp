#include "besselian/frames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <tuple>
#include <vector>

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

// The nutation is right from several threads at once (libnova's call keeps a static cache):
// each thread asks for its own instants, a day apart, and must get what one thread alone gets
// (to 1e-10 rad: the library's result moves in the tenth digit with the call before; a value
// from another day would be 1e-5 rad off).
TEST(Frames, NutationFromSeveralThreads) {
    std::vector<Nutation> alone(200);
    for (int i = 0; i < 200; ++i) alone[i] = NutationAt(2451545.0 + i);
    std::vector<Nutation> a(200), b(200);
    std::thread ta([&] {
        for (int i = 0; i < 200; i += 2) a[i] = NutationAt(2451545.0 + i);
    });
    std::thread tb([&] {
        for (int i = 1; i < 200; i += 2) b[i] = NutationAt(2451545.0 + i);
    });
    ta.join();
    tb.join();
    for (int i = 0; i < 200; ++i) {
        const Nutation& got = i % 2 ? b[i] : a[i];
        EXPECT_NEAR(got.dPsi, alone[i].dPsi, 1e-10) << i;
        EXPECT_NEAR(got.dEps, alone[i].dEps, 1e-10) << i;
    }
}

// The Sun from VSOP87: the geometric geocentric place of Meeus's example 25.b (1992-10-13
// 0h TD: longitude of date 199.907 deg, R = 0.99760775 AU from the book's shortened series,
// within 1e-6 AU of the full one), here precessed from J2000 (a
// frame mixed up would be 0.11 deg off); and the light-time shift of about 20.5" backwards
// along the orbit.
TEST(Ephemeris, SunPlaceAndLightTime) {
    const double jde = 2448908.5;
    const double lightDays = AU_KM * 0.99760775 / LIGHT_KM_PER_S / SECONDS_PER_DAY;
    const Vec3 geometric = SunApparentKm(jde + lightDays);  // the Sun at jde, seen later
    const Vec3 equator = PrecessionFromJ2000(jde) * (EclipticJ2000ToEquatorJ2000() * geometric);
    const Vec3 ecliptic = RotX(MeanObliquity(jde)) * equator;
    EXPECT_NEAR(std::atan2(ecliptic.y, ecliptic.x) / DEG + 360, 199.907, 0.001);
    EXPECT_NEAR(Norm(geometric) / AU_KM, 0.99760775, 1e-6);
    const Vec3 seen = SunApparentKm(jde);
    const double shiftArcsec = Arcsec(std::acos(Dot(seen, SunApparentKm(jde + lightDays)) /
                                                Norm(seen) / Norm(SunApparentKm(jde + lightDays))));
    EXPECT_NEAR(shiftArcsec, 20.5, 0.3);
}

// The Moon's secular correction: about -47 min at 2000 BC, nothing at J2000, a few seconds
// in AD 3000 (the linear term and the quadratic one nearly cancel at T = -0.41).
TEST(Ephemeris, MoonSecularShift) {
    // label, T (centuries), shift (s), tolerance (s)
    const std::tuple<const char*, double, double, double> cases[] = {
        {"J2000", 0, 0, 1e-12},
        {"2000 BC", -40, (-0.40324 * -40 - 0.5 * 1.963 * 1600) / 0.549, 1e-9},
        {"AD 3000", 10, (-4.0324 - 98.15) / 0.549, 1e-9},
    };
    for (const auto& [label, T, shift, tolerance] : cases) {
        EXPECT_NEAR(MoonSecularShiftSeconds(J2000_JDE + T * 36525), shift, tolerance) << label;
    }
    EXPECT_NEAR(MoonSecularShiftSeconds(J2000_JDE - 40 * 36525) / 60, -47.2, 0.1);
}

// The truncated lunar series against the full one, at the levels the engine uses: the
// largest position error over ten instants at each epoch, arcseconds, with its bound.
TEST(Ephemeris, MoonSeriesTruncation) {
    // label, T, precision, bound (")
    const std::tuple<const char*, double, double, double> cases[] = {
        {"fine AD 2000", 0, MOON_SERIES_PRECISION_FINE, 0.012},
        {"fine AD 1000", -10, MOON_SERIES_PRECISION_FINE, 0.06},
        {"fine AD 3000", 10, MOON_SERIES_PRECISION_FINE, 0.06},
        {"fine 2000 BC", -40, MOON_SERIES_PRECISION_FINE, 1.6},
        {"coarse AD 2000", 0, MOON_SERIES_PRECISION_COARSE, 0.4},
    };
    for (const auto& [label, T, precision, bound] : cases) {
        double worst = 0;
        for (int i = 0; i < 10; ++i) {
            const double jde = J2000_JDE + T * 36525 + i * 2.3;
            const Vec3 full = MoonGeometricKm(jde, 0);
            const Vec3 cut = MoonGeometricKm(jde, precision);
            worst = std::fmax(worst, Arcsec(Norm(cut - full) / Norm(full)));
        }
        EXPECT_LT(worst, bound) << label;
    }
}
