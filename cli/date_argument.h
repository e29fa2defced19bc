// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a date-and-time argument of the command line: YYYY-MM-DD, YYYY-MM-DDTHH:MM or
// YYYY-MM-DDTHH:MM:SS (dynamical time), or "now" for the local clock. Years before AD 1
// carry a minus sign and are counted without a year 0, as in the calendar (-585-05-28 is
// 28 May 585 BC).
#pragma once

#include <ctime>
#include <string>

#include "astro/calendar.h"

using Date_Argument = Civil_Date_Time;

// Parses text into date. On failure returns false and sets error to one line saying what
// is wrong (a malformed text, or a date that the calendar refuses). `now` is the local
// clock time used for "now".
bool ParseDateArgument(const std::string& text, std::time_t now, Date_Argument& date,
                       std::string& error);

// The date as it is typed: YYYY-MM-DD with the month and day in two digits and the year as
// it is (-585-05-28, 10000-03-30).
std::string DateText(const Date_Argument& date);
