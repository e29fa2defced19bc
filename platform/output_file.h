// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file whole or not at all: the content goes to a temporary file in the folder of
// the file finally written, is flushed to the disc, and is renamed over that file only when
// complete, so a failure never leaves a half-written file or a damaged earlier one behind.
//
// A path that names a symbolic link (or a chain of them) writes the file the link points to;
// the link itself stays. An existing file keeps its permission bits; a new one gets those a
// new file normally gets (0666 less the umask). A path that names a device or a pipe
// (/dev/stdout, a FIFO) is written in place, as a shell's redirection would.
#pragma once

#include <string>

namespace platform {

// Returns false with a one-line error ("cannot write 'PATH': reason", PATH as given) on
// failure.
bool WriteFileWhole(const std::string& path, const std::string& content, std::string& error);

}  // namespace platform
