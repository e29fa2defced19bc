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
        EXPECT_EQ(DetailLines(Eclipse_Record{1, 2001, 6, 21, 12, 5, 5, c.type, c.magnitude}),
                  expected);
    }
}
