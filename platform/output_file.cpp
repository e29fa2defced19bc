#include "platform/output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

bool WriteFileWhole(const std::string& path, const std::string& content, std::string& error) {
    std::vector<char> temporary(path.begin(), path.end());
    const char suffix[] = ".tmp-XXXXXX";
    temporary.insert(temporary.end(), suffix, suffix + sizeof suffix);
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = "cannot write '" + path + "': " + std::strerror(errno);
        return false;
    }
    // mkstemp makes the file private; give it the permissions a new file normally gets.
    const mode_t mask = umask(0);
    umask(mask);
    (void)fchmod(fd, 0666 & ~mask);
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

}  // namespace platform
