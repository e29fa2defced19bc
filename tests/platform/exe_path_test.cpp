// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/exe_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/scratch_folder.h"

namespace {

std::string ModuleFileName() {
    char path[platform::EXE_PATH_MAX];
    return std::string(path, platform::GetModuleFileName(path, sizeof path));
}

// Without /proc the start name is resolved through PATH and links, never the working directory.
TEST(ExePath, AbsoluteAndWithoutProcTheStartNameThroughPathAndLinks) {
    namespace fs = std::filesystem;
    const std::string program = ModuleFileName();
    ASSERT_EQ(program.substr(program.rfind('/')), "/platform_tests");
    char small[6];
    EXPECT_EQ(platform::GetModuleFileName(small, sizeof small), 5u);
    EXPECT_EQ(std::string(small), program.substr(0, 5));
    const Scratch_Folder scratch;
    const std::string& folder = scratch.path;  // ends with '/'
    fs::create_symlink(program, folder + "velmor-link");
    std::ofstream(folder + "velmor-notes") << "";
    const fs::path workingDirectory = fs::current_path();
    fs::current_path(fs::path(program).parent_path());  // platform_tests must not be found here

    const std::string noProc = "/nonexistent/proc/self/exe";
    const struct {
        const char* label;
        std::string selfLink, startName, searchPath, expected;
    } rows[] = {
        {"the link to the executable", "/proc/self/exe", "", "", program},
        {"a symbolic link in another folder", noProc, folder + "velmor-link", "", program},
        {"a bare name found in PATH", noProc, "velmor-link", "/nonexistent:" + folder, program},
        {"a bare name of a file without the x bit", noProc, "velmor-notes", folder, ""},
        {"a bare name on no folder of PATH", noProc, "platform_tests", "/nonexistent:" + folder,
         ""},
        {"a broken link as start name", noProc, folder + "missing", "", ""},
        {"nothing known", "", "", "", ""},
    };
    for (const auto& row : rows) {
        const platform::Exe_Path_Source source{row.selfLink, row.startName, row.searchPath};
        platform::SetExePathSource(&source);
        EXPECT_EQ(ModuleFileName(), row.expected) << row.label;
    }
    platform::SetExePathSource(nullptr);
    EXPECT_EQ(ModuleFileName(), program);
    fs::current_path(workingDirectory);
}

}  // namespace
