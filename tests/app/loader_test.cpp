// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/velmor_doc.h"
#include "platform/exe_path.h"
#include "tests/platform/fatal_exit.h"
#include "tests/platform/scratch_folder.h"

// A scratch folder of four small valid world data files, which a test may overwrite.
struct WorldDir : Scratch_Folder {
    WorldDir() {
        for (const char* name : {"WORLD.LAN", "WORLD.RIV", "WORLD.WAT"})
            Write(name, "1\n2\n0 0\n1 1\n");
        Write("WORLD.CIT", "1\nOslo 10.7 59.9\n");
    }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(path + name, std::ios::binary) << text;
    }
};

// The loaders' faults: the file (empty content: missing) and the one line the program ends with.
const std::tuple<const char*, std::string, const char*> FAULTS[] = {
    {"WORLD.CIT", "", "OpenFile() from LoadNamedPoints()"},
    {"WORLD.CIT", "; only a comment\n", "SkipComment() from LoadNamedPoints()"},
    {"WORLD.CIT", "1\nOslo 10.7\n", "NULL pointers in LoadNamedPoints()"},
    {"WORLD.RIV", "1\n3\n0 0\n1 1\n", "SkipComment() from LoadLines()"},
    {"WORLD.LAN", "0\n", "GtZero() from LoadLines()"},
    {"WORLD.RIV", "99999999\n2\n0 0\n1 1\n", "NotNULL() from LoadLines()"},
    {"WORLD.LAN", "1\n1\n0 0\n", "illegal Point[] size in LoadLines()"},
    {"WORLD.LAN", "1\n2\n12.5\n1 1\n", "NULL pointers in LoadLines()"},
    // Blank lines are rows, not comments: a blank count, city and point.
    {"WORLD.CIT", "\n1\nOslo 10 59\n", "GtZero() from LoadNamedPoints()"},
    {"WORLD.CIT", "1\n\nOslo 10 59\n", "NULL pointers in LoadNamedPoints()"},
    {"WORLD.WAT", "1\n2\n\n1 1\n", "NULL pointers in LoadLines()"},
    {"WORLD.CIT", "3\nOslo 10 59\nRome 12 41\n", "SkipComment() from LoadNamedPoints()"},
    // The rivers are missing once the cities and the land have loaded.
    {"WORLD.RIV", "", "OpenFile() from LoadLines()"},
    // A comment of 100 characters is read as 79 and then 21, which is no comment.
    {"WORLD.CIT", ";" + std::string(99, 'x') + "\n1\nOslo 10 59\n",
     "GtZero() from LoadNamedPoints()"},
};

TEST(LoaderDeathTest, EveryFaultEndsTheProgramWithItsMessage) {
    for (const auto& [file, content, message] : FAULTS) {
        SCOPED_TRACE(content);
        WorldDir dir;
        dir.Write(file, content);
        if (content.empty()) std::filesystem::remove(dir.path + file);
        EXPECT_FATAL(CVelmorDoc doc(dir.path), message);
    }
}

TEST(Loader, PointLinesTheirSeparatorsAndComments) {
    const struct {
        const char* label;
        std::string text;  // between a point count of 2 and a line "1 1"
        double longitude0, latitude0, longitude1, latitude1;
    } cases[] = {
        {"one number and a blank: latitude 0", "12.5 ", 12.5, 0, 1, 1},
        {"comma and tab, further tokens ignored", "10,\t45 99", 10, 45, 1, 1},
        {"leading separators skipped", " \t,10 45", 10, 45, 1, 1},
        {"words give zero", "abc def", 0, 0, 1, 1},
        {"a blank then ';' is a point line", " ;5 6", 0, 6, 1, 1},
        {"82 characters are read as two lines", "1,2" + std::string(76, ' ') + "3,4", 1, 2, 3, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        WorldDir dir;
        dir.Write("WORLD.LAN", "1\n2\n" + c.text + "\n1 1\n");
        const CVelmorDoc doc(dir.path);
        const Point* got = doc.m_pLand[0].points;
        const Point p0(c.latitude0, c.longitude0), p1(c.latitude1, c.longitude1);
        EXPECT_EQ((std::vector<float>{got[0].colatitude, got[0].longitude, got[1].colatitude,
                                      got[1].longitude}),
                  (std::vector<float>{p0.colatitude, p0.longitude, p1.colatitude, p1.longitude}));
    }
}

// Where the program's own path is not known, the data files are not looked for in the
// working directory, though valid ones lie there.
TEST(LoaderDeathTest, WithoutTheProgramsPathTheWorkingDirectoryIsNotRead) {
    WorldDir dir;
    const platform::Exe_Path_Source nothingKnown;
    EXPECT_FATAL(
        {
            if (chdir(dir.path.c_str()) != 0) std::_Exit(99);
            platform::SetExePathSource(&nothingKnown);
            CVelmorDoc doc;
        },
        "OpenFile() from LoadNamedPoints()");
}
