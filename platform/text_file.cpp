// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

CStdioFile::~CStdioFile() {
    Close();
}

bool CStdioFile::Open(const char* path, unsigned flags) {
    Close();
    if (path == nullptr) return false;
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    if ((flags & shareDenyWrite) != 0 && ::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_file = ::fdopen(fd, "r");
    if (m_file == nullptr) {
        ::close(fd);
        return false;
    }
    return true;
}

char* CStdioFile::ReadString(char* buffer, unsigned size) {
    if (m_file == nullptr || buffer == nullptr || size == 0) return nullptr;
    unsigned n = 0;
    while (n + 1 < size) {
        int c = getc_unlocked(m_file);
        if (c == EOF) break;
        if (c == '\r') {
            int next = getc_unlocked(m_file);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                ungetc(next, m_file);
            }
        }
        buffer[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buffer[n] = '\0';
    return n == 0 ? nullptr : buffer;
}

unsigned long long CStdioFile::GetLength() const {
    if (m_file == nullptr) return 0;
    struct stat st;
    if (::fstat(fileno(m_file), &st) != 0) return 0;
    return static_cast<unsigned long long>(st.st_size);
}

void CStdioFile::Close() {
    if (m_file != nullptr) {
        ::fclose(m_file);  // closing the descriptor releases the lock
        m_file = nullptr;
    }
}
