// The velmor-cli program run as a user runs it: its exit status, standard output and error,
// and the files it writes or leaves alone.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
        {"", {"eclipses", "--from", "-585-05-01", "--next"}, HEADER + THALES},
        {"", {"eclipses", "--next", "--from=-585-05-01"}, HEADER + THALES},
        {"the eclipse of 10000-03-30 lies outside the supported years",
         {"eclipses", "--from", "9999-06-01", "--next", "--count", "5"},
         HEADER + "9999,11,2,21,48,5,-170140,Partial,0x28,0.7076,5373425.408395\n"
                  "10000,3,30,1,59,15,-170182,Partial,0x28,0.2634,5373573.582818\n"},
        {"the eclipse of -4714-10-14 lies outside",
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

// --help and --version act wherever they stand, even after a value that would be refused.
TEST(CommandLine, HelpAndVersion) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--help"},
         "Usage: velmor-cli eclipses --from DATE (--next | --prev) [--count N] [--precise "
         "[--delta-t SECONDS] [--sun-radius ARCSEC]]\n  or:  velmor-cli local (--at "},
        {{"-h"}, "\n  or:  velmor-cli paths (--from DATE (--next | --prev) [--count N] | --jde X)"},
        {{"help"}, "\nCommand paths:\n  Writes the lines"},
        {{"eclipses", "--from", "2001-02-30", "--help"},
         "Usage: velmor-cli eclipses --from DATE (--next | --prev) [--count N] [--precise"},
        {{"paths", "--jde", "1e300", "-h"}, "  -o, --output FILE"},
        {{"--version"}, "velmor-cli "},
        {{"paths", "--jde", "1", "--version", "--help"}, "velmor-cli "},
#ifdef VELMOR_HAS_MAP
        {{"map", "--help"}, "  --centre LAT,LON"},
#endif
    };
    for (const auto& [args, text] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Program_Result r = RunCli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find(text), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

// Every command refuses bad input with nothing on standard output and no file left behind:
// a wrong argument or date with status 2, one line naming it and a hint to --help; an
// output that cannot be written with status 1 and one line naming it.
TEST(BadInput, RefusedWithOneLineNoOutputNoFile) {
    const std::string dir = testing::TempDir() + "velmor-bad-" + std::to_string(getpid()) + "/";
    const std::string file = dir + "x", png = dir + "x.png";
    const std::tuple<std::vector<std::string>, const char*, int> cases[] = {
        {{"eclipses", "--from", "2001-02-30", "--next"},
         "--from: invalid date '2001-02-30': that month has no such day",
         2},
        {{"eclipses", "--from", "2001-01-01"}, "--from requires --next or --prev", 2},
        {{"eclipses", "--next"}, "--from is required", 2},
        {{"eclipses", "--from", "2001-01-01", "--next", "--count", "0"},
         "--count needs a whole number from 1 to 1000000, not '0'",
         2},
        {{"eclipses", "--from", "2001-01-01", "--from", "2002-01-01", "--next"},
         "--from given more than once",
         2},
        {{"eclipses", "--from", "2001-01-01", "--next", "--prev"}, "--next excludes --prev", 2},
        {{"eclipses", "--from", "2001-01-01", "--next", "--frmo", "x"},
         "unknown option '--frmo'",
         2},
        {{"eclipses", "--from", "2001-01-01", "--next", "--count"}, "--count needs a value", 2},
        {{"eclipse"}, "unknown command 'eclipse'", 2},
        {{}, "a command is required", 2},
        {{"paths", "--from", "2001-02-30", "--next", "-o", file}, "invalid date", 2},
        {{"paths", "--from", "2001-01-01", "--next"}, "-o FILE is required", 2},
        {{"paths", "--jde", "1e300", "-o", file}, "invalid instant '1e300'", 2},
        {{"paths", "--jde", "2451401.9", "--count", "2", "-o", file}, "--count excludes --jde", 2},
        {{"paths", "-o", file, "--jde", "2451401.9", "-o", file}, "-o given more than once", 2},
        {{"paths", "--jde", "2451401.9", "-o", dir + "missing/x"}, "cannot write", 1},
        // The precise engine's constants.
        {{"eclipses", "--from", "2024-01-01", "--next", "--precise", "--delta-t", "nan"},
         "--delta-t needs TD - UT in seconds from -1000000 to 1000000, not 'nan'",
         2},
        {{"eclipses", "--from", "2024-01-01", "--next", "--precise", "--delta-t", "inf"},
         "not 'inf'",
         2},
        {{"eclipses", "--from", "2024-01-01", "--next", "--precise", "--delta-t=-1000000.5"},
         "not '-1000000.5'",
         2},
        {{"eclipses", "--from", "2024-01-01", "--next", "--precise", "--delta-t", "69s"},
         "not '69s'",
         2},
        {{"eclipses", "--from", "2024-01-01", "--next", "--delta-t", "69"},
         "--delta-t requires --precise",
         2},
        {{"eclipses", "--from", "2024-01-01", "--next", "--precise", "--sun-radius", "899.9"},
         "--sun-radius needs the Sun's radius at 1 AU in arcseconds from 900 to 1000, not "
         "'899.9'",
         2},
        {{"paths", "--jde", "2460409.26", "--precise", "--sun-radius", "1000.1", "-o", file},
         "not '1000.1'",
         2},
        {{"paths", "--jde", "2460409.26", "--sun-radius", "960", "-o", file},
         "--sun-radius requires --precise",
         2},
        // The place of the local circumstances.
        {{"local", "--at", "90.5,0", "--jde", "2460409.26"},
         "--at: latitude '90.5' is outside -90 to 90 degrees",
         2},
        {{"local", "--at=-10,-180.01", "--jde", "2460409.26"},
         "--at: longitude '-180.01' is outside -180 to 180 degrees",
         2},
        {{"local", "--at", "10,20,-501", "--jde", "2460409.26"},
         "--at: height '-501' is outside -500 to 9000 m",
         2},
        {{"local", "--at", "10,20,9000.5", "--jde", "2460409.26"}, "height '9000.5'", 2},
        {{"local", "--at", "nan,20", "--jde", "2460409.26"},
         "--at wants LAT,LON or LAT,LON,HEIGHT_M (degrees, metres), not 'nan,20'",
         2},
        {{"local", "--at", "10", "--jde", "2460409.26"}, "not '10'", 2},
        {{"local", "--at", "10,20,30,40", "--jde", "2460409.26"}, "not '10,20,30,40'", 2},
        {{"local", "--at", "10,,20", "--jde", "2460409.26"}, "not '10,,20'", 2},
        {{"local", "--city", "Atlantis", "--jde", "2460409.26"},
         "--city: no city 'Atlantis' in the world data",
         2},
        {{"local", "--city", "san", "--jde", "2460409.26"},
         "--city 'san' names 11 cities: Santiago, Santo Domingo, Sanya, Sanaa,",
         2},
        {{"local", "--city", "ork", "--jde", "2460409.26"}, "did you mean New York City?", 2},
        {{"local", "--at", "10,20", "--city", "Madrid", "--jde", "2460409.26"},
         "--at excludes --city",
         2},
        {{"local", "--jde", "2460409.26"}, "--at LAT,LON[,HEIGHT_M] or --city NAME is required", 2},
        {{"local", "--at", "10,20"},
         "--from DATE with --next or --prev, or --jde X, is required",
         2},
        {{"local", "--at", "10,20", "--from", "2024-01-01"}, "--from requires --next or --prev", 2},
        {{"local", "--at", "10,20", "--jde", "2460409.26", "--delta-t", "1e7"}, "not '1e7'", 2},
#ifdef VELMOR_HAS_MAP
        {{"map", "--centre", "91,0", "-o", png}, "--centre wants", 2},
        {{"map", "-o", dir + "x.jpg"}, "must end in .png or .svg", 2},
        {{"map", "--jde", "2451401.9", "--prev", "-o", png}, "--prev excludes --jde", 2},
        {{"map", "-o", dir + "missing/x.png"}, "cannot write", 1},
        {{"map", "--jde", "2460409.26", "--precise", "--delta-t", "x", "-o", png},
         "--delta-t needs",
         2},
        {{"map", "--jde", "2460409.26", "--precise", "-o", dir + "missing/x.png"},
         "cannot write",
         1},
#endif
    };
    for (const auto& [args, message, status] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
        const Program_Result r = RunCli(args);
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(r.out, "");
        // One line (debug builds also trace the world's counts), then the hint.
        EXPECT_EQ(Count("\n" + r.err, "\nvelmor-cli: "), 1) << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        const std::string hint =
            "Try 'velmor-cli" +
            (args.empty() || args[0] == "eclipse" ? std::string() : " " + args[0]) +
            " --help' for more information.\n";
        EXPECT_EQ(r.err.find(hint) != std::string::npos, status == 2) << r.err;
        EXPECT_EQ(rmdir(dir.c_str()), 0) << "a file was left behind";
    }
}

// A full disc on standard output is an error, not a silent success.
TEST(BadInput, FullStandardOutput) {
    const std::vector<std::string> cases[] = {
        {"eclipses", "--from", "2001-01-01", "--next", "--count", "5"},
        {"eclipses", "--from", "-4713-01-01", "--next", "--count", "40000"},
        {"paths", "--jde", "2451401.96105", "-o", "-"},
        {"--help"},
        {"eclipses", "--from", "2001-01-01", "--next", "--count", "40", "--precise"},
        {"paths", "--jde", "2451401.96105", "--precise", "-o", "-"},
        {"local", "--at", "40.4,-3.7", "--from", "2026-01-01", "--next", "--count", "3"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Program_Result r = RunCli(args, "/dev/full");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "velmor-cli: cannot write standard output: No space left on device\n");
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

    // Each limit carries its own magnitude and side.
    std::string limits;
    for (size_t at = r.out.find("{\"line\":"); at != std::string::npos;
         at = r.out.find("{\"line\":", at + 1)) {
        const std::string properties = r.out.substr(at, r.out.find('}', at) - at);
        if (properties.find("\"limit\"") != std::string::npos) limits += properties + "\n";
    }
    EXPECT_EQ(limits,
              "{\"line\":5,\"kind\":\"limit\",\"magnitude\":0,\"side\":\"left\"\n"
              "{\"line\":7,\"kind\":\"limit\",\"magnitude\":0.2,\"side\":\"left\"\n"
              "{\"line\":8,\"kind\":\"limit\",\"magnitude\":0.2,\"side\":\"right\"\n"
              "{\"line\":9,\"kind\":\"limit\",\"magnitude\":0.4,\"side\":\"left\"\n"
              "{\"line\":10,\"kind\":\"limit\",\"magnitude\":0.4,\"side\":\"right\"\n"
              "{\"line\":11,\"kind\":\"limit\",\"magnitude\":0.6,\"side\":\"left\"\n"
              "{\"line\":12,\"kind\":\"limit\",\"magnitude\":0.6,\"side\":\"right\"\n"
              "{\"line\":13,\"kind\":\"limit\",\"magnitude\":0.8,\"side\":\"left\"\n"
              "{\"line\":14,\"kind\":\"limit\",\"magnitude\":0.8,\"side\":\"right\"\n"
              "{\"line\":15,\"kind\":\"limit\",\"magnitude\":1,\"side\":\"left\"\n"
              "{\"line\":16,\"kind\":\"limit\",\"magnitude\":1,\"side\":\"right\"\n");
}

// Far from the present the first outlines may hold a single point each: they become Point
// features that keep their labels. A negative instant is read in both forms.
TEST(PathsCommand, SinglePointOutlinesAndNegativeInstants) {
    const Program_Result r = RunCli({"paths", "--jde", "3186388.985172", "-o", "-"});
    EXPECT_EQ(r.status, 0);
    for (const char* label : {"08:30", "09:00", "09:30"}) {
        EXPECT_NE(r.out.find(std::string("\"kind\":\"outline\",\"label\":\"") + label +
                             "\"},\"geometry\":{\"type\":\"Point\",\"coordinates\":["),
                  std::string::npos)
            << label;
    }
    EXPECT_EQ(Count(r.out, "\"Point\""), 3);
    const Program_Result apart = RunCli({"paths", "--jde", "-1000", "-o", "-"});
    const Program_Result joined = RunCli({"paths", "--jde=-1000", "-o", "-"});
    EXPECT_EQ(apart.status, 0);
    EXPECT_EQ(apart.out.rfind("{\"type\":\"FeatureCollection\"", 0), 0u) << apart.err;
    EXPECT_EQ(apart.out, joined.out);
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
