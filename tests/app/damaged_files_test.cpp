// Damaged copies of valid world data files fed to the loaders: each must load or end the
// program with one of the loaders' own messages, and never crash, hang or (in the
// sanitizer build) touch memory it should not. Each copy is loaded in a child process of
// its own, whose standard error is collected.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/velmor_doc.h"
#include "platform/fatal.h"
#include "world_dir.h"

namespace {

const std::set<std::string> LINES_MESSAGES = {
    "OpenFile() from LoadLines()\n",         "SkipComment() from LoadLines()\n",
    "GtZero() from LoadLines()\n",           "NotNULL() from LoadLines()\n",
    "illegal Point[] size in LoadLines()\n", "NULL pointers in LoadLines()\n",
};
const std::set<std::string> CITIES_MESSAGES = {
    "OpenFile() from LoadNamedPoints()\n",  "SkipComment() from LoadNamedPoints()\n",
    "GtZero() from LoadNamedPoints()\n",    "NotNULL() from LoadNamedPoints()\n",
    "NULL pointers in LoadNamedPoints()\n",
};

// A valid polyline file of some size: several polylines, comments, all separators.
std::string ValidLines() {
    std::string text = "; damaged copies start from here\n6\n";
    for (int i = 0; i < 6; ++i) {
        text += std::to_string(3 + i) + "\n";
        for (int j = 0; j < 3 + i; ++j) {
            if (j == 1) text += "; between points\n";
            text += std::to_string(-170 + 37 * i + j) + (j % 2 ? ",\t" : ", ") +
                    std::to_string(-60 + 11 * j) + "." + std::to_string(i) + "\n";
        }
    }
    return text;
}

std::string ValidCities() {
    return "; cities\n5\nNew_York -74.006 40.714\nRio_de_Janeiro,-43.2,-22.9\n"
           "Accra\t-0.2\t5.6\nOslo 10.75 59.91\nSao_Paulo -46.63 -23.55\n";
}

// One to four random changes: bytes replaced, inserted, removed or repeated, lines cut
// or doubled, numbers lengthened.
std::string Damage(std::string text, std::mt19937& random) {
    static const char RAW[] = "0123456789-+.,;\t \n\r_eExZ\0\xff";
    static const std::string BYTES(RAW, sizeof RAW - 1);  // with the NUL
    auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
    const size_t changes = 1 + pick(4);
    for (size_t k = 0; k < changes && !text.empty(); ++k) {
        const size_t at = pick(text.size());
        const size_t kind = pick(8);
        if (kind == 0) text[at] = BYTES[pick(BYTES.size())];
        if (kind == 1) text.insert(at, 1, BYTES[pick(BYTES.size())]);
        if (kind == 2) text.erase(at, 1 + pick(8));
        if (kind == 3) text[at] = static_cast<char>(pick(256));
        if (kind == 4) text.resize(at);
        if (kind == 5) text.insert(at, text.substr(at, pick(40)));
        if (kind == 6) text.insert(at, std::string(1 + pick(12), "0123456789"[pick(10)]));
        if (kind == 7) text.insert(at, std::string(60 + pick(60), ' '));
    }
    return text;
}

struct Outcome {
    bool exited = false;
    int status = -1;
    std::string stderrText;
};

// Runs load in a child process with a time limit and collects what it writes on stderr.
template <typename Load>
Outcome RunChild(Load load) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        dup2(pipeFds[1], STDERR_FILENO);
        alarm(10);  // a hang ends the child by a signal
        load();
        _exit(0);
    }
    close(pipeFds[1]);
    Outcome out;
    char buffer[512];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) out.stderrText.append(buffer, n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    out.exited = WIFEXITED(status);
    out.status = out.exited ? WEXITSTATUS(status) : -WTERMSIG(status);
    return out;
}

void ExpectLoadsOrEndsWithAMessage(const Outcome& out, const std::set<std::string>& messages,
                                   const std::string& content) {
    ASSERT_TRUE(out.exited) << "ended by signal " << -out.status << "\n"
                            << out.stderrText << "\nfile:\n"
                            << content;
    if (out.status == 0) {
        EXPECT_EQ(out.stderrText, "") << content;
        return;
    }
    ASSERT_EQ(out.status, platform::FATAL_EXIT_STATUS) << out.stderrText << "\nfile:\n" << content;
    EXPECT_EQ(messages.count(out.stderrText), 1u) << out.stderrText << "\nfile:\n" << content;
}

TEST(DamagedFiles, LoadOrEndWithALoaderMessage) {
    WorldDir dir;
    CVelmorDoc doc(dir.Path());
    const std::string path = dir.File("DAMAGED");
    const struct {
        const char* label;
        std::string valid;
        const std::set<std::string>& messages;
        unsigned seed;
        int copies;
        void (*load)(CVelmorDoc&, const char*);
    } kinds[] = {
        {"polylines", ValidLines(), LINES_MESSAGES, 20240611, 2000,
         [](CVelmorDoc& d, const char* file) {
             int count = 0;
             Land* lands = nullptr;
             d.LoadLines(file, count, lands);
             delete[] lands;
         }},
        {"cities", ValidCities(), CITIES_MESSAGES, 7, 1000,
         [](CVelmorDoc& d, const char* file) {
             int count = 0;
             City* cities = nullptr;
             d.LoadNamedPoints(file, count, cities);
             delete[] cities;
         }},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.label);
        std::mt19937 random(kind.seed);
        int loaded = 0;
        for (int copy = 0; copy < kind.copies; ++copy) {
            const std::string content = Damage(kind.valid, random);
            dir.Write("DAMAGED", content);
            Outcome out = RunChild([&] { kind.load(doc, path.c_str()); });
            SCOPED_TRACE(copy);
            ExpectLoadsOrEndsWithAMessage(out, kind.messages, content);
            loaded += out.exited && out.status == 0;
            if (HasFatalFailure()) return;
        }
        // The damage is varied enough to hit both outcomes often.
        EXPECT_GT(loaded, kind.copies / 20);
        EXPECT_LT(loaded, kind.copies * 19 / 20);
    }
}

}  // namespace
