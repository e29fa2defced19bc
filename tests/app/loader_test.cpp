#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "app/velmor_doc.h"
#include "platform/fatal.h"
#include "world_dir.h"

namespace {

// The death test pattern of a loader message: the whole line, brackets escaped.
std::string Fatal(const std::string& message) {
    std::string pattern = "^";
    for (char c : message)
        pattern += std::string(c == '(' || c == ')' || c == '[' || c == ']' ? "\\" : "") + c;
    return pattern + "\n$";
}

#define EXPECT_FATAL(statement, message) \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS), Fatal(message))

void ExpectAt(const Point& p, double latitude, double longitude) {
    Point expected(latitude, longitude);
    EXPECT_EQ(p.colatitude, expected.colatitude);
    EXPECT_EQ(p.longitude, expected.longitude);
}

TEST(Loader, ReadsTheFourTestFiles) {
    WorldDir dir;
    testing::internal::CaptureStderr();
    CVelmorDoc doc(dir.Path());
    const std::string trace = testing::internal::GetCapturedStderr();
#ifndef NDEBUG
    EXPECT_EQ(trace, "*** cit,lan,riv,wat=4,2,1,1\n");  // debug builds trace the counts
#else
    EXPECT_EQ(trace, "");
#endif
    EXPECT_EQ(doc.m_bWorldLoaded, 1);
    const struct {
        const char* name;
        double latitude, longitude;
    } cities[] = {{"New York", 40.714, -74.006},
                  {"Rio de Janeiro", -22.9, -43.2},
                  {"Accra", 5.6, -0.2},
                  {"Llanfairpwllgwyngyll gogerychwy", 53.2, -4.2}};  // its first 31
    ASSERT_EQ(doc.m_nCities, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(doc.m_pCities[i].name, cities[i].name);
        ExpectAt(doc.m_pCities[i], cities[i].latitude, cities[i].longitude);
    }
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

TEST(Loader, PointLinesAndWhatTheyGive) {
    const struct {
        const char* label;
        std::string text;  // the point line before its line end
        double longitude, latitude;
    } cases[] = {
        {"one number and a blank", "12.5 ", 12.5, 0},
        {"comma", "10,45", 10, 45},
        {"blanks around a comma", "10 , 45", 10, 45},
        {"comma and tab", "10,\t45", 10, 45},
        {"further tokens ignored", "10 45 99", 10, 45},
        {"words give zero", "abc def", 0, 0},
        {"leading separators skipped", " \t,10 45", 10, 45},
        {"blank then semicolon is data", " ;5 6", 0, 6},
    };
    WorldDir dir;
    CVelmorDoc doc(dir.Path());
    const std::string path = dir.File("P.LAN");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const bool split = c.text.size() > 79;
        dir.Write("P.LAN",
                  std::string(split ? "1\n2\n" : "1\n2\n") + c.text + (split ? "\n" : "\n1 1\n"));
        int count = 0;
        Land* lands = nullptr;
        doc.LoadLines(path.c_str(), count, lands);
        ASSERT_EQ(count, 1);
        ExpectAt(lands[0].NthPoint(0), c.latitude, c.longitude);
        ExpectAt(lands[0].NthPoint(1), 1, 1);
        delete[] lands;
    }
}

TEST(Loader, EdgesOfTheFormatThatLoad) {
    const struct {
        const char* label;
        const char* file;
        std::string content;
    } cases[] = {
        {"count line with words after the number", "WORLD.LAN", "1 polyline\n2\n0 0\n1 1\n"},
        {"data after the last counted record is never read", "WORLD.LAN",
         "1\n2\n0 0\n1 1\nnonsense\n-5\n"},
        {"comment lines everywhere", "WORLD.RIV", ";a\n;b\n1\n;c\n2\n;d\n0 0\n;e\n1 1\n;f\n"},
        {"two-point polyline", "WORLD.WAT", "1\n2\n0 0\n1 1\n"},
        {"last line without line end", "WORLD.CIT", "1\nOslo 10.7 59.9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        WorldDir dir;
        dir.Write(c.file, c.content);
        EXPECT_EQ(CVelmorDoc(dir.Path()).m_bWorldLoaded, 1);
    }
    WorldDir dir;  // a physical line of 83 characters gives two points
    dir.Write("WORLD.RIV", "1\n2\n1,2" + std::string(76, ' ') + "3,4\n");
    CVelmorDoc doc(dir.Path());
    ASSERT_EQ(doc.m_pRivers[0].size, 2);
    ExpectAt(doc.m_pRivers[0].NthPoint(0), 2, 1);
    ExpectAt(doc.m_pRivers[0].NthPoint(1), 4, 3);
}

TEST(LoaderDeathTest, EveryFaultEndsTheProgramWithItsMessage) {
    const std::string OPEN_CIT = "OpenFile() from LoadNamedPoints()",
                      SKIP_CIT = "SkipComment() from LoadNamedPoints()",
                      GTZERO_CIT = "GtZero() from LoadNamedPoints()",
                      NOTNULL_CIT = "NotNULL() from LoadNamedPoints()",
                      TOKENS_CIT = "NULL pointers in LoadNamedPoints()",
                      OPEN_LINES = "OpenFile() from LoadLines()",
                      SKIP_LINES = "SkipComment() from LoadLines()",
                      GTZERO_LINES = "GtZero() from LoadLines()",
                      NOTNULL_LINES = "NotNULL() from LoadLines()",
                      SIZE_LINES = "illegal Point[] size in LoadLines()",
                      TOKENS_LINES = "NULL pointers in LoadLines()";
    const struct {
        const char* label;
        const char* file;
        std::string content;  // empty: the file is removed
        std::string message;
    } cases[] = {
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
        {"semicolon is no separator", "WORLD.LAN", "1\n2\n10;45\n1 1\n", TOKENS_LINES},
        {"blank point line", "WORLD.RIV", "1\n2\n0 0\n\n", TOKENS_LINES},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        WorldDir dir;
        if (c.content.empty())
            dir.Remove(c.file);
        else
            dir.Write(c.file, c.content);
        EXPECT_FATAL(CVelmorDoc doc(dir.Path()), c.message);
    }
    // The files are read in order: each fault is found once those before it are mended.
    WorldDir dir;
    dir.Write("WORLD.CIT", "1\nOslo\n");
    dir.Write("WORLD.LAN", "1\n1\n0 0\n");
    dir.Write("WORLD.RIV", "0\n");
    dir.Remove("WORLD.WAT");
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), TOKENS_CIT);
    dir.Write("WORLD.CIT", WorldDir::ReadTestFile("WORLD.CIT"));
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), SIZE_LINES);
    dir.Write("WORLD.LAN", WorldDir::ReadTestFile("WORLD.LAN"));
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), GTZERO_LINES);
    dir.Write("WORLD.RIV", WorldDir::ReadTestFile("WORLD.RIV"));
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), OPEN_LINES);
    // A directory in place of a file cannot be opened.
    dir.Remove("WORLD.CIT");
    ASSERT_EQ(mkdir(dir.File("WORLD.CIT").c_str(), 0700), 0);
    EXPECT_FATAL(CVelmorDoc doc(dir.Path()), OPEN_CIT);
    rmdir(dir.File("WORLD.CIT").c_str());
}

}  // namespace
