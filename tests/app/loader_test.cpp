#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <string>

#include "app/velmor_doc.h"
#include "platform/fatal.h"
#include "world_dir.h"

namespace {

#define EXPECT_FATAL(statement, message) \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS), message)

void ExpectAt(const Point& p, double latitude, double longitude) {
    Point expected(latitude, longitude);
    EXPECT_EQ(p.colatitude, expected.colatitude);
    EXPECT_EQ(p.longitude, expected.longitude);
}

TEST(Loader, ReadsTheFourTestFiles) {
    WorldDir dir;
    CVelmorDoc doc(dir.Path());
    EXPECT_EQ(doc.m_bWorldLoaded, 1);
    ASSERT_EQ(doc.m_nCities, 4);
    EXPECT_STREQ(doc.m_pCities[0].name, "New York");
    ExpectAt(doc.m_pCities[0], 40.714, -74.006);
    EXPECT_STREQ(doc.m_pCities[1].name, "Rio de Janeiro");
    ExpectAt(doc.m_pCities[1], -22.9, -43.2);
    EXPECT_STREQ(doc.m_pCities[2].name, "Accra");
    ExpectAt(doc.m_pCities[2], 5.6, -0.2);
    EXPECT_STREQ(doc.m_pCities[3].name, "Llanfairpwllgwyngyll gogerychwy");  // first 31
    ExpectAt(doc.m_pCities[3], 53.2, -4.2);

    ASSERT_EQ(doc.m_nLand, 2);
    ASSERT_EQ(doc.m_pLand[0].size, 3);
    ExpectAt(doc.m_pLand[0].NthPoint(0), 45, 10);
    ExpectAt(doc.m_pLand[0].NthPoint(1), 47, 12.5);  // after the comment line
    ExpectAt(doc.m_pLand[0].NthPoint(2), 44, 11);
    ASSERT_EQ(doc.m_pLand[1].size, 4);
    ExpectAt(doc.m_pLand[1].NthPoint(3), -20, -20);
    EXPECT_EQ(doc.m_pLand[1].owns, 1);
    EXPECT_EQ(doc.m_pLand[1].first, 0);
    EXPECT_EQ(doc.m_pLand[1].last, 4);

    ASSERT_EQ(doc.m_nRivers, 1);  // CR LF file whose last line has no line end
    ASSERT_EQ(doc.m_pRivers[0].size, 2);
    ExpectAt(doc.m_pRivers[0].NthPoint(1), 5, 35);
    ASSERT_EQ(doc.m_nWater, 1);
    EXPECT_EQ(doc.m_pWater[0].size, 4);
}

TEST(Loader, DebugBuildsTraceTheCounts) {
    WorldDir dir;
    testing::internal::CaptureStderr();
    { CVelmorDoc doc(dir.Path()); }
    const std::string trace = testing::internal::GetCapturedStderr();
#ifndef NDEBUG
    EXPECT_EQ(trace, "*** cit,lan,riv,wat=4,2,1,1\n");
#else
    EXPECT_EQ(trace, "");
#endif
}

struct PointLineCase {
    const char* label;
    std::string text;  // the point line before its line end
    bool loads;
    double longitude, latitude;
};

TEST(Loader, PointLinesAndWhatTheyGive) {
    const PointLineCase cases[] = {
        {"one number", "12.5", false, 0, 0},
        {"one number and a blank", "12.5 ", true, 12.5, 0},
        {"comma", "10,45", true, 10, 45},
        {"blanks around a comma", "10 , 45", true, 10, 45},
        {"comma and tab", "10,\t45", true, 10, 45},
        {"semicolon is no separator", "10;45", false, 0, 0},
        {"further tokens ignored", "10 45 99", true, 10, 45},
        {"words give zero", "abc def", true, 0, 0},
        {"leading separators skipped", " \t,10 45", true, 10, 45},
        {"blank then semicolon is data", " ;5 6", true, 0, 6},
        {"blank line", "", false, 0, 0},
    };
    WorldDir dir;
    CVelmorDoc doc(dir.Path());
    for (const PointLineCase& c : cases) {
        SCOPED_TRACE(c.label);
        dir.Write("P.LAN", "1\n2\n" + c.text + "\n1 1\n");
        int count = 0;
        Land* lands = nullptr;
        const std::string path = dir.File("P.LAN");
        if (!c.loads) {
            EXPECT_FATAL(doc.LoadLines(path.c_str(), count, lands),
                         "^NULL pointers in LoadLines\\(\\)\n$");
            continue;
        }
        doc.LoadLines(path.c_str(), count, lands);
        ASSERT_EQ(count, 1);
        ExpectAt(lands[0].NthPoint(0), c.latitude, c.longitude);
        ExpectAt(lands[0].NthPoint(1), 1, 1);
        delete[] lands;
    }
}

struct LoadCase {
    const char* label;
    const char* file;
    std::string content;  // the file's new content; empty: the file is removed
};

// A file that loads, for each kind.
TEST(Loader, EdgesOfTheFormatThatLoad) {
    const LoadCase cases[] = {
        {"count line with words after the number", "WORLD.LAN", "1 polyline\n2\n0 0\n1 1\n"},
        {"data after the last counted record is never read", "WORLD.LAN",
         "1\n2\n0 0\n1 1\nnonsense\n-5\n"},
        {"comment lines everywhere", "WORLD.RIV", ";a\n;b\n1\n;c\n2\n;d\n0 0\n;e\n1 1\n;f\n"},
        {"two-point polyline", "WORLD.WAT", "1\n2\n0 0\n1 1\n"},
        {"last line without line end", "WORLD.CIT", "1\nOslo 10.7 59.9"},
        {"a physical line of 83 characters gives two points", "WORLD.RIV",
         "1\n2\n1,2" + std::string(76, ' ') + "3,4\n"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.label);
        WorldDir dir;
        dir.Write(c.file, c.content);
        CVelmorDoc doc(dir.Path());
        EXPECT_EQ(doc.m_bWorldLoaded, 1);
    }
    WorldDir dir;
    dir.Write("WORLD.RIV", "1\n2\n1,2" + std::string(76, ' ') + "3,4\n");
    CVelmorDoc doc(dir.Path());
    ASSERT_EQ(doc.m_pRivers[0].size, 2);
    ExpectAt(doc.m_pRivers[0].NthPoint(0), 2, 1);
    ExpectAt(doc.m_pRivers[0].NthPoint(1), 4, 3);
}

const char* const OPEN_CIT = "^OpenFile\\(\\) from LoadNamedPoints\\(\\)\n$";
const char* const SKIP_CIT = "^SkipComment\\(\\) from LoadNamedPoints\\(\\)\n$";
const char* const GTZERO_CIT = "^GtZero\\(\\) from LoadNamedPoints\\(\\)\n$";
const char* const NOTNULL_CIT = "^NotNULL\\(\\) from LoadNamedPoints\\(\\)\n$";
const char* const TOKENS_CIT = "^NULL pointers in LoadNamedPoints\\(\\)\n$";
const char* const OPEN_LINES = "^OpenFile\\(\\) from LoadLines\\(\\)\n$";
const char* const SKIP_LINES = "^SkipComment\\(\\) from LoadLines\\(\\)\n$";
const char* const GTZERO_LINES = "^GtZero\\(\\) from LoadLines\\(\\)\n$";
const char* const NOTNULL_LINES = "^NotNULL\\(\\) from LoadLines\\(\\)\n$";
const char* const SIZE_LINES = "^illegal Point\\[\\] size in LoadLines\\(\\)\n$";
const char* const TOKENS_LINES = "^NULL pointers in LoadLines\\(\\)\n$";

struct FaultCase {
    const char* label;
    const char* file;
    std::string content;  // empty: the file is removed
    const char* message;
};

TEST(LoaderDeathTest, EveryFaultEndsTheProgramWithItsMessage) {
    const FaultCase cases[] = {
        {"cities file missing", "WORLD.CIT", "", OPEN_CIT},
        {"cities file only comments", "WORLD.CIT", "; nothing\n", SKIP_CIT},
        {"cities file ends before the last city", "WORLD.CIT", "3\nOslo 10 59\nLima -77 -12\n",
         SKIP_CIT},
        {"city count 0", "WORLD.CIT", "0\nOslo 10 59\n", GTZERO_CIT},
        {"city count negative", "WORLD.CIT", "-2\nOslo 10 59\n", GTZERO_CIT},
        {"city count not a number", "WORLD.CIT", "many\nOslo 10 59\n", GTZERO_CIT},
        {"city count beyond what the file can hold", "WORLD.CIT", "2000000000\nOslo 10 59\n",
         NOTNULL_CIT},
        {"city line of two tokens", "WORLD.CIT", "1\nOslo 10.7\n", TOKENS_CIT},
        {"blank city line", "WORLD.CIT", "1\n\n", TOKENS_CIT},
        {"coastlines missing", "WORLD.LAN", "", OPEN_LINES},
        {"rivers missing", "WORLD.RIV", "", OPEN_LINES},
        {"water missing", "WORLD.WAT", "", OPEN_LINES},
        {"polyline file empty", "WORLD.LAN", ";\n", SKIP_LINES},
        {"ends before a point count", "WORLD.RIV", "2\n2\n0 0\n1 1\n", SKIP_LINES},
        {"ends before a point line", "WORLD.WAT", "1\n3\n0 0\n1 1\n", SKIP_LINES},
        {"blank line for the polyline count", "WORLD.LAN", "\n1\n2\n0 0\n1 1\n", GTZERO_LINES},
        {"polyline count 0", "WORLD.LAN", "0\n", GTZERO_LINES},
        {"blank then semicolon is a data line", "WORLD.LAN", " ;1\n1\n2\n0 0\n1 1\n", GTZERO_LINES},
        {"polyline count beyond what the file can hold", "WORLD.RIV", "99999999\n2\n0 0\n1 1\n",
         NOTNULL_LINES},
        {"polyline of one point", "WORLD.LAN", "1\n1\n0 0\n", SIZE_LINES},
        {"point count 0", "WORLD.LAN", "1\n0\n", SIZE_LINES},
        {"blank line for a point count", "WORLD.WAT", "1\n\n0 0\n1 1\n", SIZE_LINES},
        {"point count beyond what the file can hold", "WORLD.WAT", "1\n2000000000\n0 0\n",
         SIZE_LINES},
        {"point line of one token", "WORLD.LAN", "1\n2\n12.5\n1 1\n", TOKENS_LINES},
        {"blank point line", "WORLD.RIV", "1\n2\n0 0\n\n", TOKENS_LINES},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.label);
        WorldDir dir;
        if (c.content.empty())
            dir.Remove(c.file);
        else
            dir.Write(c.file, c.content);
        EXPECT_FATAL(CVelmorDoc doc(dir.Path()), c.message);
    }
}

TEST(LoaderDeathTest, FilesAreReadInOrderCitiesLandRiversWater) {
    // A fault in the cities is found before one in the coastlines, which is found before
    // a missing rivers file.
    WorldDir dir;
    dir.Write("WORLD.LAN", "0\n");
    dir.Write("WORLD.RIV", "0\n");
    dir.Remove("WORLD.WAT");
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), GTZERO_LINES);
    dir.Write("WORLD.CIT", "1\nOslo\n");
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), TOKENS_CIT);
    dir.Write("WORLD.CIT", WorldDir::ReadTestFile("WORLD.CIT"));
    dir.Write("WORLD.LAN", WorldDir::ReadTestFile("WORLD.LAN"));
    dir.Remove("WORLD.RIV");
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), OPEN_LINES);
}

TEST(LoaderDeathTest, ADirectoryInPlaceOfAFileCannotBeOpened) {
    WorldDir dir;
    dir.Remove("WORLD.CIT");
    ASSERT_EQ(mkdir(dir.File("WORLD.CIT").c_str(), 0700), 0);
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), OPEN_CIT);
    rmdir(dir.File("WORLD.CIT").c_str());
}

}  // namespace
