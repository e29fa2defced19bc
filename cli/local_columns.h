// SPDX-License-Identifier: GPL-3.0-or-later
// One eclipse seen from one place, as a line of "velmor-cli local":
//
//   date              the eclipse's date (TD) as "eclipses" lists it, YYYY-MM-DD
//   local_type        none, partial, annular or total: what is seen with the Sun's centre
//                     at or above -0.833 degrees
//   c1_ut c2_ut max_ut c3_ut c4_ut   the geometric contacts and the maximum, UT, as
//                     2024-04-08T18:17:21.3Z (column_text.h), also below the horizon
//   rise_ut set_ut    the sunrise or sunset between C1 and C4 that cuts the eclipse short
//   magnitude obscuration            at maximum, 4 decimals
//   sun_altitude_c1 ... _c4, sun_altitude_max, sun_azimuth_max   degrees, 2 decimals
//   p_c1 ... p_c4     position angles of the contacts from the Sun's north point towards
//                     the east, degrees, 1 decimal
//   central_duration_s  C3 - C2, 1 decimal
//   delta_t           TD - UT used, seconds, 1 decimal
// A value the eclipse does not have there is empty; without elements (the precise engine
// found none) only the date and "none" are written.
#pragma once

#include <string>

#include "besselian/local_circumstances.h"

std::string LocalCsvHeader();

// The line of the eclipse of the given date, without its end; local null when the engine
// found no elements.
std::string LocalCsvColumns(const std::string& date, const besselian::Local_Circumstances* local);
