// The text lines that describe the current eclipse in the details list: its date, its
// time of day in dynamical time (TD), the difference UT - TD for its year, its type and,
// for a partial eclipse, its magnitude. Plain text, no user-interface code, so that the
// lines can be checked and reused anywhere.
#pragma once

#include <string>
#include <vector>

#include "astro/eclipse_search.h"

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
