// SPDX-License-Identifier: GPL-3.0-or-later
// The global circumstances of an eclipse from the precise engine, as the columns that
// "eclipses --precise" adds and the properties of the "greatest" point that "paths
// --precise" writes: the same names, in the same order, written alike.
//
//   greatest_jde        TD, Julian Ephemeris Day, 6 decimals
//   greatest_ut         UT, YYYY-MM-DDTHH:MM:SS.sZ in Velmor's calendar (column_text.h)
//   delta_t             TD - UT used, seconds, 1 decimal
//   gamma               Earth radii, + north, 4 decimals
//   eclipse_magnitude   4 decimals
//   precise_type        Total, Annular, Hybrid or Partial
//   central             1 or 0
//   latitude, longitude of greatest eclipse, geodetic degrees, east +, 3 decimals
//   sun_altitude, sun_azimuth  there, degrees (azimuth from north through east), 1 decimal
//   path_width_km       1 decimal
//   central_duration_s  1 decimal
// A value the eclipse does not define is empty (null in JSON): the width and duration of a
// partial eclipse, and every value when the engine finds no shadow on the Earth.
#pragma once

#include <string>
#include <vector>

#include "besselian/global_circumstances.h"

struct Precise_Value {
    const char* name;
    std::string text;  // as written; empty when not defined
    bool isText;       // a string in JSON (an instant or a type), else a number
};

std::vector<Precise_Value> PreciseValues(const besselian::Global_Circumstances& circumstances);

// The names, comma-separated, and one eclipse's values in the same order.
std::string PreciseCsvHeader();
std::string PreciseCsvColumns(const besselian::Global_Circumstances& circumstances);

// The values as JSON members, "name":value, comma-separated.
std::string PreciseJsonMembers(const besselian::Global_Circumstances& circumstances);
