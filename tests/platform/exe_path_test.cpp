#include "platform/exe_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

TEST(ExePath, IsTheAbsolutePathOfThisTestProgram) {
    char path[platform::EXE_PATH_MAX];
    unsigned n = platform::GetModuleFileName(path, sizeof path);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::strlen(path), n);
    EXPECT_EQ(path[0], '/');
    const char* name = std::strrchr(path, '/') + 1;
    EXPECT_STREQ(name, "platform_tests");
    EXPECT_EQ(access(path, X_OK), 0);
}

TEST(ExePath, IsCutToFitASmallBuffer) {
    char full[platform::EXE_PATH_MAX];
    unsigned n = platform::GetModuleFileName(full, sizeof full);
    ASSERT_GT(n, 5u);
    char small[6];
    EXPECT_EQ(platform::GetModuleFileName(small, sizeof small), 5u);
    EXPECT_EQ(std::string(small), std::string(full, 5));
    EXPECT_EQ(platform::GetModuleFileName(small, 0), 0u);
}

}  // namespace
