// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/frames.h"

#include <libnova/dynamical_time.h>
#include <libnova/nutation.h>

#include <cmath>
#include <mutex>

#include "besselian/constants.h"
#include "besselian/ephemeris.h"

namespace besselian {

Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(double s, const Vec3& a) {
    return {s * a.x, s * a.y, s * a.z};
}
double Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Norm(const Vec3& a) {
    return std::sqrt(Dot(a, a));
}

Vec3 operator*(const Mat3& a, const Vec3& v) {
    return {a.m[0][0] * v.x + a.m[0][1] * v.y + a.m[0][2] * v.z,
            a.m[1][0] * v.x + a.m[1][1] * v.y + a.m[1][2] * v.z,
            a.m[2][0] * v.x + a.m[2][1] * v.y + a.m[2][2] * v.z};
}

Mat3 operator*(const Mat3& a, const Mat3& b) {
    Mat3 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
        }
    }
    return r;
}

namespace {

// The frame turned by a about axis 0 (x), 1 (y) or 2 (z).
Mat3 Rotation(int axis, double a) {
    const double c = std::cos(a), s = std::sin(a);
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    Mat3 r;
    r.m[i][i] = c;
    r.m[i][j] = s;
    r.m[j][i] = -s;
    r.m[j][j] = c;
    return r;
}

}  // namespace

Mat3 RotX(double a) {
    return Rotation(0, a);
}

Mat3 RotY(double a) {
    return Rotation(1, a);
}

Mat3 RotZ(double a) {
    return Rotation(2, a);
}

double CenturiesTd(double jde) {
    return (jde - J2000_JDE) / DAYS_PER_CENTURY;
}

double MeanObliquity(double jde) {
    const double T = CenturiesTd(jde);
    return (84381.448 + T * (-46.8150 + T * (-0.00059 + T * 0.001813))) / ARCSEC_PER_RAD;
}

Nutation NutationAt(double jde) {
    // libnova's nutation takes universal time and adds its own ΔT to reach TD, so hand it
    // the instant that its ΔT turns back into jde. Its cache is static: hold a lock.
    ln_nutation n{};
    {
        std::lock_guard<std::mutex> guard(LibnovaLock());
        const double jdForLibnova = jde - ln_get_dynamical_time_diff(jde) / SECONDS_PER_DAY;
        ln_get_nutation(jdForLibnova, &n);
    }
    Nutation result;
    result.dPsi = n.longitude * DEG;
    result.dEps = n.obliquity * DEG;
    if (!std::isfinite(result.dPsi) || !std::isfinite(result.dEps)) result = Nutation{};
    return result;
}

Mat3 EclipticJ2000ToEquatorJ2000() {
    return RotX(-84381.448 / ARCSEC_PER_RAD);
}

Mat3 PrecessionFromJ2000(double jde) {
    const double T = CenturiesTd(jde);
    const double zeta = T * (2306.2181 + T * (0.30188 + T * 0.017998)) / ARCSEC_PER_RAD;
    const double z = T * (2306.2181 + T * (1.09468 + T * 0.018203)) / ARCSEC_PER_RAD;
    const double theta = T * (2004.3109 + T * (-0.42665 - T * 0.041833)) / ARCSEC_PER_RAD;
    return RotZ(-z) * RotY(theta) * RotZ(-zeta);
}

Mat3 NutationMatrix(double meanObliquity, const Nutation& n) {
    return RotX(-(meanObliquity + n.dEps)) * RotZ(-n.dPsi) * RotX(meanObliquity);
}

Mat3 EclipticJ2000ToTrueEquator(double jde, const Nutation& n) {
    return NutationMatrix(MeanObliquity(jde), n) * PrecessionFromJ2000(jde) *
           EclipticJ2000ToEquatorJ2000();
}

double MeanSiderealTime(double jdUt) {
    const double d = jdUt - J2000_JDE;
    const double T = d / DAYS_PER_CENTURY;
    // 360.98564736629 deg a day = one turn plus 0.002737909350795 of one per day: split it so
    // that the fraction of a turn keeps its precision far from J2000.
    const double turns = std::fmod(d, 1.0) + std::fmod(d * 0.002737909350795, 1.0);
    const double deg = 280.46061837 + 360.0 * turns + T * T * (0.000387933 - T / 38710000.0);
    return deg * DEG;
}

double ApparentSiderealTime(double jdUt, double jde, const Nutation& n) {
    return MeanSiderealTime(jdUt) + n.dPsi * std::cos(MeanObliquity(jde) + n.dEps);
}

}  // namespace besselian
