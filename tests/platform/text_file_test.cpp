#include "platform/text_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmor_text_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        for (const std::string& f : m_files) unlink(f.c_str());
        rmdir(m_dir.c_str());
    }
    std::string Write(const std::string& content) {
        std::string path = m_dir + "/f" + std::to_string(m_files.size());
        std::ofstream(path, std::ios::binary) << content;
        m_files.push_back(path);
        return path;
    }
    // Every line ReadString gives with the buffer size, until it returns null.
    std::vector<std::string> ReadAll(const std::string& content, unsigned size) {
        CStdioFile file;
        EXPECT_TRUE(
            file.Open(Write(content).c_str(), CStdioFile::modeRead | CStdioFile::shareDenyWrite));
        EXPECT_EQ(file.GetLength(), content.size());
        std::vector<std::string> lines;
        std::vector<char> buffer(size);
        while (file.ReadString(buffer.data(), size) != nullptr) lines.emplace_back(buffer.data());
        EXPECT_EQ(file.ReadString(buffer.data(), size), nullptr);  // stays at the end
        file.Close();
        return lines;
    }

    std::string m_dir;
    std::vector<std::string> m_files;
};

TEST_F(TextFileTest, ReadsLinesOfAtMostOneCharacterLessThanTheBuffer) {
    const struct {
        const char* label;
        std::string content;
        unsigned size;
        std::vector<std::string> lines;
    } cases[] = {
        {"lines keep their line end", "a\nbc\n", 80, {"a\n", "bc\n"}},
        {"CR LF reads as one line end", "a\r\nbc\r\n", 80, {"a\n", "bc\n"}},
        {"a lone CR stays", "a\rb\n", 80, {"a\rb\n"}},
        {"final line without a line end", "a\nlast", 80, {"a\n", "last"}},
        {"empty file", "", 80, {}},
        {"blank lines", "\n\n", 80, {"\n", "\n"}},
        {"100 characters in pieces of 79",
         std::string(100, 'x') + "\n",
         80,
         {std::string(79, 'x'), std::string(21, 'x') + "\n"}},
        {"exactly 79 characters then the line end",
         std::string(79, 'y') + "\nz",
         80,
         {std::string(79, 'y'), "\n", "z"}},
        {"CR LF split at the buffer's end",
         std::string(78, 'y') + "\r\nz",
         80,
         {std::string(78, 'y') + "\n", "z"}},
        {"buffer of 2 reads one character at a time", "ab\n", 2, {"a", "b", "\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ReadAll(c.content, c.size), c.lines);
    }
}

TEST_F(TextFileTest, OpenFailsForMissingFilesAndDirectories) {
    CStdioFile file;
    EXPECT_FALSE(file.Open((m_dir + "/missing").c_str(), CStdioFile::modeRead));
    EXPECT_FALSE(file.Open(m_dir.c_str(), CStdioFile::modeRead));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetLength(), 0u);
    char buffer[8];
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);
}

TEST_F(TextFileTest, DenyWriteRefusesAFileLockedForWriting) {
    std::string path = Write("1\n");
    int writer = open(path.c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(flock(writer, LOCK_EX | LOCK_NB), 0);
    CStdioFile file;
    EXPECT_FALSE(file.Open(path.c_str(), CStdioFile::modeRead | CStdioFile::shareDenyWrite));
    EXPECT_TRUE(file.Open(path.c_str(), CStdioFile::modeRead));  // without the sharing rule
    file.Close();
    close(writer);
    EXPECT_TRUE(file.Open(path.c_str(), CStdioFile::modeRead | CStdioFile::shareDenyWrite));
    // While open, a writer asking for its lock is refused in turn.
    int late = open(path.c_str(), O_RDWR);
    EXPECT_NE(flock(late, LOCK_EX | LOCK_NB), 0);
    close(late);
}

}  // namespace
