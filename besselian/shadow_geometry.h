// SPDX-License-Identifier: GPL-3.0-or-later
// The Moon's shadow and the flattened Earth in the fundamental plane: the elements and
// their rates at an instant, a place's coordinates in the plane, and the point of the
// Earth's surface under a point of the plane. The building blocks of the global
// circumstances, the lines and the local circumstances.
//
// Times t are hours of TD from the elements' t0. Lengths are Earth equatorial radii,
// rates per hour. Places are geodetic: latitude -90 ... 90 deg, longitude east positive
// (results in -180 ... 180), height in metres above the ellipsoid. The Earth is the
// ellipsoid of constants.h. Pure functions; safe from any thread.
#pragma once

#include "besselian/besselian_elements.h"

namespace besselian {

// The elements evaluated at t, angles in radians.
struct Element_State {
    double t = 0;
    double x = 0, y = 0, d = 0, mu = 0, l1 = 0, l2 = 0;
    double dx = 0, dy = 0, dd = 0, dmu = 0;  // per hour (d and mu in radians per hour)
    double tanF1 = 0, tanF2 = 0;
};
Element_State StateAt(const Besselian_Elements& elements, double tHours);

// A place in the fundamental plane at an instant, and its motion there (per hour).
struct Place_In_Plane {
    double xi = 0, eta = 0, zeta = 0;
    double dxi = 0, deta = 0;
    double hourAngle = 0;  // of the shadow axis at the place, radians
};
Place_In_Plane PlaceInPlane(const Element_State& s, double latitudeDeg, double longitudeDeg,
                            double heightM = 0);

// The place of the Earth's surface (height 0) on the Sun's side whose projection along the
// shadow axis is (xi, eta); false when that line misses the Earth.
bool SurfacePointUnder(const Element_State& s, double xi, double eta, double& latitudeDeg,
                       double& longitudeDeg);

// The same without the place itself: the fundamental-plane zeta of that surface point and
// its motion (per hour), found without the trigonometry of latitude and longitude.
struct Surface_Local {
    double zeta = 0, dxi = 0, deta = 0;
};
bool SurfaceLocalUnder(const Element_State& s, double xi, double eta, Surface_Local& local);

// The point of the Earth's outline in the fundamental plane (the Sun on the horizon) seen
// from the centre in the direction of (xi, eta); false for the direction (0, 0).
bool LimbPointToward(const Element_State& s, double xi, double eta, double& latitudeDeg,
                     double& longitudeDeg);

// x² + (y/rho1)², rho1 the Earth's outline's half-axis to the north: below 1 when the
// shadow axis meets the Earth.
double AxisOnEarthMeasure(const Element_State& s);
// The Earth's outline's northern half-axis in the fundamental plane at declination d.
double Rho1(double d);

// The Sun's altitude and azimuth (from north through east), degrees, at a place: the
// geometric place of the shadow axis direction, without refraction.
void SunAltitudeAzimuth(const Element_State& s, double latitudeDeg, double longitudeDeg,
                        double& altitudeDeg, double& azimuthDeg);
// The same from the sine and cosine of the geodetic latitude and the axis' local hour angle
// and declination (radians).
void SunAltitudeAzimuth(double sinLat, double cosLat, double hourAngleRad, double declinationRad,
                        double& altitudeDeg, double& azimuthDeg);

// The limit of the umbra (umbra true) or the penumbra on one side at an instant: the place
// at the cone's edge where the shadow's motion relative to the ground runs along the edge,
// so that the place lies on the path's limit line. North is the side to the north of the
// shadow axis. False when that place is off the Earth.
// guess, when given, starts the iteration from the ground motion found for a nearby instant
// and receives the one found now (or is made invalid).
struct Limit_Guess {
    bool valid = false;
    double a = 0, b = 0, zeta = 0;  // motion relative to the place, and its zeta
};
bool ShadowLimitPoint(const Element_State& s, bool umbra, bool north, double& latitudeDeg,
                      double& longitudeDeg, Limit_Guess* guess = nullptr);

// Geocentric Cartesian place of a geodetic point (height 0), km: for distances.
struct Ground_Point {
    double x = 0, y = 0, z = 0;
};
Ground_Point GroundPoint(double latitudeDeg, double longitudeDeg);
double DistanceKm(const Ground_Point& a, const Ground_Point& b);

// The reduction of any longitude to -180 ... 180.
double WrapLongitudeDeg(double longitudeDeg);

}  // namespace besselian
