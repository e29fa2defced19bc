// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/shadow_geometry.h"

#include <algorithm>
#include <cmath>

#include "besselian/constants.h"

namespace besselian {

Element_State StateAt(const Besselian_Elements& e, double t) {
    Element_State s;
    s.t = t;
    s.x = e.x(t);
    s.y = e.y(t);
    s.d = e.dDeg(t) * DEG;
    s.mu = e.muDeg(t) * DEG;
    s.l1 = e.l1(t);
    s.l2 = e.l2(t);
    s.dx = e.x.Derivative(t);
    s.dy = e.y.Derivative(t);
    s.dd = e.dDeg.Derivative(t) * DEG;
    s.dmu = e.muDeg.Derivative(t) * DEG;
    s.tanF1 = e.tanF1;
    s.tanF2 = e.tanF2;
    return s;
}

double WrapLongitudeDeg(double lon) {
    double r = std::fmod(lon, 360.0);
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

Place_In_Plane PlaceInPlane(const Element_State& s, double latDeg, double lonDeg, double heightM) {
    const double phi = latDeg * DEG;
    const double b = 1 - EARTH_FLATTENING;
    const double c =
        1 / std::sqrt(std::cos(phi) * std::cos(phi) + b * b * std::sin(phi) * std::sin(phi));
    const double h = heightM / 1000 / EARTH_RADIUS_KM;
    const double rhoCos = (c + h) * std::cos(phi);
    const double rhoSin = (b * b * c + h) * std::sin(phi);
    Place_In_Plane p;
    const double H = s.mu + lonDeg * DEG;
    p.hourAngle = H;
    const double sd = std::sin(s.d), cd = std::cos(s.d);
    p.xi = rhoCos * std::sin(H);
    p.eta = rhoSin * cd - rhoCos * sd * std::cos(H);
    p.zeta = rhoSin * sd + rhoCos * cd * std::cos(H);
    p.dxi = s.dmu * rhoCos * std::cos(H);
    p.deta = s.dmu * p.xi * sd - p.zeta * s.dd;
    return p;
}

double Rho1(double d) {
    return std::sqrt(1 - EARTH_E2 * std::cos(d) * std::cos(d));
}

double AxisOnEarthMeasure(const Element_State& s) {
    const double y1 = s.y / Rho1(s.d);
    return s.x * s.x + y1 * y1;
}

namespace {

// The place from coordinates (xi, eta1, zeta1) on the unit sphere into which the Earth's
// ellipsoid is stretched along its axis (declination d1 of the stretched shadow axis).
void PlaceFromStretched(const Element_State& s, double xi, double eta1, double zeta1,
                        double& latDeg, double& lonDeg) {
    const double rho1 = Rho1(s.d);
    const double sd1 = std::sin(s.d) / rho1;
    const double cd1 = std::sqrt(1 - EARTH_E2) * std::cos(s.d) / rho1;
    const double sinPhi1 = eta1 * cd1 + zeta1 * sd1;
    const double cosPhi1CosTheta = -eta1 * sd1 + zeta1 * cd1;
    const double cosPhi1 = std::sqrt(xi * xi + cosPhi1CosTheta * cosPhi1CosTheta);
    const double theta = std::atan2(xi, cosPhi1CosTheta);
    latDeg = std::atan2(sinPhi1, std::sqrt(1 - EARTH_E2) * cosPhi1) / DEG;
    lonDeg = WrapLongitudeDeg((theta - s.mu) / DEG);
}

}  // namespace

bool SurfaceLocalUnder(const Element_State& s, double xi, double eta, Surface_Local& out) {
    const double rho1 = Rho1(s.d);
    const double sd = std::sin(s.d), cd = std::cos(s.d);
    const double eta1 = eta / rho1;
    const double z2 = 1 - xi * xi - eta1 * eta1;
    if (!(z2 >= 0)) return false;
    const double zeta1 = std::sqrt(z2);
    const double sd1 = sd / rho1;
    const double cd1 = std::sqrt(1 - EARTH_E2) * cd / rho1;
    const double sinPhi1 = eta1 * cd1 + zeta1 * sd1;
    const double cosPhi1CosH = -eta1 * sd1 + zeta1 * cd1;  // = rho cos(phi') cos H
    out.zeta = std::sqrt(1 - EARTH_E2) * sinPhi1 * sd + cosPhi1CosH * cd;
    out.dxi = s.dmu * cosPhi1CosH;
    out.deta = s.dmu * xi * sd - out.zeta * s.dd;
    return true;
}

bool SurfacePointUnder(const Element_State& s, double xi, double eta, double& latDeg,
                       double& lonDeg) {
    const double eta1 = eta / Rho1(s.d);
    const double z2 = 1 - xi * xi - eta1 * eta1;
    if (!(z2 >= 0)) return false;
    PlaceFromStretched(s, xi, eta1, std::sqrt(z2), latDeg, lonDeg);
    return true;
}

bool LimbPointToward(const Element_State& s, double xi, double eta, double& latDeg,
                     double& lonDeg) {
    const double eta1 = eta / Rho1(s.d);
    const double m = std::sqrt(xi * xi + eta1 * eta1);
    if (!(m > 0)) return false;
    PlaceFromStretched(s, xi / m, eta1 / m, 0, latDeg, lonDeg);
    return true;
}

void SunAltitudeAzimuth(double sinLat, double cosLat, double hRad, double dRad, double& altDeg,
                        double& azDeg) {
    const double sinD = std::sin(dRad), cosD = std::cos(dRad);
    const double cosH = std::cos(hRad), sinH = std::sin(hRad);
    const double sinAlt = sinLat * sinD + cosLat * cosD * cosH;
    altDeg = std::asin(std::max(-1.0, std::min(1.0, sinAlt))) / DEG;
    azDeg = std::atan2(-cosD * sinH, sinD * cosLat - cosD * cosH * sinLat) / DEG;
    if (azDeg < 0.0) azDeg += 360.0;
}

void SunAltitudeAzimuth(const Element_State& s, double latDeg, double lonDeg, double& altDeg,
                        double& azDeg) {
    const double phi = latDeg * DEG;
    SunAltitudeAzimuth(std::sin(phi), std::cos(phi), s.mu + lonDeg * DEG, s.d, altDeg, azDeg);
}

bool ShadowLimitPoint(const Element_State& s, bool umbra, bool north, double& latDeg,
                      double& lonDeg, Limit_Guess* guess) {
    // First guess: the edge of the cone at zeta = 0, across the shadow's own motion.
    double a = s.dx, b = s.dy, zeta = 0;
    if (guess && guess->valid) {
        a = guess->a;
        b = guess->b;
        zeta = guess->zeta;
    }
    if (guess) guess->valid = false;
    double xi = 0, eta = 0;
    for (int i = 0; i < 10; ++i) {
        const double n = std::sqrt(a * a + b * b);
        if (!(n > 0)) return false;
        double oXi = -b / n, oEta = a / n;  // at right angles to the motion
        if ((oEta < 0) == north) {
            oXi = -oXi;
            oEta = -oEta;
        }
        const double L = std::fabs(umbra ? s.l2 - zeta * s.tanF2 : s.l1 - zeta * s.tanF1);
        const double nextXi = s.x + L * oXi, nextEta = s.y + L * oEta;
        const double dXi = nextXi - xi, dEta = nextEta - eta;
        xi = nextXi;
        eta = nextEta;
        Surface_Local local;
        if (!SurfaceLocalUnder(s, xi, eta, local)) return false;
        if (dXi * dXi + dEta * dEta < 1e-18) break;  // 6 mm
        a = s.dx - local.dxi;
        b = s.dy - local.deta;
        zeta = local.zeta;
    }
    if (!SurfacePointUnder(s, xi, eta, latDeg, lonDeg)) return false;
    if (guess) *guess = Limit_Guess{true, a, b, zeta};
    return true;
}

Ground_Point GroundPoint(double latDeg, double lonDeg) {
    const double phi = latDeg * DEG, lam = lonDeg * DEG;
    const double n = EARTH_RADIUS_KM / std::sqrt(1 - EARTH_E2 * std::sin(phi) * std::sin(phi));
    return {n * std::cos(phi) * std::cos(lam), n * std::cos(phi) * std::sin(lam),
            n * (1 - EARTH_E2) * std::sin(phi)};
}

double DistanceKm(const Ground_Point& a, const Ground_Point& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                     (a.z - b.z) * (a.z - b.z));
}

}  // namespace besselian
