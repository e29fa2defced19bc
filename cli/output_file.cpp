#include "cli/output_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

bool WriteOutputFile(const std::string& path, const std::string& content, std::string& error) {
    if (path == "-") {
        if (std::fwrite(content.data(), 1, content.size(), stdout) != content.size() ||
            std::fflush(stdout) != 0) {
            error = "cannot write to standard output";
            return false;
        }
        return true;
    }
    std::vector<char> temporary(path.begin(), path.end());
    const char suffix[] = ".tmp-XXXXXX";
    temporary.insert(temporary.end(), suffix, suffix + sizeof suffix);
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    const char* data = content.data();
    size_t left = content.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written <= 0) {
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    const int savedErrno = errno;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(temporary.data(), path.c_str()) == 0) return true;
    error = "cannot write '" + path + "': " + std::strerror(ok ? errno : savedErrno);
    std::remove(temporary.data());
    return false;
}
