// SPDX-License-Identifier: GPL-3.0-or-later
// Positions of the Sun and the Moon for one instant, by the classical low-precision theory
// counted from 1900 January 0.5 (Newcomb's Sun with the main perturbations, and the lunar
// series cut to the terms of at least 0.005 degree).
//
// The instant is a Julian Day taken as universal time; the ephemeris time argument is
// derived from it with this module's own clock correction (ClockCorrectionSeconds). The
// vectors are geocentric, equatorial, referred to the mean equator and equinox of date
// (x towards the equinox, z towards the north celestial pole), in astronomical units.
// The functions are free of state.
#pragma once

// Equatorial radius of the Earth, astronomical units; the Earth is a sphere of this radius.
constexpr double EARTH_RADIUS_AU = 4.2635e-05;

struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct Sun_Moon_Position {
    // Greenwich mean sidereal time, radians, in (-2 pi, 2 pi): negative where its polynomial
    // part is negative (long before 1900); only ever used inside wrapped differences.
    double siderealTime = 0.0;
    Vector3 sun;   // astronomical units
    Vector3 moon;  // astronomical units
};

// This module's clock correction (dynamical minus universal time) in seconds, for the
// universal time jd.
double ClockCorrectionSeconds(double jd);

// Sidereal time and the Sun and Moon vectors for the universal time jd.
Sun_Moon_Position SunMoonPosition(double jd);

// Turns (x, y, z) about the x axis: y, z become y cos a + z sin a, -y sin a + z cos a.
// With a = -obliquity it turns ecliptic coordinates into equatorial ones. a in radians.
void RotateX(double& x, double& y, double& z, double a);

// Approximate sub-solar point for the Julian Day jd (no clock correction, a one-term
// equation of the centre, declination as obliquity x sin longitude): latitude in degrees
// within +-24, longitude in degrees east within [-180, 180].
void SubSolarPoint(double jd, double& latitudeDeg, double& longitudeDeg);

// Reduces a longitude in degrees by a floating remainder modulo 360 (keeping the sign),
// then into [-180, 180]: 360 is added below -180 and subtracted above 180.
double WrapLongitudeDeg(double longitudeDeg);
