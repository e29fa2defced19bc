// The velmor-cli program run as a user runs it: its exit status, standard output and error,
// and the files it writes or leaves alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/overlay_geojson.h"

namespace {

struct Program_Result {
    int status = -1;  // exit status, or -1 if it did not exit normally
    std::string out, err;
};

std::string ReadText(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
}

Program_Result RunCli(const std::vector<std::string>& args) {
    const std::string base = testing::TempDir() + "velmor-cli-" + std::to_string(getpid());
    std::string command = "'" VELMOR_CLI_PATH "'";
    for (const std::string& a : args) command += " '" + a + "'";
    const int status =
        std::system((command + " </dev/null >'" + base + ".out' 2>'" + base + ".err'").c_str());
    const Program_Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(base + ".out"),
                           ReadText(base + ".err")};
    for (const char* ext : {".out", ".err"}) std::remove((base + ext).c_str());
    return r;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

const std::string HEADER =
    "year,month,day,hour,minute,second,ut_minus_td,type,flags,magnitude,jde\n";

// An eclipse outside the supported years is still listed, and the listing ends there with a
// one-line note.
TEST(EclipsesCommand, ListsEclipsesAsCsv) {
    const std::tuple<const char*, std::vector<std::string>, std::string> cases[] = {
        {"",
         {"eclipses", "--from", "2001-01-01", "--next", "--count", "7"},
         HEADER + "2001,6,21,12,5,5,-103,Total,0x11,,2452082.003529\n"
                  "2001,12,14,20,53,24,-103,Annular,0x12,,2452258.370413\n"
                  "2002,6,10,23,45,52,-104,Annular,0x12,,2452436.490188\n"
                  "2002,12,4,7,32,45,-104,Total,0x11,,2452612.814411\n"
                  "2003,5,31,4,9,19,-105,Annular,0x12,,2452790.673134\n"
                  "2003,11,23,22,50,42,-105,Total,0x11,,2452967.451875\n"
                  "2004,4,19,13,35,16,-106,Partial,0x28,0.7361,2453115.066158\n"},
        {"",
         {"eclipses", "--from=2005-01-01", "--next"},
         HEADER + "2005,4,8,20,37,8,-107,Annular-Total,0x14,,2453469.359120\n"},
        {"",
         {"eclipses", "--from=1928-05-01", "--next"},
         HEADER + "1928,5,19,13,23,42,-41,Total Annular ; Noncentral,0x23,,2425386.058127\n"},
        {"outside the supported years",
         {"eclipses", "--from", "9999-06-01", "--next", "--count", "5"},
         HEADER + "9999,11,2,21,48,5,-170140,Partial,0x28,0.7076,5373425.408395\n"
                  "10000,3,30,1,59,15,-170182,Partial,0x28,0.2634,5373573.582818\n"},
        {"outside the supported years",
         {"eclipses", "--from", "-4713-06-01", "--prev", "--count", "5"},
         HEADER + "-4713,4,8,22,6,26,-167547,Annular,0x12,,98.421139\n"
                  "-4714,10,14,20,1,28,-167601,Total,0x11,,-78.665643\n"},
    };
    for (const auto& [note, args, out] : cases) {
        SCOPED_TRACE(args[2]);
        const Program_Result r = RunCli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, out);
        EXPECT_EQ(Count(r.err, "\n"), *note ? 1 : 0) << r.err;
        EXPECT_NE(r.err.find(note), std::string::npos) << r.err;
    }
}

TEST(EclipsesCommand, HelpAndVersion) {
    const Program_Result help = RunCli({"--help"}), version = RunCli({"--version"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("  eclipses   list"), std::string::npos) << help.out;
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("velmor-cli ", 0), 0u) << version.out;
}

// Every command refuses bad input with status 2, nothing on standard output and no file left
// behind: argument errors print the usage (the map command's a one-line hint instead), a
// refused date or a failed write one line saying what is wrong.
TEST(BadInput, StatusTwoNoOutputNoFile) {
    const std::string dir = testing::TempDir() + "velmor-bad-" + std::to_string(getpid()) + "/";
    const std::string file = dir + "x", png = dir + "x.png";
    const std::tuple<std::vector<std::string>, const char*, bool> cases[] = {
        {{"eclipses", "--from", "2001-02-30", "--next"}, "invalid date", false},
        {{"eclipses", "--from", "2001-01-01"}, "--next", true},
        {{"eclipses", "--from", "2001-01-01", "--next", "--count", "0"}, "--count", true},
        {{"eclipse"}, "unknown command", true},
        {{}, "usage", true},
        {{"paths", "--from", "2001-02-30", "--next", "-o", file}, "invalid date", false},
        {{"paths", "--from", "2001-01-01", "--next"}, "-o FILE", true},
        {{"paths", "--jde", "1e300", "-o", file}, "invalid instant", false},
        {{"paths", "--jde", "2451401.9", "-o", dir + "missing/x"}, "cannot write", false},
#ifdef VELMOR_HAS_MAP
        {{"map", "--centre", "91,0", "-o", png}, "--centre wants", false},
        {{"map", "-o", dir + "x.jpg"}, "must end in .png or .svg", false},
        {{"map", "--jde", "2451401.9", "--prev", "-o", png}, "excludes", false},
        {{"map", "-o", dir + "missing/x.png"}, "cannot write", false},
#endif
    };
    for (const auto& [args, message, usage] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
        const Program_Result r = RunCli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("usage:") != std::string::npos, usage) << r.err;
        if (!usage) {  // one line of its own (debug builds also trace the world's counts)
            EXPECT_EQ(Count("\n" + r.err, "\nvelmor-cli"), 1) << r.err;
        }
        EXPECT_EQ(rmdir(dir.c_str()), 0) << "a file was left behind";
    }
}

// The total eclipse of 11 August 1999: lines 3 and 4 are undrawn, the penumbra's right limit
// (line 6) misses the Earth, and the central line starts in the Atlantic south of Nova Scotia
// (longitude first). Stepping to it gives the same file as its instant, since the samples
// hang on the half hour.
TEST(PathsCommand, WritesTheLinesOfTheEclipseAsGeoJson) {
    const std::string path = testing::TempDir() + "velmor-paths-" + std::to_string(getpid());
    ASSERT_EQ(RunCli({"paths", "--from", "1999-08-01", "--next", "-o", path}).status, 0);
    const Program_Result r = RunCli({"paths", "--jde", "2451401.96105", "-o", "-"});
    EXPECT_EQ(ReadText(path), r.out);
    std::remove(path.c_str());
    // How often each of these occurs, in order.
    std::string counts;
    for (const char* what :
         {"\"kind\":\"central\"},\"geometry\":{\"type\":\"LineString\",\"coordinates\":[[-56.48086,"
          "42.52114],",
          "{\"type\":\"FeatureCollection\",\"features\":[", "\"kind\":\"horizon\"",
          "\"kind\":\"horizon-join\"", "\"kind\":\"outline\"", "\"label\":\"09:30\"",
          "\"label\":\"12:30\"", "\"magnitude\":1,\"side\":\"left\"",
          "\"magnitude\":1,\"side\":\"right\"", "\"line\":6,"})
        counts += std::to_string(Count(r.out, what)) + " ";
    EXPECT_EQ(counts, "1 1 2 2 7 1 1 1 1 0 ");
}

TEST(CutAtAntimeridian, SplitsWhereALineCrossesTheDateLine) {
    // Each piece is written "| lon,lat lon,lat ...".
    const std::pair<std::vector<Geo_Position>, const char*> cases[] = {
        {{{179, 10}, {-179, 20}}, "| 179,10 180,15| -180,15 -179,20"},
        {{{-178, 0}, {177, 30}, {170, 31}}, "| -178,0 -180,12| 180,12 177,30 170,31"},
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
