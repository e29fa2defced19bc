// SPDX-License-Identifier: GPL-3.0-or-later
// "velmor-cli local": the eclipses seen from a place, with their local circumstances from
// the precise engine, as CSV (local_columns.h).
//
//   local (--at LAT,LON[,HEIGHT_M] | --city NAME)
//         (--from DATE (--next | --prev) [--count N] | --jde X)
//         [--delta-t SECONDS] [--sun-radius ARCSEC]
//
// Stepping goes through the eclipses as "eclipses" finds them and lists the first N that
// show some phase at the place while the Sun's centre stands at or above -0.833 degrees;
// after MAX_UNSEEN_ECLIPSES in a row that do not, the search gives up with a note.
// --jde lists the one eclipse, seen or not. Only --city reads the world data.
#pragma once

#include "cli/command_line.h"

constexpr int MAX_UNSEEN_ECLIPSES = 100;

Cli_Command LocalCommand();
