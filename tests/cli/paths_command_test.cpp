#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "cli/overlay_geojson.h"
#include "run_program.h"

namespace {

const std::string CLI = VELMOR_CLI_PATH;

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(PathsCommand, WritesTheLinesOfTheEclipseAsGeoJson) {
    const Program_Result r = RunProgram(CLI, {"paths", "--jde", "2451401.96105", "-o", "-"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& json = r.out;
    EXPECT_EQ(json.rfind("{\"type\":\"FeatureCollection\",\"features\":[", 0), 0u);
    EXPECT_EQ(Count(json, "\"kind\":\"central\""), 1);
    EXPECT_EQ(Count(json, "\"kind\":\"horizon\""), 2);  // lines 1 and 2; 3 and 4 undrawn
    EXPECT_EQ(Count(json, "\"kind\":\"horizon-join\""), 2);
    EXPECT_EQ(Count(json, "\"kind\":\"outline\""), 7);
    EXPECT_EQ(Count(json, "\"label\":\"09:30\""), 1);
    EXPECT_EQ(Count(json, "\"label\":\"12:30\""), 1);
    EXPECT_EQ(Count(json, "\"magnitude\":1,\"side\":\"left\""), 1);  // the umbra's limits
    EXPECT_EQ(Count(json, "\"magnitude\":1,\"side\":\"right\""), 1);
    EXPECT_EQ(Count(json, "\"line\":6,"), 0);  // the penumbra's right limit misses the Earth
    // The central line's first point, in longitude, latitude order: it starts in the
    // Atlantic south of Nova Scotia.
    const std::regex central(R"(\"kind\":\"central\"\},\"geometry\":\{\"type\":\"LineString\",)"
                             R"(\"coordinates\":\[\[(-?[0-9.]+),(-?[0-9.]+)\])");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(json, m, central));
    EXPECT_LT(std::stod(m[1]), -40.0);
    EXPECT_GT(std::stod(m[2]), 35.0);
}

TEST(PathsCommand, StepsToTheEclipseAndWritesTheFileWhole) {
    const std::string path = testing::TempDir() + "paths-test.geojson";
    std::remove(path.c_str());
    const Program_Result r =
        RunProgram(CLI, {"paths", "--from", "1999-08-01", "--next", "-o", path});
    ASSERT_EQ(r.status, 0) << r.err;
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    // The same lines as for the instant itself: the samples hang on the half hour.
    const Program_Result direct = RunProgram(CLI, {"paths", "--jde", "2451401.961376", "-o", "-"});
    EXPECT_EQ(text.str(), direct.out);
    EXPECT_EQ(Count(text.str(), "\"kind\":\"outline\""), 7);
    std::remove(path.c_str());
}

TEST(PathsCommand, RefusesBadInputAndWritesNoFile) {
    const std::string path = testing::TempDir() + "paths-refused.geojson";
    const struct {
        const char* label;
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {"invalid date", {"paths", "--from", "2001-02-30", "--next", "-o", path}, "invalid date"},
        {"no output", {"paths", "--from", "2001-01-01", "--next"}, "-o FILE"},
        {"no eclipse", {"paths", "-o", path}, "--jde X"},
        {"both ways",
         {"paths", "--jde", "2451401.9", "--from", "2001-01-01", "--next", "-o", path},
         "excludes"},
        {"instant not a number", {"paths", "--jde", "soon", "-o", path}, "invalid instant"},
        {"instant out of range", {"paths", "--jde", "1e300", "-o", path}, "invalid instant"},
        {"folder missing",
         {"paths", "--jde", "2451401.9", "-o", "/nonexistent/x.geojson"},
         "cannot write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::remove(path.c_str());
        const Program_Result r = RunProgram(CLI, c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_NE(access(path.c_str(), F_OK), 0);
    }
}

TEST(CutAtAntimeridian, SplitsWhereALineCrossesTheDateLine) {
    const struct {
        const char* label;
        std::vector<Geo_Position> points;
        std::vector<std::vector<Geo_Position>> pieces;
    } cases[] = {
        {"no crossing", {{10, 5}, {20, 6}}, {{{10, 5}, {20, 6}}}},
        {"eastwards across",
         {{179, 10}, {-179, 20}},
         {{{179, 10}, {180, 15}}, {{-180, 15}, {-179, 20}}}},
        {"westwards across, off centre",
         {{-178, 0}, {177, 30}, {170, 31}},
         {{{-178, 0}, {-180, 12}}, {{180, 12}, {177, 30}, {170, 31}}}},
        {"across twice",
         {{170, 0}, {-170, 10}, {170, 20}},
         {{{170, 0}, {180, 5}}, {{-180, 5}, {-170, 10}, {-180, 15}}, {{180, 15}, {170, 20}}}},
        {"across the Greenwich meridian is no cut", {{-1, 0}, {1, 0}}, {{{-1, 0}, {1, 0}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto pieces = CutAtAntimeridian(c.points);
        ASSERT_EQ(pieces.size(), c.pieces.size());
        for (size_t i = 0; i < pieces.size(); ++i) {
            ASSERT_EQ(pieces[i].size(), c.pieces[i].size()) << i;
            for (size_t j = 0; j < pieces[i].size(); ++j) {
                EXPECT_NEAR(pieces[i][j].longitude, c.pieces[i][j].longitude, 1e-12);
                EXPECT_NEAR(pieces[i][j].latitude, c.pieces[i][j].latitude, 1e-12);
            }
        }
    }
}

}  // namespace
