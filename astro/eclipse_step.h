// SPDX-License-Identifier: GPL-3.0-or-later
// Eclipse stepping: from a civil date and time (dynamical time) and a direction, the
// previous or next solar eclipse, stored in an Eclipse_Record. The start is moved one
// second in the direction of the step, so that stepping again from the found instant
// rounded to the second walks on to the following eclipse instead of finding it again.
#pragma once

#include <cstdint>

#include "astro/eclipse_search.h"

// Returns false, writing nothing, when the date of `from` is not a valid calendar date of
// the supported range (hour, minute and second are not checked and simply move the start).
// Otherwise stores the eclipse's jde, type, magnitude (partial only), its date and time
// rounded to the second, sets valid and returns true.
bool StepEclipse(Eclipse_Record& record, bool forward, const Civil_Date_Time& from);
