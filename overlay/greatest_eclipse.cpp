// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/greatest_eclipse.h"

#include <cmath>

#include "astro/shadow.h"
#include "astro/sun_moon.h"

namespace {

constexpr int MAX_FIXED_POINT_STEPS = 20;
constexpr int COARSE_MINUTES = 600;  // the window either side, minutes
constexpr int COARSE_STEP_MINUTES = 10;
constexpr int GOLDEN_SECTION_STEPS = 40;
constexpr double INVERSE_GOLDEN_RATIO = 0.6180339887498949;  // (sqrt(5) - 1) / 2
constexpr double MINUTES_PER_DAY = 1440.0;

// The squared distance of the shadow axis from the Earth's centre, AU^2.
double AxisDistanceSquared(double ut, double minutes) {
    Shadow_State state;
    ResetShadowState(state);
    ComputeShadowState(state, ut + minutes / MINUTES_PER_DAY);
    return state.x0 * state.x0 + state.y0 * state.y0;
}

}  // namespace

double PositionsUniversalTime(double jde) {
    // The clock correction changes by well under a second per day, so the fixed-point
    // iteration contracts strongly; it stops when u no longer changes.
    double u = jde;
    for (int i = 0; i < MAX_FIXED_POINT_STEPS; ++i) {
        const double next = jde - ClockCorrectionSeconds(u) / 86400.0;
        if (next == u) break;
        u = next;
    }
    return u;
}

double GreatestEclipseUniversalTime(double ut) {
    int bestMinute = -COARSE_MINUTES;
    double bestValue = AxisDistanceSquared(ut, bestMinute);
    for (int m = -COARSE_MINUTES + COARSE_STEP_MINUTES; m <= COARSE_MINUTES;
         m += COARSE_STEP_MINUTES) {
        const double value = AxisDistanceSquared(ut, m);
        if (value < bestValue) {
            bestValue = value;
            bestMinute = m;
        }
    }

    // Golden-section search: each step keeps one inner point with its value and computes
    // only the other.
    double a = bestMinute - COARSE_STEP_MINUTES;
    double b = bestMinute + COARSE_STEP_MINUTES;
    double left = b - (b - a) * INVERSE_GOLDEN_RATIO;
    double right = a + (b - a) * INVERSE_GOLDEN_RATIO;
    double leftValue = AxisDistanceSquared(ut, left);
    double rightValue = AxisDistanceSquared(ut, right);
    for (int i = 0; i < GOLDEN_SECTION_STEPS; ++i) {
        if (leftValue < rightValue) {
            b = right;
            right = left;
            rightValue = leftValue;
            left = b - (b - a) * INVERSE_GOLDEN_RATIO;
            leftValue = AxisDistanceSquared(ut, left);
        } else {
            a = left;
            left = right;
            leftValue = rightValue;
            right = a + (b - a) * INVERSE_GOLDEN_RATIO;
            rightValue = AxisDistanceSquared(ut, right);
        }
    }
    return ut + (a + b) / 2 / MINUTES_PER_DAY;
}
