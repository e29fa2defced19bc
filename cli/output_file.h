// Writing a command's output file whole or not at all.
#pragma once

#include <string>

// Writes content to path ("-" is standard output). A file is written under a temporary
// name in the same folder and renamed over path only when complete, so a failure never
// leaves a half-written file. On failure returns false with a one-line error.
bool WriteOutputFile(const std::string& path, const std::string& content, std::string& error);
