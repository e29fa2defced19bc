// SPDX-License-Identifier: GPL-3.0-or-later
// Dates and times written as text in the tests, "YYYY-MM-DD HH:MM:SS" (the time may be left
// out on input); years before AD 1 are negative and counted without a year 0.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <tuple>

#include "astro/calendar.h"

using Fields = std::array<int, 6>;

inline Fields ParseDate(const std::string& text) {
    Fields f{};
    std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
    return f;
}

// The fields of text as they are, unchecked (a month of 13 stays 13).
inline Civil_Date_Time CivilOf(const std::string& text) {
    const Fields f = ParseDate(text);
    return {int16_t(f[0]), int16_t(f[1]), int16_t(f[2]),
            int16_t(f[3]), int16_t(f[4]), int16_t(f[5])};
}

inline double JulianDayOf(const std::string& text) {
    return std::apply(JDFromDateTime, ParseDate(text));
}

inline std::string DateText(int y, int mo, int d, int h, int mi, int s) {
    char text[64];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
    return text;
}

inline std::string DateText(const Civil_Date_Time& t) {
    return DateText(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

inline std::string DateText(double jd) {
    return DateText(DateTimeFromJD(jd));
}
