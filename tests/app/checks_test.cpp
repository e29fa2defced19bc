#include "app/checks.h"

#include <gtest/gtest.h>

#include "platform/fatal.h"
#include "world_dir.h"

namespace {

#define EXPECT_FATAL(statement, message) \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS), message)

TEST(Checks, PassingChecksReturnQuietly) {
    GtZero(1, "unused");
    int value = 0;
    NotNULL(&value, "unused");
    WorldDir dir;
    dir.Write("F", ";one\n;two\n7 data\n;three\n");
    CStdioFile file;
    OpenFile(file, dir.File("F").c_str(), "unused");
    EXPECT_TRUE(file.IsOpen());
    char line[80];
    SkipComment(file, line, sizeof line, "unused");
    EXPECT_STREQ(line, "7 data\n");
}

TEST(ChecksDeathTest, FailingChecksEndTheProgramWithTheirMessage) {
    EXPECT_FATAL(GtZero(0, "zero"), "^zero\n$");
    EXPECT_FATAL(GtZero(-5, "negative"), "^negative\n$");
    EXPECT_FATAL(NotNULL(nullptr, "null"), "^null\n$");
    WorldDir dir;
    CStdioFile file;
    EXPECT_FATAL(OpenFile(file, dir.File("missing").c_str(), "no file"), "^no file\n$");
    dir.Write("F", ";only\n;comments");
    OpenFile(file, dir.File("F").c_str(), "unused");
    char line[80];
    EXPECT_FATAL(SkipComment(file, line, sizeof line, "at the end"), "^at the end\n$");
}

}  // namespace
