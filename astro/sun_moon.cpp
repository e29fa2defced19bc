// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_moon.h"

#include <cmath>

#include "units/angles.h"

namespace {

constexpr double JD_1900_JAN_0_5 = 2415020.0;
constexpr double DAYS_PER_CENTURY = 36525.0;
constexpr double CENTURIES_PER_SECOND = 3.1688e-10;  // 1 / (36525 x 86400), five digits

double CenturiesFrom1900(double jd) {
    return (jd - JD_1900_JAN_0_5) / DAYS_PER_CENTURY;
}

// Clock correction for T centuries from 1900 (universal time), seconds.
double ClockCorrection(double T) {
    return 12.3 + 37.6 * T + 15.8 * (T * T) + 15.1 * std::sin(Radians(240.7 + 140.0 * T));
}

// Mean obliquity of the ecliptic, degrees.
double MeanObliquityDeg(double T) {
    return 23.452294 - 0.0130125 * T - 0.00000164 * (T * T) + 0.000000503 * (T * T * T);
}

// Greenwich mean sidereal time, radians, for the universal time jd at T centuries.
double SiderealTime(double jd, double T) {
    const double F = std::fmod(jd - 0.5, 1.0);  // fraction of the day since 0h
    return Radians(std::fmod(F * 24 + 6.646066 + 2400.051262 * T + 2.6e-05 * (T * T), 24) * 15);
}

double SunMeanLongitudeDeg(double T) {
    return 279.69668 + 36000.76892 * T + 0.0003025 * (T * T);
}

double SunMeanAnomalyDeg(double T) {
    return 358.47583 + 35999.04975 * T - 0.00015 * (T * T) - 0.0000033 * (T * T * T);
}

}  // namespace

double WrapLongitudeDeg(double longitudeDeg) {
    double lon = std::fmod(longitudeDeg, 360.0);
    if (lon < -180.0) lon += 360.0;
    if (lon > 180.0) lon -= 360.0;
    return lon;
}

void RotateX(double& /*x*/, double& y, double& z, double a) {
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double y1 = y * c + z * s;
    const double z1 = -y * s + z * c;
    y = y1;
    z = z1;
}

double ClockCorrectionSeconds(double jd) {
    return ClockCorrection(CenturiesFrom1900(jd));
}

Sun_Moon_Position SunMoonPosition(double jd) {
    Sun_Moon_Position result;

    // Time arguments: universal for the sidereal time, ephemeris for everything else.
    const double TU = CenturiesFrom1900(jd);
    const double T = TU + ClockCorrection(TU) * CENTURIES_PER_SECOND;
    const double T2 = T * T;
    const double T3 = T2 * T;

    result.siderealTime = SiderealTime(jd, TU);
    const double eps = Radians(MeanObliquityDeg(T));

    // Sun, degrees.
    double L = SunMeanLongitudeDeg(T);
    const double M = SunMeanAnomalyDeg(T);
    const double Omega = 259.183275 - 1934.142 * T + 0.002078 * T2 + 0.000002 * T3;
    const double e = 0.01675104 - 0.0000418 * T - 0.000000126 * T2;
    const double Mr = Radians(M);
    const double C = (1.91946 - 0.004789 * T - 0.000014 * T2) * std::sin(Mr) +
                     (0.020094 - 0.0001 * T) * std::sin(2 * Mr) + 0.000293 * std::sin(3 * Mr);
    const double A = Radians(153.23 + 22518.7541 * T);
    const double B = Radians(216.57 + 45037.5082 * T);
    const double Cp = Radians(312.69 + 32964.3577 * T);
    double D = 350.737486 + 445267.1142 * T - 0.001436 * T2 + 0.000002 * T3;  // degrees
    const double Dr = Radians(D);
    const double G = Radians(231.19 + 20.2 * T);
    const double H = Radians(353.4 + 65928.7155 * T);
    L += 0.00134 * std::cos(A) + 0.00154 * std::cos(B) + 0.002 * std::cos(Cp) +
         0.00179 * std::sin(Dr) + 0.00178 * std::sin(G);
    const double trueLongitude = L + C;
    const double OmegaR = Radians(Omega);
    const double lambdaSun = Radians(trueLongitude - 0.00569 - 0.00479 * std::sin(OmegaR));
    const double R = (1 - e * e) / (1 + e * std::cos(Radians(M + C))) +
                     1e-08 * (543 * std::sin(A) + 1575 * std::sin(B) + 1627 * std::sin(Cp) +
                              3076 * std::cos(Dr) + 927 * std::sin(H));
    result.sun = {R * std::cos(lambdaSun), R * std::sin(lambdaSun), 0.0};
    RotateX(result.sun.x, result.sun.y, result.sun.z, -eps);

    // Moon, degrees.
    double Lp = 270.434164 + 481267.8831 * T - 0.001133 * T2 + 0.000002 * T3;
    double Mp = 296.104608 + 477198.8491 * T + 0.009192 * T2 + 0.000014 * T3;
    double F = 11.250889 + 483202.0251 * T - 0.003211 * T2;
    const double E = 1 - 0.002495 * T - 0.000008 * T2;
    const double a = 0.004 * std::sin(Radians(346.56 + 132.87 * T - 0.009 * T2));
    const double omega2 = Radians(Omega + 275.05 - 2.3 * T);
    Lp += a;
    Mp += a;
    D += a;
    F = F + a - 0.025 * std::sin(OmegaR) - 0.004 * std::sin(omega2);

    const double m = Mr;  // the Sun's mean anomaly, radians
    const double mp = Radians(Mp);
    const double d = Radians(D);
    const double f = Radians(F);

    const double sumLongitude =
        6.289 * std::sin(mp) + 1.274 * std::sin(2 * d - mp) + 0.658 * std::sin(2 * d) +
        0.214 * std::sin(2 * mp) - 0.186 * std::sin(m) * E - 0.114 * std::sin(2 * f) +
        0.059 * std::sin(2 * d - 2 * mp) + 0.057 * std::sin(2 * d - m - mp) * E +
        0.053 * std::sin(2 * d + mp) + 0.046 * std::sin(2 * d - m) * E +
        0.041 * std::sin(mp - m) * E - 0.035 * std::sin(d) - 0.030 * std::sin(m + mp) * E +
        0.015 * std::sin(2 * d - 2 * f) - 0.013 * std::sin(2 * f + mp) -
        0.011 * std::sin(2 * f - mp) + 0.011 * std::sin(4 * d - mp) + 0.010 * std::sin(3 * mp) +
        0.009 * std::sin(4 * d - 2 * mp) - 0.008 * std::sin(2 * d + m - mp) * E -
        0.007 * std::sin(2 * d + m) * E + 0.005 * std::sin(mp - d) + 0.005 * std::sin(m + d) * E;
    const double lambda = Lp + sumLongitude;

    const double sumLatitude = 5.128 * std::sin(f) + 0.281 * std::sin(mp + f) +
                               0.278 * std::sin(mp - f) + 0.173 * std::sin(2 * d - f) +
                               0.055 * std::sin(2 * d + f - mp) + 0.046 * std::sin(2 * d - f - mp) +
                               0.033 * std::sin(2 * d + f) + 0.017 * std::sin(2 * mp + f) +
                               0.009 * std::sin(2 * d + mp - f) + 0.009 * std::sin(2 * mp - f) +
                               0.008 * std::sin(2 * d - m - f) * E;
    const double beta =
        sumLatitude * (1 - 0.0004664 * std::cos(OmegaR) - 0.0000754 * std::cos(omega2));

    const double sumParallax = 0.052 * std::cos(mp) + 0.010 * std::cos(2 * d - mp) +
                               0.008 * std::cos(2 * d) + 0.003 * std::cos(2 * mp) +
                               0.001 * std::cos(2 * d + mp) + 0.001 * std::cos(2 * d - m) * E;
    const double p = 0.951 + sumParallax;
    const double distance = EARTH_RADIUS_AU / std::sin(Radians(p));

    const double lr = Radians(lambda);
    const double br = Radians(beta);
    result.moon = {distance * std::cos(lr) * std::cos(br), distance * std::sin(lr) * std::cos(br),
                   distance * std::sin(br)};
    RotateX(result.moon.x, result.moon.y, result.moon.z, -eps);
    return result;
}

void SubSolarPoint(double jd, double& latitudeDeg, double& longitudeDeg) {
    const double T = CenturiesFrom1900(jd);
    const double eps = MeanObliquityDeg(T);
    const double theta = SiderealTime(jd, T);
    const double M = SunMeanAnomalyDeg(T);
    const double L = SunMeanLongitudeDeg(T);
    const double lambda = L + 1.91946 * std::sin(Radians(M));
    latitudeDeg = eps * std::sin(Radians(lambda));
    longitudeDeg = WrapLongitudeDeg(lambda - Degrees(theta));
}
