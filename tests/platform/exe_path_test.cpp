#include "platform/exe_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace {

TEST(ExePath, IsTheAbsolutePathOfThisTestProgramCutToFitTheBuffer) {
    char path[platform::EXE_PATH_MAX], small[6];
    const std::string full(path, platform::GetModuleFileName(path, sizeof path));
    ASSERT_EQ(full.substr(0, 1), "/");
    EXPECT_EQ(full.substr(full.rfind('/')), "/platform_tests");
    EXPECT_EQ(access(full.c_str(), X_OK), 0);
    EXPECT_EQ(platform::GetModuleFileName(small, sizeof small), 5u);
    EXPECT_EQ(std::string(small), full.substr(0, 5));
}

}  // namespace
