// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/dynamical_time.h"

int32_t UTMinusTD(int16_t year) {
    const double t = (year - 2000) / 100.0;  // centuries from 2000
    double deltaT;
    if (year < 948) {
        deltaT = 2177 + 497 * t + 44.1 * (t * t);
    } else {
        deltaT = 102 + 102 * t + 25.3 * (t * t);
    }
    return -static_cast<int32_t>(deltaT);
}
