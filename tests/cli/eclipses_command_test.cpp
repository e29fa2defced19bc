#include <gtest/gtest.h>

#include <sstream>

#include "run_program.h"

namespace {

const std::string CLI = VELMOR_CLI_PATH;
const std::string HEADER =
    "year,month,day,hour,minute,second,ut_minus_td,type,flags,magnitude,jde\n";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(EclipsesCommand, ListsTheNextEclipsesAsCsv) {
    const Program_Result r =
        RunProgram(CLI, {"eclipses", "--from", "2001-01-01", "--next", "--count", "8"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, HEADER +
                         "2001,6,21,12,5,5,-103,Total,0x11,,2452082.003529\n"
                         "2001,12,14,20,53,24,-103,Annular,0x12,,2452258.370413\n"
                         "2002,6,10,23,45,52,-104,Annular,0x12,,2452436.490188\n"
                         "2002,12,4,7,32,45,-104,Total,0x11,,2452612.814411\n"
                         "2003,5,31,4,9,19,-105,Annular,0x12,,2452790.673134\n"
                         "2003,11,23,22,50,42,-105,Total,0x11,,2452967.451875\n"
                         "2004,4,19,13,35,16,-106,Partial,0x28,0.7361,2453115.066158\n"
                         "2004,10,14,3,0,32,-106,Partial,0x28,0.9256,2453292.625368\n");
}

TEST(EclipsesCommand, TypeNamesOfEveryCombination) {
    const Program_Result annularTotal =
        RunProgram(CLI, {"eclipses", "--from=2005-01-01", "--next"});
    EXPECT_NE(annularTotal.out.find(",Annular-Total,0x14,,"), std::string::npos);
    const Program_Result noncentral = RunProgram(CLI, {"eclipses", "--from=1928-05-01", "--next"});
    EXPECT_NE(noncentral.out.find("1928,5,19,"), std::string::npos);
    EXPECT_NE(noncentral.out.find(",Total Annular ; Noncentral,0x23,,"), std::string::npos);
}

TEST(EclipsesCommand, StepsBackwardsAcrossTheStartOfOurEra) {
    const Program_Result r =
        RunProgram(CLI, {"eclipses", "--prev", "--from", "2-03-01T00:00", "--count=8"});
    ASSERT_EQ(r.status, 0) << r.err;
    // AD 2, AD 1, then 1 BC and 2 BC: no year 0 in between.
    std::vector<int> years;
    for (const std::string& line : Lines(r.out)) {
        if (line != Lines(HEADER)[0]) years.push_back(std::stoi(line));
    }
    ASSERT_EQ(years.size(), 8u);
    EXPECT_EQ(years.front(), 1);
    for (size_t i = 1; i < years.size(); ++i) {
        const int step = years[i - 1] - years[i];
        EXPECT_TRUE(step == 0 || step == 1 || (years[i - 1] == 1 && years[i] == -1))
            << years[i - 1] << " then " << years[i];
        EXPECT_NE(years[i], 0);
    }
    EXPECT_EQ(years.back(), -2);
}

TEST(EclipsesCommand, StopsWithANoteWhereTheSupportedYearsEnd) {
    const struct {
        const char* label;
        std::vector<std::string> args;
        const char* lastRowStart;
    } cases[] = {
        {"after AD 9999", {"eclipses", "--from", "9999-06-01", "--next", "--count", "5"}, "10000,"},
        {"before 4713 BC",
         {"eclipses", "--from", "-4713-06-01", "--prev", "--count", "5"},
         "-4714,10,14,20,1,28,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Program_Result r = RunProgram(CLI, c.args);
        EXPECT_EQ(r.status, 0);
        const auto lines = Lines(r.out);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_LT(lines.size(), 6u);
        EXPECT_EQ(lines.back().rfind(c.lastRowStart, 0), 0u) << lines.back();
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find("outside the supported years"), std::string::npos) << r.err;
    }
}

TEST(EclipsesCommand, RefusesBadInputWithStatusTwoAndNoCsv) {
    const struct {
        const char* label;
        std::vector<std::string> args;
        const char* message;
        bool usage;
    } cases[] = {
        {"invalid date", {"eclipses", "--from", "2001-02-30", "--next"}, "invalid date", false},
        {"gap of 1582", {"eclipses", "--from", "1582-10-10", "--prev"}, "1582", false},
        {"malformed date", {"eclipses", "--from", "21.6.2001", "--next"}, "malformed date", false},
        {"no direction", {"eclipses", "--from", "2001-01-01"}, "--next", true},
        {"both directions",
         {"eclipses", "--from", "2001-01-01", "--next", "--prev"},
         "exclude",
         true},
        {"no date", {"eclipses", "--next"}, "--from", true},
        {"count of zero",
         {"eclipses", "--from", "2001-01-01", "--next", "--count", "0"},
         "--count",
         true},
        {"count not a number",
         {"eclipses", "--from", "2001-01-01", "--next", "--count", "x"},
         "--count",
         true},
        {"unknown option",
         {"eclipses", "--from", "2001-01-01", "--next", "--fast"},
         "--fast",
         true},
        {"unknown command", {"eclipse"}, "unknown command", true},
        {"no command", {}, "usage", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Program_Result r = RunProgram(CLI, c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("usage:") != std::string::npos, c.usage) << r.err;
        if (!c.usage) {
            EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        }
    }
}

TEST(EclipsesCommand, HelpAndVersion) {
    const Program_Result help = RunProgram(CLI, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("eclipses"), std::string::npos);
    const Program_Result commandHelp = RunProgram(CLI, {"eclipses", "--help"});
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_NE(commandHelp.out.find("--count N"), std::string::npos);
    const Program_Result version = RunProgram(CLI, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("velmor-cli ", 0), 0u);
}

}  // namespace
