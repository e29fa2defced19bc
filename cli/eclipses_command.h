// velmor-cli eclipses: lists eclipses as CSV, as repeated presses of a date bar button
// find them.
#pragma once

#include <string>
#include <vector>

// args exclude the program name and the word "eclipses". Returns the exit status.
int RunEclipsesCommand(const std::vector<std::string>& args);

extern const char* const ECLIPSES_USAGE;
