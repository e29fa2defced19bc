#include "platform/output_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string ReadText(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

// The names in a folder, sorted, separated by blanks.
std::string Listing(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.') names.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& n : names) text += n + " ";
    return text;
}

class WriteFileWhole : public testing::Test {
  protected:
    void SetUp() override { Fresh(); }
    void TearDown() override { EXPECT_EQ(std::system(("rm -rf '" + root + "'").c_str()), 0); }
    // Empty folders a/ and b/ under root.
    void Fresh() {
        if (!root.empty()) TearDown();
        root = testing::TempDir() + "velmor-out-" + std::to_string(getpid());
        ASSERT_EQ(mkdir(root.c_str(), 0700), 0);
        ASSERT_EQ(mkdir((root + "/a").c_str(), 0700), 0);
        ASSERT_EQ(mkdir((root + "/b").c_str(), 0700), 0);
    }
    std::string root;
};

// Each case prepares folders a/ and b/, writes "new" through a/out, and gives what a/ and b/
// then hold, the content and permission bits of the file written (b/target where a link leads
// there), and whether a/out is still a link.
TEST_F(WriteFileWhole, FollowsLinksAndKeepsPermissions) {
    const mode_t mask = umask(022);
    struct Case {
        const char* name;
        std::function<void(const std::string&)> prepare;
        const char* written;  // relative to root
        mode_t mode;
        bool link;
        const char* listing;  // of a/ then b/
    };
    const Case cases[] = {
        {"new file", [](const std::string&) {}, "a/out", 0644, false, "out | "},
        {"existing 0640",
         [](const std::string& r) {
             WriteText(r + "/a/out", "old");
             chmod((r + "/a/out").c_str(), 0640);
         },
         "a/out", 0640, false, "out | "},
        {"relative link",
         [](const std::string& r) {
             WriteText(r + "/b/target", "old");
             chmod((r + "/b/target").c_str(), 0600);
             symlink("../b/target", (r + "/a/out").c_str());
         },
         "b/target", 0600, true, "out | target "},
        {"chain of links, the last absolute",
         [](const std::string& r) {
             WriteText(r + "/b/target", "old");
             symlink((r + "/b/target").c_str(), (r + "/b/middle").c_str());
             symlink("../b/middle", (r + "/a/out").c_str());
         },
         "b/target", 0644, true, "out | middle target "},
        {"dangling link",
         [](const std::string& r) { symlink("../b/target", (r + "/a/out").c_str()); }, "b/target",
         0644, true, "out | target "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        c.prepare(root);
        std::string error;
        ASSERT_TRUE(platform::WriteFileWhole(root + "/a/out", "new", error)) << error;
        EXPECT_EQ(ReadText(root + "/" + c.written), "new");
        struct stat status;
        ASSERT_EQ(stat((root + "/" + c.written).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.mode);
        ASSERT_EQ(lstat((root + "/a/out").c_str(), &status), 0);
        EXPECT_EQ(S_ISLNK(status.st_mode), c.link);
        EXPECT_EQ(Listing(root + "/a") + "| " + Listing(root + "/b"), c.listing);
    }
    umask(mask);
}

// A pipe (as a device) is written in place through a link to it, not replaced by a file.
TEST_F(WriteFileWhole, WritesAPipeInPlace) {
    const std::string fifo = root + "/b/fifo", link = root + "/a/out";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(symlink(fifo.c_str(), link.c_str()), 0);
    const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::string error;
    EXPECT_TRUE(platform::WriteFileWhole(link, "new", error)) << error;
    char buffer[16] = {};
    EXPECT_EQ(read(reader, buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "new");
    close(reader);
    struct stat status;
    ASSERT_EQ(stat(link.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(Listing(root + "/a") + "| " + Listing(root + "/b"), "out | fifo ");
}

// A write that fails half-way (the file size limit, EFBIG) or cannot start (a loop of links,
// a missing folder) leaves the earlier file as it was and no temporary file behind.
TEST_F(WriteFileWhole, WholeOrNothing) {
    WriteText(root + "/b/target", "old");
    symlink("../b/target", (root + "/a/out").c_str());
    symlink("loop2", (root + "/a/loop1").c_str());
    symlink("loop1", (root + "/a/loop2").c_str());
    const std::string big(1 << 16, 'x');
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written = platform::WriteFileWhole(root + "/a/out", big, error);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "cannot write '" + root + "/a/out': File too large");
    const std::pair<const char*, const char*> refused[] = {
        {"/a/loop1", "Too many levels of symbolic links"},
        {"/missing/out", "No such file or directory"}};
    for (const auto& [path, reason] : refused) {
        EXPECT_FALSE(platform::WriteFileWhole(root + path, "new", error));
        EXPECT_EQ(error, "cannot write '" + root + path + "': " + reason);
    }
    EXPECT_EQ(ReadText(root + "/b/target"), "old");
    EXPECT_EQ(Listing(root + "/a") + "| " + Listing(root + "/b"), "loop1 loop2 out | target ");
}

}  // namespace
