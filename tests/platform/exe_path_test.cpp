#include "platform/exe_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

TEST(ExePath, IsTheAbsolutePathOfThisTestProgramCutToFitTheBuffer) {
    char path[platform::EXE_PATH_MAX];
    unsigned n = platform::GetModuleFileName(path, sizeof path);
    ASSERT_GT(n, 5u);
    EXPECT_EQ(std::strlen(path), n);
    EXPECT_EQ(path[0], '/');
    EXPECT_STREQ(std::strrchr(path, '/') + 1, "platform_tests");
    EXPECT_EQ(access(path, X_OK), 0);
    char small[6];
    EXPECT_EQ(platform::GetModuleFileName(small, sizeof small), 5u);
    EXPECT_EQ(std::string(small), std::string(path, 5));
    EXPECT_EQ(platform::GetModuleFileName(small, 0), 0u);
}

}  // namespace
