// Instants of universal time as calendar fields and as ISO 8601 text with tenths of a
// second, e.g. "2024-04-08T18:17:15.0Z": the form in which the precise engine's instants are
// listed.
//
// The calendar is the Julian one before 15 October 1582 and the Gregorian one from then on;
// years are astronomical (0 is 1 BC, -1999 is 2000 BC), as ISO 8601 counts them, written
// with at least four digits and a leading "-" before year 0.
#pragma once

#include <string>

namespace besselian {

struct Ut_Fields {
    int year = 0;  // astronomical
    int month = 1, day = 1, hour = 0, minute = 0;
    int tenths = 0;  // of a second within the minute, 0 ... 599
};

// The fields of a Julian Day of UT rounded to a tenth of a second (a time that rounds up to
// midnight gives 00:00:00.0 of the next day). False, leaving fields as they were, when jdUt
// is not finite or outside 0 ... 5373484.5 (4713 BC ... AD 9999).
bool UtFieldsOfJd(double jdUt, Ut_Fields& fields);

// "YYYY-MM-DDTHH:MM:SS.sZ"; empty when UtFieldsOfJd refuses the instant.
std::string IsoUtText(double jdUt);

}  // namespace besselian
