// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the year typed in the date bar. The year is taken as a whole number; text that is
// not a number, or a number outside the supported years -4713 ... 9999, gives no year, so
// that a step from it is refused instead of running from a wrapped or truncated value.
#pragma once

#include <QString>

#include <cstdint>

constexpr int kFirstSupportedYear = -4713;
constexpr int kLastSupportedYear = 9999;

// True and the year when `text` (surrounding blanks allowed) is an optional sign followed
// by decimal digits whose value lies in kFirstSupportedYear ... kLastSupportedYear.
bool ReadYearField(const QString& text, int16_t& year);
