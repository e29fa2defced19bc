// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the four world data files into the document.
//
// Format: lines of at most 79 characters (longer ones are read in pieces), comment lines
// beginning with ';' anywhere, tokens separated by tabs, commas and blanks. A polyline
// file holds a count of polylines, then for each a count of points (at least 2) and one
// "longitude latitude" line per point; the cities file holds a count, then one
// "name longitude latitude" line per city, '_' in a name standing for a blank.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "app/checks.h"
#include "app/velmor_doc.h"
#include "platform/exe_path.h"
#include "platform/fatal.h"

namespace {

constexpr unsigned LINE_SIZE = 80;  // characters a read can hold, with the NUL
constexpr const char* SEPARATORS = "\t, ";

// Every counted record takes at least one line, and so at least one byte, of the file: a
// count beyond the file's size can never be met. Such a count is refused before memory is
// set aside for it, which could otherwise exhaust the machine for a damaged file.
bool CountFitsFile(int count, const CStdioFile& file) {
    return static_cast<unsigned long long>(count) <= file.GetLength();
}

// Reads the count line that opens a data file (after any comments) into count and sets
// aside that many default elements. A count of 0 or less ends the program with
// "GtZero() from <loader>", a count beyond the file's size or one that no memory is to be
// had for with "NotNULL() from <loader>"; comments up to the end of the file with
// skipMessage.
template <typename Element>
Element* ReadCountAndAllocate(CStdioFile& file, char* line, const char* skipMessage,
                              const std::string& loader, int& count) {
    SkipComment(file, line, LINE_SIZE, skipMessage);
    count = std::atoi(line);
    GtZero(count, ("GtZero() from " + loader).c_str());
    Element* array = CountFitsFile(count, file) ? new (std::nothrow)
                                                      Element[static_cast<size_t>(count)]
                                                : nullptr;
    NotNULL(array, ("NotNULL() from " + loader).c_str());
    return array;
}

}  // namespace

bool CVelmorDoc::LoadWorld() {
    std::string directory = m_dataDirectory;
    if (directory.empty()) {
        char path[platform::EXE_PATH_MAX];
        // Without the program's own folder there is nowhere to look (never the working
        // directory): the first file cannot be opened.
        if (platform::GetModuleFileName(path, sizeof path) == 0)
            platform::FatalAppExit("OpenFile() from LoadNamedPoints()");
        char* separator = std::strrchr(path, '/');
        if (separator != nullptr) separator[1] = '\0';
        directory = path;
    }
    LoadNamedPoints((directory + "WORLD.CIT").c_str(), m_nCities, m_pCities);
    LoadLines((directory + "WORLD.LAN").c_str(), m_nLand, m_pLand);
    LoadLines((directory + "WORLD.RIV").c_str(), m_nRivers, m_pRivers);
    LoadLines((directory + "WORLD.WAT").c_str(), m_nWater, m_pWater);
#ifndef NDEBUG
    std::fprintf(stderr, "*** cit,lan,riv,wat=%d,%d,%d,%d\n", m_nCities, m_nLand, m_nRivers,
                 m_nWater);
#endif
    return true;
}

void CVelmorDoc::LoadLines(const char* path, int& count, Land*& array) {
    static const char* const SKIP = "SkipComment() from LoadLines()";
    CStdioFile file;
    char line[LINE_SIZE];
    OpenFile(file, path, "OpenFile() from LoadLines()");
    array = ReadCountAndAllocate<Land>(file, line, SKIP, "LoadLines()", count);

    for (int i = 0; i < count; ++i) {
        SkipComment(file, line, LINE_SIZE, SKIP);
        const int n = std::atoi(line);
        if (n < 2 || !CountFitsFile(n, file))
            platform::FatalAppExit("illegal Point[] size in LoadLines()");
        array[i].Allocate(n);
        for (int j = 0; j < n; ++j) {
            SkipComment(file, line, LINE_SIZE, SKIP);
            char* rest = nullptr;
            const char* longitude = strtok_r(line, SEPARATORS, &rest);
            const char* latitude = strtok_r(nullptr, SEPARATORS, &rest);
            if (longitude == nullptr || latitude == nullptr)
                platform::FatalAppExit("NULL pointers in LoadLines()");
            array[i].NthPoint(j).SetGeo(std::atof(latitude), std::atof(longitude));
        }
    }
    file.Close();
}

void CVelmorDoc::LoadNamedPoints(const char* path, int& count, City*& array) {
    static const char* const SKIP = "SkipComment() from LoadNamedPoints()";
    CStdioFile file;
    char line[LINE_SIZE];
    OpenFile(file, path, "OpenFile() from LoadNamedPoints()");
    array = ReadCountAndAllocate<City>(file, line, SKIP, "LoadNamedPoints()", count);

    for (int i = 0; i < count; ++i) {
        SkipComment(file, line, LINE_SIZE, SKIP);
        char* rest = nullptr;
        const char* name = strtok_r(line, SEPARATORS, &rest);
        const char* longitude = strtok_r(nullptr, SEPARATORS, &rest);
        const char* latitude = strtok_r(nullptr, SEPARATORS, &rest);
        if (name == nullptr || longitude == nullptr || latitude == nullptr)
            platform::FatalAppExit("NULL pointers in LoadNamedPoints()");
        array[i].ResetGeo(std::atof(latitude), std::atof(longitude), name);
    }
    file.Close();
}
