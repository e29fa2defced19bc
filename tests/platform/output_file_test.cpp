// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "tests/platform/scratch_folder.h"

namespace {

std::string ReadText(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
}

struct Two_Folders : Scratch_Folder {
    Two_Folders() {
        std::filesystem::create_directory(path + "a");
        std::filesystem::create_directory(path + "b");
    }
    std::string Listing() const { return Names("a") + "| " + Names("b"); }
    void Write(const std::string& name, const std::string& text, mode_t mode = 0644) const {
        std::ofstream(path + name) << text;
        chmod((path + name).c_str(), mode);
    }
    void Link(const std::string& target, const std::string& name) const {
        symlink(target.c_str(), (path + name).c_str());
    }
};

// "new" written through a/out: the file written, its mode, a/out still a link, the listing.
TEST(WriteFileWhole, FollowsLinksAndKeepsPermissions) {
    const mode_t mask = umask(022);
    const struct {
        const char* name;
        std::function<void(const Two_Folders&)> prepare;
        const char* written;
        mode_t mode;
        bool link;
        const char* listing;
    } cases[] = {
        {"new file", [](auto&) {}, "a/out", 0644, false, "out | "},
        {"existing 0640", [](auto& f) { f.Write("a/out", "old", 0640); }, "a/out", 0640, false,
         "out | "},
        {"chain of links, the last absolute",
         [](auto& f) {
             f.Write("b/target", "old", 0600);
             f.Link(f.path + "b/target", "b/middle"), f.Link("../b/middle", "a/out");
         },
         "b/target", 0600, true, "out | middle target "},
        {"dangling link", [](auto& f) { f.Link("../b/target", "a/out"); }, "b/target", 0644, true,
         "out | target "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Two_Folders f;
        c.prepare(f);
        std::string error;
        ASSERT_TRUE(platform::WriteFileWhole(f.path + "a/out", "new", error)) << error;
        EXPECT_EQ(ReadText(f.path + c.written), "new");
        struct stat status;
        ASSERT_EQ(stat((f.path + c.written).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.mode);
        ASSERT_EQ(lstat((f.path + "a/out").c_str(), &status), 0);
        EXPECT_EQ(S_ISLNK(status.st_mode), c.link);
        EXPECT_EQ(f.Listing(), c.listing);
    }
    umask(mask);
}

// A pipe (as a device) is written in place through a link to it, not replaced by a file.
TEST(WriteFileWhole, WritesAPipeInPlace) {
    const Two_Folders f;
    ASSERT_EQ(mkfifo((f.path + "b/fifo").c_str(), 0600), 0);
    f.Link(f.path + "b/fifo", "a/out");
    const int reader = open((f.path + "b/fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::string error;
    EXPECT_TRUE(platform::WriteFileWhole(f.path + "a/out", "new", error)) << error;
    char buffer[16] = {};
    EXPECT_EQ(read(reader, buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "new");
    close(reader);
    struct stat status;
    ASSERT_EQ(stat((f.path + "a/out").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(f.Listing(), "out | fifo ");
}

// A write failing half-way (EFBIG) or at the start leaves the old file and no temporary one.
TEST(WriteFileWhole, WholeOrNothing) {
    const Two_Folders f;
    f.Write("b/target", "old");
    f.Link("../b/target", "a/out");
    f.Link("loop2", "a/loop1");
    f.Link("loop1", "a/loop2");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written =
        platform::WriteFileWhole(f.path + "a/out", std::string(1 << 16, 'x'), error);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "cannot write '" + f.path + "a/out': File too large");
    const std::pair<const char*, const char*> refused[] = {
        {"a/loop1", "Too many levels of symbolic links"},
        {"missing/out", "No such file or directory"}};
    for (const auto& [path, reason] : refused) {
        EXPECT_FALSE(platform::WriteFileWhole(f.path + path, "new", error));
        EXPECT_EQ(error, "cannot write '" + f.path + path + "': " + reason);
    }
    EXPECT_EQ(ReadText(f.path + "b/target"), "old");
    EXPECT_EQ(f.Listing(), "loop1 loop2 out | target ");
}

}  // namespace
