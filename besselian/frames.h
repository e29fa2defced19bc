// SPDX-License-Identifier: GPL-3.0-or-later
// Reference frames and the orientation of the Earth for the precise engine.
//
// The Sun and the Moon are placed in the mean ecliptic and equinox of J2000; the eclipse
// geometry (the shadow axis) is formed there. Only to orient the Earth is the axis turned
// to the true equator and equinox of date: the J2000 ecliptic to the J2000 equator (fixed
// obliquity 84381.448"), IAU 1976 precession to the mean equator of date, IAU 1980
// nutation to the true equator of date, and the apparent sidereal time to the Earth's
// meridians.
//
// Time arguments: jde is a Julian Ephemeris Day (TD); jdUt a Julian Day of universal time.
// Angles are radians unless the name says otherwise.
//
// Thread safety: every function may be called from several threads at once. The nutation
// comes from libnova, whose nutation call keeps a static cache; it is called under the lock
// of ephemeris.h.
#pragma once

namespace besselian {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct Mat3 {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(double s, const Vec3& a);
double Dot(const Vec3& a, const Vec3& b);
double Norm(const Vec3& a);
Vec3 operator*(const Mat3& a, const Vec3& v);
Mat3 operator*(const Mat3& a, const Mat3& b);

// Rotations of the frame (not of the vector) about the x, y and z axes by angle.
Mat3 RotX(double angle);
Mat3 RotY(double angle);
Mat3 RotZ(double angle);

// Julian centuries of TD from J2000.0.
double CenturiesTd(double jde);

// Mean obliquity of the ecliptic of date (IAU 1980 polynomial), radians.
double MeanObliquity(double jde);

// IAU 1980 nutation in longitude and obliquity at an instant of TD, radians.
struct Nutation {
    double dPsi = 0;
    double dEps = 0;
};
Nutation NutationAt(double jde);

// J2000 ecliptic -> J2000 equator.
Mat3 EclipticJ2000ToEquatorJ2000();
// J2000 mean equator -> mean equator and equinox of date (IAU 1976 precession).
Mat3 PrecessionFromJ2000(double jde);
// Mean equator of date -> true equator of date.
Mat3 NutationMatrix(double meanObliquity, const Nutation& nutation);
// J2000 ecliptic -> true equator and equinox of date: the three above in a row.
Mat3 EclipticJ2000ToTrueEquator(double jde, const Nutation& nutation);

// Greenwich mean sidereal time (IAU 1982) at a universal time, radians, not reduced.
double MeanSiderealTime(double jdUt);
// Greenwich apparent sidereal time: the mean one plus the equation of the equinoxes
// dPsi cos(eps), eps the true obliquity of date at jde (TD).
double ApparentSiderealTime(double jdUt, double jde, const Nutation& nutation);

}  // namespace besselian
