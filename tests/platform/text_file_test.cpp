// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/platform/scratch_folder.h"

namespace {

TEST(TextFile, ReadsLinesOfAtMost79CharactersAndOpensOnlyFiles) {
    const std::string x79(79, 'x');
    const struct {
        const char* label;
        std::string content;
        std::vector<std::string> lines;
    } cases[] = {
        {"CR LF reads as one line end", "a\r\nbc\r\n", {"a\n", "bc\n"}},
        {"final line without a line end", "a\nlast", {"a\n", "last"}},
        {"the rest of a long line is the next line", x79 + "yz\n", {x79, "yz\n"}},
        {"exactly 79 characters then the line end", x79 + "\nz", {x79, "\n", "z"}},
        {"CR LF split at the buffer's end", x79.substr(1) + "\r\nz", {x79.substr(1) + "\n", "z"}},
    };
    const Scratch_Folder scratch;
    const std::string path = scratch.path + "text";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::ofstream(path, std::ios::binary) << c.content;
        CStdioFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CStdioFile::modeRead | CStdioFile::shareDenyWrite));
        std::vector<std::string> lines;
        char buffer[80];
        while (file.ReadString(buffer, sizeof buffer) != nullptr) lines.emplace_back(buffer);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);  // stays at the end
    }
    CStdioFile file;  // a missing file and a directory are not opened
    EXPECT_FALSE(file.Open((path + "-missing").c_str(), CStdioFile::modeRead));
    EXPECT_FALSE(file.Open(scratch.path.c_str(), CStdioFile::modeRead));
    char buffer[8];
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);
}

}  // namespace
