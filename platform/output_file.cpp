// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr int MAX_LINKS = 40;  // as the kernel allows in one path lookup

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows path through a chain of symbolic links that ends nowhere, to the name the new file
// takes. Returns false with errno set on a loop or an unreadable link.
bool ResolveLinks(std::string& path) {
    for (int n = 0; n < MAX_LINKS; ++n) {
        struct stat status;
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return true;
        std::vector<char> target(static_cast<size_t>(status.st_size > 0 ? status.st_size : 255) +
                                 1);
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length < 0) return false;
        if (static_cast<size_t>(length) == target.size()) {  // grew meanwhile
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string next(target.data(), static_cast<size_t>(length));
        path = next[0] == '/' ? next : FolderOf(path) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

bool WriteAll(int fd, const std::string& content) {
    const char* data = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// Writes content to fd, syncs it when asked and closes it; on failure sets reason to the
// first error.
bool WriteAndClose(int fd, const std::string& content, bool sync, int& reason) {
    // A file system that cannot sync (EINVAL) has nothing to make last.
    bool ok = WriteAll(fd, content) && (!sync || ::fsync(fd) == 0 || errno == EINVAL);
    reason = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    return ok;
}

// Makes a rename in folder last across a crash; failing to is no reason to report the
// file as unwritten.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

bool WriteFileWhole(const std::string& path, const std::string& content, std::string& error) {
    const auto fail = [&](int reason) {
        error = "cannot write '" + path + "': " + std::strerror(reason);
        return false;
    };
    // The file finally written, and the permissions its replacement gets.
    std::string target = path;
    mode_t mode;
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) {
            // A device or a pipe is written in place (renaming over it would replace it);
            // a folder refuses to be opened.
            const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd < 0) return fail(errno);
            int reason;
            return WriteAndClose(fd, content, false, reason) || fail(reason);
        }
        char* real = realpath(path.c_str(), nullptr);
        if (real == nullptr) return fail(errno);
        target = real;
        std::free(real);
        mode = existing.st_mode & 07777;
    } else if (errno == ENOENT) {
        // A new file, perhaps where a dangling link points.
        if (!ResolveLinks(target)) return fail(errno);
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    } else {
        return fail(errno);
    }

    std::vector<char> temporary(target.begin(), target.end());
    const char suffix[] = ".tmp-XXXXXX";
    temporary.insert(temporary.end(), suffix, suffix + sizeof suffix);
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return fail(errno);
    // mkstemp makes the file private. A file system without permissions refuses to
    // change them; no matter.
    (void)fchmod(fd, mode);
    int reason;
    const bool ok = WriteAndClose(fd, content, true, reason);
    if (ok && std::rename(temporary.data(), target.c_str()) == 0) {
        SyncFolder(FolderOf(target));
        return true;
    }
    if (ok) reason = errno;
    std::remove(temporary.data());
    return fail(reason);
}

}  // namespace platform
