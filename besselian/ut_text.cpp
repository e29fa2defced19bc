#include "besselian/ut_text.h"

#include <cmath>
#include <cstdio>

namespace besselian {

bool UtFieldsOfJd(double jdUt, Ut_Fields& fields) {
    if (!std::isfinite(jdUt) || jdUt < 0 || jdUt > 5373484.5) return false;
    // Whole tenths of a second since the midnight that starts the Julian Day's civil day.
    const double shifted = jdUt + 0.5;
    double dayNumber = std::floor(shifted);
    long long tenths = std::llround((shifted - dayNumber) * 864000.0);
    if (tenths >= 864000) {
        tenths -= 864000;
        dayNumber += 1;
    }
    // Calendar date of the day number (Meeus, Astronomical Algorithms, ch. 7).
    const long z = static_cast<long>(dayNumber);
    long a = z;
    if (z >= 2299161) {
        const long alpha = static_cast<long>(std::floor((z - 1867216.25) / 36524.25));
        a = z + 1 + alpha - alpha / 4;
    }
    const long b = a + 1524;
    const long c = static_cast<long>(std::floor((b - 122.1) / 365.25));
    const long d = static_cast<long>(std::floor(365.25 * c));
    const long e = static_cast<long>(std::floor((b - d) / 30.6001));
    fields.day = static_cast<int>(b - d - static_cast<long>(std::floor(30.6001 * e)));
    fields.month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    fields.year = static_cast<int>(fields.month > 2 ? c - 4716 : c - 4715);
    fields.hour = static_cast<int>(tenths / 36000);
    fields.minute = static_cast<int>(tenths / 600 % 60);
    fields.tenths = static_cast<int>(tenths % 600);
    return true;
}

std::string IsoUtText(double jdUt) {
    Ut_Fields f;
    if (!UtFieldsOfJd(jdUt, f)) return std::string();
    char text[40];
    std::snprintf(text, sizeof text, "%s%04d-%02d-%02dT%02d:%02d:%02d.%dZ", f.year < 0 ? "-" : "",
                  std::abs(f.year), f.month, f.day, f.hour, f.minute, f.tenths / 10, f.tenths % 10);
    return text;
}

}  // namespace besselian
