// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/eclipse_search.h"

#include <cmath>

#include "platform/fatal.h"
#include "units/angles.h"

namespace {

// Mean synodic month and epoch of the mean new Moon of lunation 0, days.
constexpr double SYNODIC_MONTH_DAYS = 29.530588861;
constexpr double LUNATION_0_JDE = 2451550.09766;

// No new Moon with |sin F1| above this makes an eclipse: over the supported years E lies
// within 0.75 ... 1.14, so |P| <= 0.32, Q >= 4.87 and u <= 0.031, and an eclipse needs
// |gamma| <= 1.5433 + u, hence |sin F1| <= (1.5743 / 0.9952 + 0.32) / 4.87 < 0.40. The
// search skips such new Moons before computing their correction, which changes no result
// and saves most of the work: only about a quarter of all new Moons pass.
constexpr double NO_ECLIPSE_SIN_F1 = 0.45;

// The classification of a new Moon by gamma and u, all in Earth radii in the fundamental
// plane:
// - the Earth's radius there, a little less than 1 for its flattening: the shadow axis
//   meets the Earth (a central eclipse) when |gamma| is at most this;
constexpr double EARTH_RADIUS_IN_PLANE = 0.9972;
// - the penumbra's radius less the umbra's (the penumbra's radius is u + this);
constexpr double PENUMBRA_MINUS_UMBRA_RADIUS = 0.5461;
// - the sum of the two, less u: the penumbra touches the Earth when |gamma| is at most
//   this + u, the limit of any eclipse;
constexpr double PENUMBRA_CONTACT_GAMMA = 1.5433;
// - how much the umbra's radius changes across the Earth's radius, times
//   sqrt(1 - gamma^2) where the axis meets the Earth: an annular eclipse whose u lies
//   below it turns total on part of its track (annular-total).
constexpr double UMBRA_CHANGE_ACROSS_EARTH = 0.00464;

}  // namespace

double LunationOfYear(double year) {
    return (year - 2000) * 12.3685;
}

double CenturiesOfLunation(double k) {
    return k / 1236.85;
}

double MeanPhaseJDE(double k, double T) {
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double T4 = T3 * T;
    return LUNATION_0_JDE + SYNODIC_MONTH_DAYS * k + 0.00015437 * T2 - 0.00000015 * T3 +
           0.00000000073 * T4;
}

double EccentricityFactor(double T) {
    return 1 - 0.002516 * T - 0.0000074 * (T * T);
}

double SunMeanAnomaly(double k, double T) {
    const double T2 = T * T;
    const double T3 = T2 * T;
    return Radians(2.5534 + 29.1053567 * k - 0.0000014 * T2 - 0.00000011 * T3);
}

double MoonMeanAnomaly(double k, double T) {
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double T4 = T3 * T;
    return Radians(201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 -
                   0.000000058 * T4);
}

double MoonArgumentOfLatitude(double k, double T) {
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double T4 = T3 * T;
    return Radians(160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 +
                   0.000000011 * T4);
}

double MoonNodeLongitude(double k, double T) {
    const double T2 = T * T;
    const double T3 = T2 * T;
    return Radians(124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3);
}

double PlanetaryArgument(double k, double T) {
    return Radians(299.77 + 0.107408 * k - 0.009173 * (T * T));
}

double CorrectedLatitudeArgument(double F, double Omega) {
    return F - Radians(0.02665) * std::sin(Omega);
}

double rem_k_49(int16_t phase) {
    switch (phase) {
        case 0:
            return 0.0;
        case 1:
            return 0.25;
        case 2:
            return 0.5;
        case 3:
            return 0.75;
        default:
            platform::FatalAppExit("rem_k_49");
    }
}

double dJDE_54_1(int16_t kind, double k, double T, double E, double M, double Mp, double F,
                 double Omega) {
    double c1;  // coefficient of sin M'
    double c2;  // coefficient of E sin M
    if (kind == 0) {
        c1 = -0.4075;
        c2 = 0.1721;
    } else if (kind == 1) {
        c1 = -0.4065;
        c2 = 0.1727;
    } else {
        platform::FatalAppExit("dJDE_54_1");
    }
    const double F1 = CorrectedLatitudeArgument(F, Omega);
    const double A1 = PlanetaryArgument(k, T);
    return c1 * std::sin(Mp) + c2 * E * std::sin(M) + 0.0161 * std::sin(2 * Mp) -
           0.0097 * std::sin(2 * F1) + 0.0073 * E * std::sin(Mp - M) -
           0.0050 * E * std::sin(Mp + M) - 0.0023 * std::sin(Mp - 2 * F1) +
           0.0021 * E * std::sin(2 * M) + 0.0012 * std::sin(Mp + 2 * F1) +
           0.0006 * E * std::sin(2 * Mp + M) - 0.0004 * std::sin(3 * Mp) -
           0.0003 * E * std::sin(M + 2 * F1) + 0.0003 * std::sin(A1) -
           0.0002 * E * std::sin(M - 2 * F1) - 0.0002 * E * std::sin(2 * Mp - M) -
           0.0002 * std::sin(Omega);
}

void EclipseGammaU(double E, double M, double Mp, double F1, double& gamma, double& u) {
    const double P = 0.2070 * E * std::sin(M) + 0.0024 * E * std::sin(2 * M) -
                     0.0392 * std::sin(Mp) + 0.0116 * std::sin(2 * Mp) -
                     0.0073 * E * std::sin(Mp + M) + 0.0067 * E * std::sin(Mp - M) +
                     0.0118 * std::sin(2 * F1);
    const double Q = 5.2207 - 0.0048 * E * std::cos(M) + 0.0020 * E * std::cos(2 * M) -
                     0.3299 * std::cos(Mp) - 0.0060 * E * std::cos(Mp + M) +
                     0.0041 * E * std::cos(Mp - M);
    const double W = std::fabs(std::cos(F1));
    gamma = (P * std::cos(F1) + Q * std::sin(F1)) * (1 - 0.0048 * W);
    u = 0.0059 + 0.0046 * E * std::cos(M) - 0.0182 * std::cos(Mp) + 0.0004 * std::cos(2 * Mp) -
        0.0005 * std::cos(Mp + M);
}

bool ClassifyEclipse(double gamma, double u, uint16_t& type, double& magnitude) {
    const double g = std::fabs(gamma);
    if (g > PENUMBRA_CONTACT_GAMMA + u) return false;

    type = 0;
    if (g <= EARTH_RADIUS_IN_PLANE) {
        type |= ECL_CENTRAL;
        if (u < 0) {
            type |= ECL_TOTAL;
        } else {
            const double omega = UMBRA_CHANGE_ACROSS_EARTH * std::sqrt(1 - gamma * gamma);
            type |= (u < omega) ? ECL_ANNULAR_TOTAL : ECL_ANNULAR;
        }
    } else {
        type |= ECL_NONCENTRAL;
        if (g < EARTH_RADIUS_IN_PLANE + std::fabs(u)) {
            type |= ECL_TOTAL | ECL_ANNULAR;
        } else {
            type |= ECL_PARTIAL;
            magnitude = (PENUMBRA_CONTACT_GAMMA + u - g) / (PENUMBRA_MINUS_UMBRA_RADIUS + 2 * u);
        }
    }
    return true;
}

bool FindEclipse(uint8_t forward, int16_t /*year*/, double startJD, double& jde, uint16_t& type,
                 double& magnitude) {
    const double rem = rem_k_49(0);

    // The starting lunation comes from the start instant itself: the lunation whose mean
    // new Moon lies nearest the start by the linear formula, moved two lunations back for a
    // forward search (ahead for a backward one). The corrected new Moon of lunation k lies
    // within about a day and a half of the linear value over the whole range of supported
    // dates (the periodic terms add at most about 0.6 day, the T^2 term about a day at the
    // ends), far less than the 59-day margin, so the start lunation always lies on the near
    // side of the start instant and no eclipse after (before) it is passed over. Negative
    // years need no special treatment, since no year number enters.
    const double nearest = std::floor((startJD - LUNATION_0_JDE) / SYNODIC_MONTH_DAYS - rem);
    double k = forward ? nearest - 2 : nearest + 2;

    for (;; k += forward ? 1 : -1) {
        const double T = (k + rem) / 1236.85;
        const double F = MoonArgumentOfLatitude(k, T);
        const double Omega = MoonNodeLongitude(k, T);
        const double F1 = CorrectedLatitudeArgument(F, Omega);
        if (std::fabs(std::sin(F1)) > NO_ECLIPSE_SIN_F1) continue;

        jde = MeanPhaseJDE(k, T);
        const double E = EccentricityFactor(T);
        const double M = SunMeanAnomaly(k, T);
        const double Mp = MoonMeanAnomaly(k, T);
        jde += dJDE_54_1(0, k, T, E, M, Mp, F, Omega);

        const bool candidate = forward ? jde >= startJD : jde <= startJD;
        if (candidate) {
            double gamma;
            double u;
            EclipseGammaU(E, M, Mp, F1, gamma, u);
            if (ClassifyEclipse(gamma, u, type, magnitude)) return true;
        }
    }
}
