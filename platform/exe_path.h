// SPDX-License-Identifier: GPL-3.0-or-later
// The full path of the running program's executable file, as the data loader needs it to
// find the files that lie beside the program.
//
// The path is read from the system's link to the running executable (/proc/self/exe),
// which names the file itself also when the program was started through a symbolic link
// in another folder. Where that link cannot be read (no /proc), the path is the name the
// program was started by (argv[0], as the C library keeps it): a name with a '/' as it
// stands, a bare name looked up in the folders of PATH; either is then resolved through
// symbolic links to an absolute path. Nothing else is tried: with neither, there is no
// path, and never the working directory in its place.
#pragma once

#include <string>

namespace platform {

constexpr unsigned EXE_PATH_MAX = 1024;  // buffer size, characters, with the NUL

// Where the path comes from.
struct Exe_Path_Source {
    std::string selfLink;    // the link to the running executable; empty: none
    std::string startName;   // argv[0]; empty: not known
    std::string searchPath;  // folders for a bare start name, ':'-separated as in PATH
};

// /proc/self/exe, the C library's record of argv[0] and the PATH of the environment.
Exe_Path_Source SystemExePathSource();

// Takes the path from `source` from now on (a test can take /proc away); null returns
// to SystemExePathSource(), read afresh at each call.
void SetExePathSource(const Exe_Path_Source* source);

// Writes the path into buffer (size characters, at most EXE_PATH_MAX are used), cut to
// fit and always NUL-terminated. Returns the number of characters written without the
// NUL, 0 when the path cannot be found.
unsigned GetModuleFileName(char* buffer, unsigned size);

}  // namespace platform
