// SPDX-License-Identifier: GPL-3.0-or-later
// Running the velmor-cli program as a user runs it, for the tests: its exit status,
// standard output and error; and reading the GeoJSON it writes back into features.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

struct Program_Result {
    int status = -1;  // exit status, or -1 if it did not exit normally
    std::string out, err;
};

inline std::string ReadText(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
}

// Runs velmor-cli with the words of args (separated by single blanks; no word holds one);
// its standard output goes to stdoutPath when one is given.
inline Program_Result RunCli(const std::string& args, const std::string& stdoutPath = "") {
    const std::string base = testing::TempDir() + "velmor-cli-" + std::to_string(getpid());
    std::string command = "'" VELMOR_CLI_PATH "'";
    for (size_t at = 0, end = 0; at < args.size(); at = end + 1) {
        end = std::min(args.find(' ', at), args.size());
        command += " '" + args.substr(at, end - at) + "'";
    }
    const std::string out = stdoutPath.empty() ? base + ".out" : stdoutPath;
    const int status =
        std::system((command + " </dev/null >'" + out + "' 2>'" + base + ".err'").c_str());
    const Program_Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(base + ".out"),
                           ReadText(base + ".err")};
    for (const char* ext : {".out", ".err"}) std::remove((base + ext).c_str());
    return r;
}

// How often what occurs in text.
inline int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// One feature of a FeatureCollection as velmor-cli writes it (a feature a line).
struct Feature {
    std::vector<std::pair<std::string, std::string>> members;  // properties, values as written
    std::string geometry;                                      // "Point", "LineString", ...
    std::string coordinates;
};

// The features of a whole FeatureCollection; a failure for anything else, or for a value
// that is not a number.
inline std::vector<Feature> Features(const std::string& geoJson) {
    const std::string start = "{\"type\":\"FeatureCollection\",\"features\":[", end = "]}\n",
                      head = "{\"type\":\"Feature\",\"properties\":{",
                      geometry = "},\"geometry\":{\"type\":\"", coordinates = "\",\"coordinates\":";
    static const std::regex member(R"re("(\w+)":(\[[^\]]*\]|"[^"]*"|[^,]*))re");
    std::vector<Feature> features;
    if (geoJson.rfind(start, 0) != 0 || geoJson.size() < start.size() + end.size() ||
        geoJson.compare(geoJson.size() - end.size(), end.size(), end) != 0) {
        ADD_FAILURE() << "not a FeatureCollection: " << geoJson.substr(0, 80);
        return features;
    }
    EXPECT_EQ(geoJson.find("nan"), std::string::npos);
    EXPECT_EQ(geoJson.find("inf"), std::string::npos);
    std::istringstream lines(
        geoJson.substr(start.size(), geoJson.size() - start.size() - end.size()));
    for (std::string line; std::getline(lines, line);) {
        const size_t g = line.find(geometry), c = line.find(coordinates, g);
        if (line.rfind(head, 0) != 0 || c == std::string::npos) {
            ADD_FAILURE() << "not a feature: " << line.substr(0, 120);
            break;
        }
        const size_t last = line.rfind("}}");
        Feature f{{},
                  line.substr(g + geometry.size(), c - g - geometry.size()),
                  line.substr(c + coordinates.size(), last - c - coordinates.size())};
        const std::string p = line.substr(head.size(), g - head.size());
        for (std::sregex_iterator m(p.begin(), p.end(), member), none; m != none; ++m)
            f.members.emplace_back((*m)[1], (*m)[2]);
        features.push_back(f);
    }
    return features;
}

// The value of a feature's member as written (texts in quotes); empty when it has none.
inline std::string Member(const Feature& f, const std::string& name) {
    for (const auto& [n, value] : f.members)
        if (n == name) return value;
    return "";
}
