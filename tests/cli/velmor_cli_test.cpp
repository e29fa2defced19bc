// SPDX-License-Identifier: GPL-3.0-or-later
// The velmor-cli program run as a user runs it: its exit status, standard output and error,
// and the files it writes or leaves alone.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/overlay_geojson.h"
#include "tests/cli/run_cli.h"

namespace {

const std::string HEADER =
    "year,month,day,hour,minute,second,ut_minus_td,type,flags,magnitude,jde\n";
const std::string THALES = "-585,5,28,19,27,2,-18798,Total,0x11,,1507900.310441\n";

// An eclipse outside the supported years is still listed, and the listing ends there with a
// one-line note. A date before AD 1 is read in both forms of the option.
TEST(EclipsesCommand, ListsEclipsesAsCsv) {
    const struct {
        const char* args;
        std::string out;
        const char* note = "";
    } cases[] = {
        {"--from 2003-05-01 --next --count 3",
         "2003,5,31,4,9,19,-105,Annular,0x12,,2452790.673134\n"
         "2003,11,23,22,50,42,-105,Total,0x11,,2452967.451875\n"
         "2004,4,19,13,35,16,-106,Partial,0x28,0.7361,2453115.066158\n"},
        {"--from=1928-05-01 --next",
         "1928,5,19,13,23,42,-41,Total Annular ; Noncentral,0x23,,2425386.058127\n"},
        {"--from -585-05-01 --next", THALES},
        {"--next --from=-585-05-01", THALES},
        {"--from 9999-06-01 --next --count 5",
         "9999,11,2,21,48,5,-170140,Partial,0x28,0.7076,5373425.408395\n"
         "10000,3,30,1,59,15,-170182,Partial,0x28,0.2634,5373573.582818\n",
         "the eclipse of 10000-03-30 lies outside the supported years"},
        {"--from -4713-06-01 --prev --count 5",
         "-4713,4,8,22,6,26,-167547,Annular,0x12,,98.421139\n"
         "-4714,10,14,20,1,28,-167601,Total,0x11,,-78.665643\n",
         "the eclipse of -4714-10-14 lies outside"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const Program_Result r = RunCli(std::string("eclipses ") + c.args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, HEADER + c.out);
        EXPECT_EQ(Count(r.err, "\n"), *c.note ? 1 : 0) << r.err;
        EXPECT_NE(r.err.find(c.note), std::string::npos) << r.err;
    }
}

// --help and --version act wherever they stand, even after a value that would be refused.
TEST(CommandLine, HelpAndVersion) {
    const std::pair<const char*, const char*> cases[] = {
        {"--help",
         "Usage: velmor-cli eclipses --from DATE (--next | --prev) [--count N] [--precise "
         "[--delta-t SECONDS] [--sun-radius ARCSEC]]\n  or:  velmor-cli local (--at "},
        {"help", "\nCommand paths:\n  Writes the lines"},
        {"eclipses --from 2001-02-30 --help", "Usage: velmor-cli eclipses --from DATE (--next"},
        {"paths --jde 1 --version --help", "velmor-cli "},
    };
    for (const auto& [args, text] : cases) {
        SCOPED_TRACE(args);
        const Program_Result r = RunCli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find(text), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

// Every command refuses bad input with nothing on standard output and no file left behind:
// a wrong argument or date with status 2, one line naming it and a hint to --help; an
// output that cannot be written with status 1 and one line naming it. DIR/ is an empty
// folder. The place's and the date's own rows are in their parsers' tables.
TEST(BadInput, RefusedWithOneLineNoOutputNoFile) {
    const std::string dir = testing::TempDir() + "velmor-bad-" + std::to_string(getpid()) + "/";
    const std::string eclipses = "eclipses --from 2001-01-01 --next ", local = "local --jde 1 ",
                      precise = "eclipses --from 2024-01-01 --next --precise ";
    const std::tuple<int, std::string, const char*> cases[] = {
        {2, "eclipses --from 2001-02-30 --next",
         "--from: invalid date '2001-02-30': that month has no such day"},
        {2, "eclipses --from 2001-01-01", "--from requires --next or --prev"},
        {2, eclipses + "--count 0", "--count needs a whole number from 1 to 1000000, not '0'"},
        {2, eclipses + "--prev", "--next excludes --prev"},
        {2, eclipses + "--frmo x", "unknown option '--frmo'"},
        {2, "", "a command is required"},
        {2, "paths --from 2001-01-01 --next", "-o FILE is required"},
        {2, "paths --jde 1e300 -o DIR/x", "invalid instant '1e300'"},
        {2, "paths -o DIR/x --jde 2451401.9 -o DIR/x", "-o given more than once"},
        {1, "paths --jde 2451401.9 -o DIR/missing/x", "cannot write 'DIR/missing/x': No such file"},
        {2, precise + "--delta-t nan",
         "--delta-t needs TD - UT in seconds from -1000000 to 1000000, not 'nan'"},
        {2, precise + "--delta-t=-1000000.5", "not '-1000000.5'"},
        {2, "eclipses --from 2024-01-01 --next --delta-t 69", "--delta-t requires --precise"},
        {2, precise + "--sun-radius 899.9",
         "--sun-radius needs the Sun's radius at 1 AU in arcseconds from 900 to 1000, not '899.9'"},
        {2, local + "--at=-10,-180.01", "--at: longitude '-180.01' is outside -180 to 180 degrees"},
        {2, local + "--city san", "--city 'san' names 11 cities: Santiago, Santo Domingo, Sanya,"},
        {2, "local --jde 1", "--at LAT,LON[,HEIGHT_M] or --city NAME is required"},
#ifdef VELMOR_HAS_MAP
        {2, "map --centre 91,0 -o DIR/x.png", "--centre wants"},
        {2, "map -o DIR/x.jpg", "must end in .png or .svg"},
        {1, "map -o DIR/missing/x.png", "cannot write 'DIR/missing/x.png': No such"},
#endif
    };
    for (const auto& [status, args, message] : cases) {
        SCOPED_TRACE(args);
        const auto inDir = [&dir](std::string text) {
            for (size_t at; (at = text.find("DIR/")) != std::string::npos;)
                text.replace(at, 4, dir);
            return text;
        };
        ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
        const Program_Result r = RunCli(inDir(args));
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(r.out, "");
        // One line (debug builds also trace the world's counts), then the hint.
        EXPECT_EQ(Count("\n" + r.err, "\nvelmor-cli: "), 1) << r.err;
        EXPECT_NE(r.err.find(inDir(message)), std::string::npos) << r.err;
        const std::string command = args.substr(0, args.find(' '));
        const std::string hint = "Try 'velmor-cli" + (command.empty() ? "" : " " + command) +
                                 " --help' for more information.\n";
        EXPECT_EQ(r.err.find(hint) != std::string::npos, status == 2) << r.err;
        EXPECT_EQ(rmdir(dir.c_str()), 0) << "a file was left behind";
    }
}

// A full disc on standard output is an error, not a silent success.
TEST(BadInput, FullStandardOutput) {
    for (const char* args :
         {"eclipses --from 2001-01-01 --next --count 5", "paths --jde 2451401.96105 -o -",
          "local --at 40.4,-3.7 --from 2026-01-01 --next --count 3", "--help"}) {
        SCOPED_TRACE(args);
        const Program_Result r = RunCli(args, "/dev/full");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "velmor-cli: cannot write standard output: No space left on device\n");
    }
}

// The values of a feature's properties, without quotes, each followed by a blank.
std::string Values(const Feature& f) {
    std::string text;
    for (const auto& member : f.members) text += member.second + " ";
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

// The total eclipse of 11 August 1999: lines 3 and 4 are undrawn, the penumbra's right limit
// (line 6) misses the Earth, each limit carries its own magnitude and side, and the central
// line starts in the Atlantic south of Nova Scotia (longitude first). Stepping to it gives
// the same file as its instant, since the samples hang on the half hour.
TEST(PathsCommand, WritesTheLinesOfTheEclipseAsGeoJson) {
    const std::string path = testing::TempDir() + "velmor-paths-" + std::to_string(getpid());
    ASSERT_EQ(RunCli("paths --from 1999-08-01 --next -o " + path).status, 0);
    const Program_Result r = RunCli("paths --jde 2451401.96105 -o -");
    EXPECT_EQ(ReadText(path), r.out);
    std::remove(path.c_str());
    const std::vector<Feature> features = Features(r.out);
    ASSERT_FALSE(features.empty());
    EXPECT_EQ(features[0].coordinates.rfind("[[-56.48086,42.52114],", 0), 0u);
    std::string properties;
    for (const Feature& f : features) properties += Values(f) + "| ";
    EXPECT_EQ(properties,
              "0 central | 1 horizon | 2 horizon | 5 limit 0 left | 7 limit 0.2 left | "
              "8 limit 0.2 right | 9 limit 0.4 left | 10 limit 0.4 right | 11 limit 0.6 left | "
              "12 limit 0.6 right | 13 limit 0.8 left | 14 limit 0.8 right | 15 limit 1 left | "
              "16 limit 1 right | 17 outline 09:30 | 18 outline 10:00 | 19 outline 10:30 | "
              "20 outline 11:00 | 21 outline 11:30 | 22 outline 12:00 | 23 outline 12:30 | "
              "horizon-join [1,2] | horizon-join [1,2] | ");
}

// Far from the present the first outlines may hold a single point each: they become Point
// features that keep their labels. A negative instant is read in both forms.
TEST(PathsCommand, SinglePointOutlinesAndNegativeInstants) {
    std::string points;
    for (const Feature& f : Features(RunCli("paths --jde 3186388.985172 -o -").out))
        if (f.geometry == "Point") points += Values(f) + "| ";
    EXPECT_EQ(points, "17 outline 08:30 | 18 outline 09:00 | 19 outline 09:30 | ");
    const Program_Result apart = RunCli("paths --jde -1000 -o -");
    EXPECT_EQ(apart.status, 0);
    Features(apart.out);  // a whole collection, though of no features
    EXPECT_EQ(apart.out, RunCli("paths --jde=-1000 -o -").out);
    // Stepping past the supported years draws the last eclipse found, with a note.
    const Program_Result beyond = RunCli("paths --from 9999-06-01 --next --count 5 -o -");
    EXPECT_EQ(beyond.status, 0);
    EXPECT_EQ(beyond.err.rfind("velmor-cli: the eclipse of 10000-03-30 lies outside", 0), 0u);
}

// Each piece is written "| lon,lat lon,lat ...".
TEST(CutAtAntimeridian, SplitsWhereALineCrossesTheDateLine) {
    const std::pair<std::vector<Geo_Position>, const char*> cases[] = {
        {{{179, 10}, {-179, 20}}, "| 179,10 180,15| -180,15 -179,20"},
        {{{170, 0}, {-170, 10}, {170, 20}}, "| 170,0 180,5| -180,5 -170,10 -180,15| 180,15 170,20"},
    };
    for (const auto& [points, pieces] : cases) {
        std::ostringstream text;
        for (const auto& piece : CutAtAntimeridian(points)) {
            text << "|";
            for (const Geo_Position& p : piece) text << " " << p.longitude << "," << p.latitude;
        }
        EXPECT_EQ(text.str(), pieces);
    }
}

}  // namespace
