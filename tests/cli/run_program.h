// Runs a program of the build with arguments and collects its exit status and output.
#pragma once

#include <string>
#include <vector>

struct Program_Result {
    int status = -1;  // exit status, or -1 if it did not exit normally
    std::string out;
    std::string err;
};

Program_Result RunProgram(const std::string& program, const std::vector<std::string>& args);
