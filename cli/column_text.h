// SPDX-License-Identifier: GPL-3.0-or-later
// Values as the precise engine's columns write them: numbers with fixed decimals, and dates
// and instants in the ISO 8601 layout but in Velmor's civil calendar (Julian up to 4 October
// 1582, Gregorian from 15 October 1582, no year 0: -0585 is 585 BC). Years have at least
// four digits, with a minus sign before AD 1.
#pragma once

#include <string>
#include <vector>

// "2024", "0033", "-0585", "10000".
std::string YearText(int year);

// "YYYY-MM-DD".
std::string IsoDateText(int year, int month, int day);

// The instant jd (a Julian Day of universal time) rounded to a tenth of a second, as
// "YYYY-MM-DDTHH:MM:SS.sZ" (2024-04-08T18:17:21.3Z); a time that rounds up to midnight
// is 00:00:00.0 of the next day. Meant for jd from -1400 to 5400000.
std::string IsoUtText(double jd);

// value with the given decimals, never "-0.0"; empty when value is not a finite number.
std::string FixedText(double value, int decimals);

// The values joined by commas (none of them may hold a comma).
std::string CommaJoined(const std::vector<std::string>& values);

// The pieces of text between the separators: one more than there are separators.
std::vector<std::string> SplitAt(const std::string& text, char separator);
