// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/column_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "astro/calendar.h"

std::string YearText(int year) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%04d", year < 0 ? "-" : "", std::abs(year));
    return text;
}

std::string IsoDateText(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "-%02d-%02d", month, day);
    return YearText(year) + text;
}

std::string IsoUtText(double jd) {
    constexpr long long TENTHS_PER_DAY = 864000;
    // Tenths of a second from the midnight that begins day number 0 (JD -0.5).
    const long long tenths = std::llround((jd + 0.5) * TENTHS_PER_DAY);
    long long dayNumber = tenths / TENTHS_PER_DAY;
    long long inDay = tenths % TENTHS_PER_DAY;
    if (inDay < 0) {
        inDay += TENTHS_PER_DAY;
        --dayNumber;
    }
    int16_t year = 0, month = 0, day = 0;
    DateFromDayNumber(static_cast<int32_t>(dayNumber), year, month, day);
    const long long seconds = inDay / 10;
    char text[32];
    std::snprintf(text, sizeof text, "T%02lld:%02lld:%02lld.%lldZ", seconds / 3600,
                  seconds / 60 % 60, seconds % 60, inDay % 10);
    return IsoDateText(year, month, day) + text;
}

std::string FixedText(double value, int decimals) {
    if (!std::isfinite(value)) return "";
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    // A value that rounds to zero is written without a sign.
    if (text[0] == '-' && std::string(text).find_first_not_of("-0.") == std::string::npos)
        return text + 1;
    return text;
}

std::string CommaJoined(const std::vector<std::string>& values) {
    std::string out;
    for (size_t i = 0; i < values.size(); ++i) out += (i ? "," : "") + values[i];
    return out;
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}
