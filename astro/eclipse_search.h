// SPDX-License-Identifier: GPL-3.0-or-later
// The solar eclipse search by lunation numbers: from a start instant and a direction, the
// nearest new Moon on that side at which the Moon's shadow or penumbra touches the Earth,
// with the eclipse's type and, for a partial eclipse, its magnitude.
//
// Instants are Julian Ephemeris Days (JDE, dynamical time); the corrected new Moon stands
// for the instant of greatest eclipse. k is the lunation number (k = 0 is the new Moon of
// 6 January 2000), T the time in Julian centuries from J2000.0 derived from k. The series
// yield degrees, which are turned into radians (not reduced to one turn) before use.
// The functions are free of state.
#pragma once

#include <cstdint>

#include "astro/calendar.h"

// Eclipse type flags. The search produces exactly the combinations 0x11 (central total),
// 0x12 (central annular), 0x14 (central annular-total), 0x23 (non-central total or
// annular, not told apart) and 0x28 (partial, which also carries the non-central bit).
constexpr uint16_t ECL_TOTAL = 0x01;
constexpr uint16_t ECL_ANNULAR = 0x02;
constexpr uint16_t ECL_ANNULAR_TOTAL = 0x04;
constexpr uint16_t ECL_PARTIAL = 0x08;
constexpr uint16_t ECL_CENTRAL = 0x10;     // the shadow axis meets the Earth
constexpr uint16_t ECL_NONCENTRAL = 0x20;  // it does not

// The current eclipse.
struct Eclipse_Record {
    bool valid = false;  // false until the first successful search, then true for good
    // Calendar breakdown of jde (dynamical time), rounded to the second.
    Civil_Date_Time dateTime;
    uint16_t type = 0;       // type flags as above
    double magnitude = 0.0;  // of a partial eclipse; otherwise left as it was and meaningless
    double jde = 0.0;        // instant of the eclipse, Julian Ephemeris Day
};

// (year - 2000) x 12.3685: the lunation number, as a real, near the start of a year.
double LunationOfYear(double year);
// k / 1236.85: Julian centuries from J2000.0.
double CenturiesOfLunation(double k);
// Mean new Moon of lunation k, JDE.
double MeanPhaseJDE(double k, double T);
// E, the eccentricity factor of the Earth's orbit.
double EccentricityFactor(double T);
// M, M', F, Omega and A1 of lunation k, in radians (unreduced).
double SunMeanAnomaly(double k, double T);
double MoonMeanAnomaly(double k, double T);
double MoonArgumentOfLatitude(double k, double T);
double MoonNodeLongitude(double k, double T);
double PlanetaryArgument(double k, double T);
// F1 = F - 0.02665 degrees x sin Omega, radians.
double CorrectedLatitudeArgument(double F, double Omega);

// The fraction added to an integer lunation number for a lunar phase: phase 0 (new Moon)
// gives 0.0, 1 gives 0.25, 2 gives 0.5, 3 gives 0.75. Any other phase ends the program
// with the fatal message "rem_k_49".
double rem_k_49(int16_t phase);

// Correction in days to the mean JDE of an eclipse: kind 0 is a new Moon (solar
// eclipse), kind 1 a full Moon (lunar eclipse). Any other kind ends the program with the
// fatal message "dJDE_54_1". Angles in radians.
double dJDE_54_1(int16_t kind, double k, double T, double E, double M, double Mp, double F,
                 double Omega);

// gamma (least distance of the shadow axis from the Earth's centre, Earth radii) and u
// (radius of the umbral cone in the fundamental plane, Earth radii) of a new Moon.
void EclipseGammaU(double E, double M, double Mp, double F1, double& gamma, double& u);

// True if gamma and u make a solar eclipse; then writes its type flags and, for a partial
// eclipse only, its magnitude. On false nothing is written.
bool ClassifyEclipse(double gamma, double u, uint16_t& type, double& magnitude);

// Searches from startJD (same time scale as JDE) towards later instants when forward is
// non-zero, else towards earlier ones, and returns the first new Moon on that side that
// is a solar eclipse (one exactly at startJD counts in both directions). Always finds one
// and returns true. jde is written at every lunation looked at closely, type and magnitude as
// ClassifyEclipse writes them. The year is the calendar year the start was typed in; the
// search no longer needs it to find its starting lunation.
bool FindEclipse(uint8_t forward, int16_t year, double startJD, double& jde, uint16_t& type,
                 double& magnitude);
