// velmor-cli paths: the lines of an eclipse's map as GeoJSON.
#pragma once

#include <string>
#include <vector>

// args exclude the program name and the word "paths". Returns the exit status.
int RunPathsCommand(const std::vector<std::string>& args);

extern const char* const PATHS_USAGE;
