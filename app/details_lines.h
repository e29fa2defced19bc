// SPDX-License-Identifier: GPL-3.0-or-later
// The text lines that describe the current eclipse in the details list: its date, its
// time of day in dynamical time (TD), the difference UT - TD for its year, its type and,
// for a partial eclipse, its magnitude. Plain text, no user-interface code, so that the
// lines can be checked and reused anywhere.
#pragma once

#include <string>
#include <vector>

#include "astro/eclipse_search.h"
#include "besselian/global_circumstances.h"
#include "besselian/local_circumstances.h"

// The lines for `record`, in display order:
//   "Date = <year> <month name> <day>"
//   "TD = hh:mm:ss"                      (dynamical time)
//   "UT-TD [s] = <seconds>"              (UT - TD for the record's calendar year)
//   "Type = <pieces>"                    (each piece ends with a blank)
//   "Magn. = <magnitude>"                (only for a partial eclipse; printf "%4.2g")
// The record's `valid` flag is not looked at: the caller decides whether there is an
// eclipse to describe. A month outside 1..12 prints an empty month name.
std::vector<std::string> DetailLines(const Eclipse_Record& record);

// The text after "Type = " for a set of eclipse type flags: "Total ", "Annular ",
// "Annular-Total ", then "Partial " or, without the partial bit, "; Noncentral ", each
// only when its bit is set. The central bit adds nothing.
std::string EclipseTypeText(uint16_t type);

// The precise engine's lines, shown after those of DetailLines when the precise flag is
// on. Times are UT with tenths of a second, angles degrees:
//   "Greatest UT = hh:mm:ss.s"           (the instant of greatest eclipse)
//   "Latitude = dd.dd N" / "S"            (geodetic, of the point of greatest eclipse)
//   "Longitude = ddd.dd E" / "W"
//   "Sun alt. = dd.d°"                    (the Sun's altitude there)
//   "Width [km] = ddd"                    (of the path there; central eclipses only)
//   "Duration = m:ss.s"                   (of the central phase there; central eclipses only)
//   "Gamma = ±d.dddd"
//   "ΔT [s] = dd.d"                       (TD - UT used)
// Without a shadow on the Earth only the instant, gamma and ΔT; with no elements at all,
// no line. Nothing undefined is shown.
std::vector<std::string> PreciseDetailLines(const besselian::Global_Circumstances& global);

// The lines of what is seen at a place, shown under the eclipse's lines while a place is
// picked; local is null when the precise engine has no elements for the eclipse:
//   "Place = dd.dd N ddd.dd W"
//   "Seen = None" / "Partial" / "Annular" / "Total" / "-" (no elements)
//   "C1 = hh:mm:ss.s UT, Sun dd.d°"       (C2 and C3 only for a central phase; likewise
//   "Max. = hh:mm:ss.s UT, Sun dd.d°"      for C4; each contact only where defined)
//   "Sunrise = hh:mm:ss.s UT" / "Sunset = ..." (where one cuts the eclipse short)
//   "Magn. here = d.ddd"
//   "Obscuration = dd.d%"
//   "Duration here = m:ss.s"             (central phase only)
// Only the first two lines when the place sees no eclipse.
std::vector<std::string> LocalDetailLines(const besselian::Geodetic_Place& place,
                                          const besselian::Local_Circumstances* local);

// "hh:mm:ss.s" of a Julian Day's time of day, rounded to a tenth of a second.
std::string TimeOfDayText(double jd);
