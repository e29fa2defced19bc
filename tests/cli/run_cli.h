// Running the velmor-cli program as a user runs it, for the tests: its exit status,
// standard output and error.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct Program_Result {
    int status = -1;  // exit status, or -1 if it did not exit normally
    std::string out, err;
};

inline std::string ReadText(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
}

// Runs velmor-cli with args; its standard output goes to stdoutPath when one is given.
inline Program_Result RunCli(const std::vector<std::string>& args,
                             const std::string& stdoutPath = "") {
    const std::string base = testing::TempDir() + "velmor-cli-" + std::to_string(getpid());
    std::string command = "'" VELMOR_CLI_PATH "'";
    for (const std::string& a : args) command += " '" + a + "'";
    const std::string out = stdoutPath.empty() ? base + ".out" : stdoutPath;
    const int status =
        std::system((command + " </dev/null >'" + out + "' 2>'" + base + ".err'").c_str());
    const Program_Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(base + ".out"),
                           ReadText(base + ".err")};
    for (const char* ext : {".out", ".err"}) std::remove((base + ext).c_str());
    return r;
}

// How often what occurs in text.
inline int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}
