// The full path of the running program's executable file, as the data loader needs it to
// find the files that lie beside the program.
#pragma once

namespace platform {

constexpr unsigned EXE_PATH_MAX = 1024;  // buffer size, characters, with the NUL

// Writes the path into buffer (size characters, at most EXE_PATH_MAX are used), cut to
// fit and always NUL-terminated. Returns the number of characters written without the
// NUL, 0 when the path cannot be found.
unsigned GetModuleFileName(char* buffer, unsigned size);

}  // namespace platform
