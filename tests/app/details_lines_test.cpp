#include "app/details_lines.h"

#include <gtest/gtest.h>

TEST(DetailLines, ForEachTypeCombinationAndMagnitude) {
    const struct {
        uint16_t type;
        double magnitude;
        std::vector<std::string> typeAndMagnitude;
    } cases[] = {
        {0x11, 0.7437, {"Type = Total "}},
        {0x12, 0.7437, {"Type = Annular "}},
        {0x14, 0.7437, {"Type = Annular-Total "}},
        {0x23, 0.7437, {"Type = Total Annular ; Noncentral "}},
        {0x20, 0.7437, {"Type = ; Noncentral "}},
        {0x00, 0.7437, {"Type = "}},
        {0x28, 0.7437, {"Type = Partial ", "Magn. = 0.74"}},
        {0x3F, 0.7437, {"Type = Total Annular Annular-Total Partial ", "Magn. = 0.74"}},
        {0x28, 0.05, {"Type = Partial ", "Magn. = 0.05"}},
        {0x28, 1.0, {"Type = Partial ", "Magn. =    1"}},
        {0x28, 0.996, {"Type = Partial ", "Magn. =    1"}},
        {0x28, 0.00001, {"Type = Partial ", "Magn. = 1e-05"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.type << " " << c.magnitude);
        std::vector<std::string> expected = {"Date = 2001 June 21", "TD = 12:05:05",
                                             "UT-TD [s] = -103"};
        expected.insert(expected.end(), c.typeAndMagnitude.begin(), c.typeAndMagnitude.end());
        EXPECT_EQ(DetailLines(Eclipse_Record{true, {2001, 6, 21, 12, 5, 5}, c.type, c.magnitude}),
                  expected);
    }
}

// The date and time lines: the month by name (December is the last; a month read from an
// empty list, -1, has none), the year as it is, negative before AD 1.
TEST(DetailLines, DateAndTime) {
    const std::pair<Civil_Date_Time, std::vector<std::string>> cases[] = {
        {{2002, 12, 4, 7, 31, 11}, {"Date = 2002 December 4", "TD = 07:31:11"}},
        {{1999, 1, 31, 0, 0, 0}, {"Date = 1999 January 31", "TD = 00:00:00"}},
        {{-585, 5, 28, 23, 59, 59}, {"Date = -585 May 28", "TD = 23:59:59"}},
        {{2001, -1, 21, 12, 5, 5}, {"Date = 2001  21", "TD = 12:05:05"}},
    };
    for (const auto& [at, expected] : cases) {
        std::vector<std::string> lines = DetailLines(Eclipse_Record{true, at, 0x11, 0, 0});
        lines.resize(2);
        EXPECT_EQ(lines, expected);
    }
}
