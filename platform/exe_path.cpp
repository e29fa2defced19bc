// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/exe_path.h"

#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace platform {

namespace {

bool g_sourceSet = false;
Exe_Path_Source g_source;

std::string ReadLink(const std::string& link) {
    if (link.empty()) return std::string();
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
    // A target that fills the buffer may have been cut: not a path to use.
    if (n <= 0 || static_cast<size_t>(n) >= sizeof target) return std::string();
    return std::string(target, static_cast<size_t>(n));
}

bool IsExecutableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The file a bare name runs from the folders of `searchPath`, in their order; an empty
// folder is the working directory, as for the shell that started the program.
std::string FindInSearchPath(const std::string& name, const std::string& searchPath) {
    size_t start = 0;
    while (start <= searchPath.size()) {
        size_t end = searchPath.find(':', start);
        if (end == std::string::npos) end = searchPath.size();
        std::string folder = searchPath.substr(start, end - start);
        if (folder.empty()) folder = ".";
        const std::string candidate = folder + '/' + name;
        if (IsExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return std::string();
}

std::string ResolveLinks(const std::string& path) {
    if (path.empty()) return std::string();
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

std::string ExecutablePath(const Exe_Path_Source& source) {
    std::string path = ReadLink(source.selfLink);
    if (!path.empty()) return path;
    const std::string& name = source.startName;
    if (name.empty()) return std::string();
    if (name.find('/') != std::string::npos) return ResolveLinks(name);
    return ResolveLinks(FindInSearchPath(name, source.searchPath));
}

}  // namespace

Exe_Path_Source SystemExePathSource() {
    Exe_Path_Source source;
    source.selfLink = "/proc/self/exe";
    source.startName = program_invocation_name != nullptr ? program_invocation_name : "";
    const char* searchPath = std::getenv("PATH");
    source.searchPath = searchPath != nullptr ? searchPath : "";
    return source;
}

void SetExePathSource(const Exe_Path_Source* source) {
    g_sourceSet = source != nullptr;
    g_source = source != nullptr ? *source : Exe_Path_Source();
}

unsigned GetModuleFileName(char* buffer, unsigned size) {
    if (buffer == nullptr || size == 0) return 0;
    if (size > EXE_PATH_MAX) size = EXE_PATH_MAX;
    const std::string path = ExecutablePath(g_sourceSet ? g_source : SystemExePathSource());
    const size_t n = path.size() < size - 1 ? path.size() : size - 1;
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
    return static_cast<unsigned>(n);
}

}  // namespace platform
