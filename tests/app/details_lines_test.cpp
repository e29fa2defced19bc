#include "app/details_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Eclipse_Record MakeRecord(int16_t year, int16_t month, int16_t day, int16_t hour, int16_t minute,
                          int16_t second, uint16_t type, double magnitude) {
    Eclipse_Record record;
    record.valid = 1;
    record.year = year;
    record.month = month;
    record.day = day;
    record.hour = hour;
    record.minute = minute;
    record.second = second;
    record.type = type;
    record.magnitude = magnitude;
    return record;
}

TEST(DetailLines, TotalEclipseOf21June2001) {
    const Eclipse_Record record = MakeRecord(2001, 6, 21, 12, 5, 5, 0x11, 0.0);
    const std::vector<std::string> expected = {"Date = 2001 June 21", "TD = 12:05:05",
                                               "UT-TD [s] = -103", "Type = Total "};
    EXPECT_EQ(DetailLines(record), expected);
}

struct TypeCase {
    const char* label;
    uint16_t type;
    const char* typeLine;
    bool hasMagnitude;
};

const TypeCase kTypes[] = {
    {"central total", 0x11, "Type = Total ", false},
    {"central annular", 0x12, "Type = Annular ", false},
    {"central annular-total", 0x14, "Type = Annular-Total ", false},
    {"non-central total or annular", 0x23, "Type = Total Annular ; Noncentral ", false},
    {"partial", 0x28, "Type = Partial ", true},
    {"no flags", 0x00, "Type = ", false},
    {"non-central alone", 0x20, "Type = ; Noncentral ", false},
    {"every bit: partial wins over non-central", 0x3F,
     "Type = Total Annular Annular-Total Partial ", true},
};

TEST(DetailLines, TypeLineAndMagnitudeLineForEachCombination) {
    for (const TypeCase& c : kTypes) {
        SCOPED_TRACE(c.label);
        const std::vector<std::string> lines =
            DetailLines(MakeRecord(2000, 12, 25, 17, 35, 0, c.type, 0.7437));
        ASSERT_EQ(lines.size(), c.hasMagnitude ? 5u : 4u);
        EXPECT_EQ(lines[3], c.typeLine);
        if (c.hasMagnitude) {
            EXPECT_EQ(lines[4], "Magn. = 0.74");
        }
        EXPECT_EQ(EclipseTypeText(c.type), std::string(c.typeLine).substr(7));
    }
}

struct MagnitudeCase {
    const char* label;
    double magnitude;
    const char* line;
};

const MagnitudeCase kMagnitudes[] = {
    {"two significant digits", 0.7437, "Magn. = 0.74"},
    {"small magnitude", 0.05, "Magn. = 0.05"},
    {"exactly one: width 4, no trailing zeros", 1.0, "Magn. =    1"},
    {"one half", 0.5, "Magn. =  0.5"},
    {"rounds up", 0.996, "Magn. =    1"},
    {"very small switches to exponent form", 0.00001, "Magn. = 1e-05"},
};

TEST(DetailLines, MagnitudeFormat) {
    for (const MagnitudeCase& c : kMagnitudes) {
        SCOPED_TRACE(c.label);
        const std::vector<std::string> lines =
            DetailLines(MakeRecord(2000, 12, 25, 17, 35, 0, 0x28, c.magnitude));
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[4], c.line);
    }
}

struct DateCase {
    const char* label;
    int16_t year, month, day, hour, minute, second;
    const char* dateLine;
    const char* timeLine;
    const char* differenceLine;
};

const DateCase kDates[] = {
    {"negative year keeps its minus sign", -1, 3, 9, 7, 0, 59, "Date = -1 March 9", "TD = 07:00:59",
     "UT-TD [s] = -9889"},
    {"first month, leading zeros in the time", 1900, 1, 1, 0, 0, 0, "Date = 1900 January 1",
     "TD = 00:00:00", "UT-TD [s] = -25"},
    {"last month, year of zero difference", 1800, 12, 31, 23, 59, 59, "Date = 1800 December 31",
     "TD = 23:59:59", "UT-TD [s] = 0"},
    {"far future", 9999, 11, 30, 9, 8, 7, "Date = 9999 November 30", "TD = 09:08:07",
     "UT-TD [s] = -170140"},
    {"month outside 1 ... 12 has no name", 2001, 13, 1, 0, 0, 0, "Date = 2001  1", "TD = 00:00:00",
     "UT-TD [s] = -103"},
};

TEST(DetailLines, DateTimeAndDifferenceLines) {
    for (const DateCase& c : kDates) {
        SCOPED_TRACE(c.label);
        const std::vector<std::string> lines =
            DetailLines(MakeRecord(c.year, c.month, c.day, c.hour, c.minute, c.second, 0x11, 0.0));
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], c.dateLine);
        EXPECT_EQ(lines[1], c.timeLine);
        EXPECT_EQ(lines[2], c.differenceLine);
    }
}

TEST(DetailLines, ValidFlagIsNotLookedAt) {
    Eclipse_Record record = MakeRecord(2001, 6, 21, 12, 5, 5, 0x11, 0.0);
    const std::vector<std::string> withEclipse = DetailLines(record);
    record.valid = 0;
    EXPECT_EQ(DetailLines(record), withEclipse);
}

}  // namespace
