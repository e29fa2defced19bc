// Writing a file whole or not at all: the content goes to a temporary file in the same
// folder, which is renamed over the target only when it is complete, so a failure never
// leaves a half-written file or a damaged earlier one behind.
#pragma once

#include <string>

namespace platform {

// Returns false with a one-line error ("cannot write 'PATH': reason") on failure.
bool WriteFileWhole(const std::string& path, const std::string& content, std::string& error);

}  // namespace platform
