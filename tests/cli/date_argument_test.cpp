#include "cli/date_argument.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(DateArgument, AcceptedForms) {
    const struct {
        const char* text;
        std::array<int, 6> fields;
    } cases[] = {
        {"2001-01-01", {2001, 1, 1, 0, 0, 0}},
        {"2001-06-21T12:05", {2001, 6, 21, 12, 5, 0}},
        {"2001-06-21T12:05:05", {2001, 6, 21, 12, 5, 5}},
        {"-585-05-28", {-585, 5, 28, 0, 0, 0}},
        {"64-12-31T00:00:00", {64, 12, 31, 0, 0, 0}},
        {"-4713-01-01", {-4713, 1, 1, 0, 0, 0}},
        {"9999-12-31T23:59:59", {9999, 12, 31, 23, 59, 59}},
        {"01582-10-15", {1582, 10, 15, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        Date_Argument d;
        std::string error;
        ASSERT_TRUE(ParseDateArgument(c.text, 0, d, error)) << c.text << ": " << error;
        EXPECT_EQ((std::array<int, 6>{d.year, d.month, d.day, d.hour, d.minute, d.second}),
                  c.fields)
            << c.text;
    }
}

TEST(DateArgument, NowIsTheLocalClock) {
    setenv("TZ", "UTC", 1);
    tzset();
    Date_Argument d;
    std::string error;
    ASSERT_TRUE(ParseDateArgument("now", 993124805, d, error));  // 2001-06-21 12:00:05 UTC
    EXPECT_EQ((std::array<int, 6>{d.year, d.month, d.day, d.hour, d.minute, d.second}),
              (std::array<int, 6>{2001, 6, 21, 12, 0, 5}));
}

TEST(DateArgument, RefusedTextsSayWhy) {
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"", "malformed date"},
        {"2001", "malformed date"},
        {"2001-1-01", "malformed date"},
        {"2001-01-01 12:00", "malformed date"},
        {"2001-01-01T12", "malformed date"},
        {"2001-01-01T12:00:00Z", "malformed date"},
        {"+2001-01-01", "malformed date"},
        {"--5-01-01", "malformed date"},
        {"tomorrow", "malformed date"},
        {"99999999999999999999-01-01", "malformed date"},
        {"2001-01-01T24:00", "invalid time"},
        {"2001-01-01T12:60", "invalid time"},
        {"0-06-01", "there is no year 0"},
        {"10000-01-01", "years run from -4713 (4713 BC) to 9999"},
        {"70000-01-01", "years run from -4713 (4713 BC) to 9999"},
        {"-4714-12-31", "years run from -4713 (4713 BC) to 9999"},
        {"2001-13-01", "months run from 01 to 12"},
        {"2001-04-31", "that month has no such day"},
        {"1900-02-29", "that month has no such day"},
        {"1582-10-10", "5 to 14 October 1582 do not exist"},
    };
    for (const auto& c : cases) {
        Date_Argument d;
        std::string error;
        EXPECT_FALSE(ParseDateArgument(c.text, 0, d, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.text << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

}  // namespace
