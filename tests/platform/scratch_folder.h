// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh temporary folder for one test, removed with all it holds when the test is done.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

struct Scratch_Folder {
    std::string path = Make();  // ends with '/'
    ~Scratch_Folder() { std::filesystem::remove_all(path); }

    // The names in the folder or in one of its sub-folders (hidden ones too), sorted, each
    // followed by a blank.
    std::string Names(const std::string& sub = "") const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path + sub))
            names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        std::string text;
        for (const std::string& name : names) text += name + " ";
        return text;
    }

    static std::string Make() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmor_XXXXXX").string();
        return std::string(mkdtemp(pattern.data())) + "/";
    }
};
