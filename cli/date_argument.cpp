// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/date_argument.h"

#include <cctype>
#include <cstdio>

#include "astro/calendar.h"

namespace {

// Reads a run of digits at text[pos...]; exactly `width` of them if width > 0, else one or
// more (at most 9, so the value fits). Advances pos.
bool ReadNumber(const std::string& text, size_t& pos, int width, long& value) {
    const size_t start = pos;
    value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        if (pos - start == 9) return false;
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    const size_t digits = pos - start;
    if (digits == 0) return false;
    return width == 0 || digits == static_cast<size_t>(width);
}

bool Expect(const std::string& text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

std::string WhyInvalid(long year, long month, long day) {
    if (year == 0) return "there is no year 0 (1 BC is -1)";
    if (year < -4713 || year > 9999) return "years run from -4713 (4713 BC) to 9999";
    if (month < 1 || month > 12) return "months run from 01 to 12";
    if (year == 1582 && month == 10 && day >= 5 && day <= 14) {
        return "5 to 14 October 1582 do not exist (the Gregorian reform)";
    }
    return "that month has no such day";
}

}  // namespace

bool ParseDateArgument(const std::string& text, std::time_t now, Date_Argument& date,
                       std::string& error) {
    if (text == "now") {
        std::tm local{};
        localtime_r(&now, &local);
        date.year = static_cast<int16_t>(local.tm_year + 1900);
        date.month = static_cast<int16_t>(local.tm_mon + 1);
        date.day = static_cast<int16_t>(local.tm_mday);
        date.hour = static_cast<int16_t>(local.tm_hour);
        date.minute = static_cast<int16_t>(local.tm_min);
        date.second = static_cast<int16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
        return true;
    }

    const std::string malformed = "malformed date '" + text +
                                  "': expected YYYY-MM-DD, YYYY-MM-DDTHH:MM, "
                                  "YYYY-MM-DDTHH:MM:SS or now";
    size_t pos = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++pos;
    long year, month, day, hour = 0, minute = 0, second = 0;
    bool ok = ReadNumber(text, pos, 0, year) && Expect(text, pos, '-') &&
              ReadNumber(text, pos, 2, month) && Expect(text, pos, '-') &&
              ReadNumber(text, pos, 2, day);
    if (ok && pos < text.size()) {
        ok = Expect(text, pos, 'T') && ReadNumber(text, pos, 2, hour) && Expect(text, pos, ':') &&
             ReadNumber(text, pos, 2, minute);
        if (ok && pos < text.size()) {
            ok = Expect(text, pos, ':') && ReadNumber(text, pos, 2, second);
        }
    }
    if (!ok || pos != text.size()) {
        error = malformed;
        return false;
    }
    if (hour > 23 || minute > 59 || second > 59) {
        error = "invalid time in '" + text +
                "': hours run from 00 to 23, minutes and seconds "
                "from 00 to 59";
        return false;
    }
    if (negative) year = -year;

    const bool fits = year >= -4713 && year <= 9999;
    if (!fits || !IsValidDate(static_cast<int16_t>(year), static_cast<int16_t>(month),
                              static_cast<int16_t>(day))) {
        error = "invalid date '" + text + "': " + WhyInvalid(year, month, day);
        return false;
    }
    date.year = static_cast<int16_t>(year);
    date.month = static_cast<int16_t>(month);
    date.day = static_cast<int16_t>(day);
    date.hour = static_cast<int16_t>(hour);
    date.minute = static_cast<int16_t>(minute);
    date.second = static_cast<int16_t>(second);
    return true;
}

std::string DateText(const Date_Argument& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%d-%02d-%02d", date.year, date.month, date.day);
    return text;
}
