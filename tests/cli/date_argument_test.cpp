// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/date_argument.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Each text gives either its fields (as "Y/M/D h:m:s") or one line saying why it is refused.
TEST(DateArgument, AcceptedAndRefusedTexts) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::time_t now = 993124805;  // 2001-06-21 12:00:05 UTC
    const std::pair<const char*, const char*> cases[] = {
        {"2001-06-21T12:05", "2001/6/21 12:5:0"},
        {"9999-12-31T23:59:59", "9999/12/31 23:59:59"},
        {"-585-05-28", "-585/5/28 0:0:0"},
        {"-4713-01-01", "-4713/1/1 0:0:0"},
        {"now", "2001/6/21 12:0:5"},
        {"", "malformed date"},
        {"2001-01-01T12:00:00Z", "malformed date"},
        {"99999999999999999999-01-01", "malformed date"},
        {"2001-01-01T24:00", "invalid time"},
        {"0-06-01", "there is no year 0"},
        {"10000-01-01", "years run from -4713 (4713 BC) to 9999"},
        {"-4714-12-31", "years run from -4713 (4713 BC) to 9999"},
        {"2001-13-01", "months run from 01 to 12"},
        {"1900-02-29", "that month has no such day"},
        {"1582-10-10", "5 to 14 October 1582 do not exist"}};
    for (const auto& [text, expected] : cases) {
        Date_Argument d;
        std::string error;
        if (ParseDateArgument(text, now, d, error)) {
            char fields[64];
            std::snprintf(fields, sizeof fields, "%d/%d/%d %d:%d:%d", d.year, d.month, d.day,
                          d.hour, d.minute, d.second);
            EXPECT_EQ(std::string(fields), expected) << text;
        } else {
            EXPECT_NE(error.find(expected), std::string::npos) << text << ": " << error;
            EXPECT_EQ(error.find('\n'), std::string::npos);
        }
    }
}

}  // namespace
