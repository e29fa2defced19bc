// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "app/velmor_doc.h"
#include "platform/exe_path.h"
#include "platform/text_file.h"
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
    {"WORLD.CIT", "-2\nOslo 10 59\n", "GtZero() from LoadNamedPoints()"},
    {"WORLD.CIT", "2000000000\nOslo 10 59\n", "NotNULL() from LoadNamedPoints()"},
    {"WORLD.CIT", "1\nOslo 10.7\n", "NULL pointers in LoadNamedPoints()"},
    {"WORLD.WAT", "", "OpenFile() from LoadLines()"},
    {"WORLD.RIV", "1\n3\n0 0\n1 1\n", "SkipComment() from LoadLines()"},
    {"WORLD.LAN", "0\n", "GtZero() from LoadLines()"},
    {"WORLD.RIV", "99999999\n2\n0 0\n1 1\n", "NotNULL() from LoadLines()"},
    {"WORLD.LAN", "1\n1\n0 0\n", "illegal Point[] size in LoadLines()"},
    {"WORLD.LAN", "1\n2\n12.5\n1 1\n", "NULL pointers in LoadLines()"},
    {"WORLD.LAN", "1\n2\n10;45\n1 1\n", "NULL pointers in LoadLines()"},  // ';' separates nothing
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
        {"comma", "10,45", 10, 45, 1, 1},
        {"comma and tab, further tokens ignored", "10,\t45 99", 10, 45, 1, 1},
        {"a blank then ';' is a point line", " ;5 6", 0, 6, 1, 1},
        {"a comment between points", "10 45\n; comment", 10, 45, 1, 1},
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

// One to four random changes: bytes replaced, inserted or removed, the text cut, pieces
// repeated, long numbers or runs of blanks put in.
std::string Damage(std::string text, std::mt19937& random) {
    static const std::string BYTES("0123456789-+.,;\t \n\r_eExZ\0\xff", 26);
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    for (size_t changes = 1 + pick(4); changes > 0 && !text.empty(); --changes) {
        const size_t at = pick(text.size()), kind = pick(7);
        if (kind == 0) text[at] = BYTES[pick(BYTES.size())];
        if (kind == 1) text.insert(at, 1, BYTES[pick(BYTES.size())]);
        if (kind == 2) text.erase(at, 1 + pick(8));
        if (kind == 3) text.resize(at);
        if (kind == 4) text.insert(at, text.substr(at, pick(40)));
        if (kind == 5) text.insert(at, std::string(1 + pick(12), "0123456789"[pick(10)]));
        if (kind == 6) text.insert(at, std::string(60 + pick(60), ' '));
    }
    return text;
}

// What the loader rules predict for the file's content: "" when it loads, else the message
// it ends with. Its rows are the pieces the text reader hands out, those beginning with ';'
// skipped, each read as text up to a NUL. Counts must be positive and no larger than the
// file's size, point counts at least 2.
std::string Predicted(const std::string& path, const std::string& content, bool cities) {
    const std::string loader = cities ? "LoadNamedPoints()" : "LoadLines()";
    CStdioFile file;
    file.Open(path.c_str(), CStdioFile::modeRead);
    char line[80];
    auto row = [&] {  // the next row that is no comment, false at the end of the file
        do {
            if (file.ReadString(line, sizeof line) == nullptr) return false;
        } while (line[0] == ';');
        return true;
    };
    auto tokens = [&] {
        int n = 0;
        char* rest = nullptr;
        for (char* t = strtok_r(line, "\t, ", &rest); t && n < 3;
             t = strtok_r(nullptr, "\t, ", &rest))
            ++n;
        return n;
    };
    if (!row()) return "SkipComment() from " + loader;
    const int count = std::atoi(line);
    if (count <= 0) return "GtZero() from " + loader;
    if (static_cast<size_t>(count) > content.size()) return "NotNULL() from " + loader;
    for (int i = 0; i < count; ++i) {
        if (!row()) return "SkipComment() from " + loader;
        if (cities && tokens() < 3) return "NULL pointers in " + loader;
        if (cities) continue;
        const int n = std::atoi(line);
        if (n < 2 || static_cast<size_t>(n) > content.size())
            return "illegal Point[] size in " + loader;
        for (int j = 0; j < n; ++j) {
            if (!row()) return "SkipComment() from " + loader;
            if (tokens() < 2) return "NULL pointers in " + loader;
        }
    }
    return "";
}

// Loads a file in the child process of a death test, and ends it: a hang ends it by a signal.
void LoadAndExit(CVelmorDoc& doc, const char* file, bool cities) {
    alarm(10);
    if (cities) doc.LoadNamedPoints(file, doc.m_nCities, doc.m_pCities);
    if (!cities) doc.LoadLines(file, doc.m_nLand, doc.m_pLand);
    _exit(0);
}

// Each damaged copy loads or ends with the message the loader rules predict for it.
TEST(DamagedFilesDeathTest, EachCopyLoadsOrEndsWithThePredictedMessage) {
    const std::string valid[] = {
        "; cities\n3\nNew_York -74.006 40.714\nRio_de_Janeiro,-43.2,-22.9\nAccra\t-0.2\t5.6\n",
        "; polylines\n3\n3\n10, 45.5\n; between points\n12.5\t47\n11,44\n2\n-20 -10\n-10 -10\n"
        "4\n1 2\n3 4\n5 6\n7 8\n"};
    WorldDir dir;
    CVelmorDoc doc(dir.path);
    const std::string file = dir.path + "DAMAGED";
    std::mt19937 random(20240611);
    for (int copy = 0; copy < 3000; ++copy) {
        const bool cities = copy % 3 == 0;
        const std::string content = Damage(valid[cities ? 0 : 1], random);
        dir.Write("DAMAGED", content);
        const std::string message = Predicted(file, content, cities);
        EXPECT_EXIT(LoadAndExit(doc, file.c_str(), cities),
                    ::testing::ExitedWithCode(message.empty() ? 0 : platform::FATAL_EXIT_STATUS),
                    ::testing::Matcher<const std::string&>(message.empty() ? "" : message + "\n"))
            << content;
        if (HasFailure()) return;
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
