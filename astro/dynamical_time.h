// SPDX-License-Identifier: GPL-3.0-or-later
// The difference between universal time and dynamical time that the details of an eclipse
// show, from the calendar year alone (negative years as held in the eclipse record, -1
// for 1 BC). This is independent of the clock correction the Sun and Moon positions use.
#pragma once

#include <cstdint>

// UT - TD in whole seconds (the negated DeltaT, truncated towards zero).
int32_t UTMinusTD(int16_t year);
