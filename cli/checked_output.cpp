// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/checked_output.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

bool Checked_Output::Fail() {
    if (reason_ == 0) reason_ = errno != 0 ? errno : EIO;
    return false;
}

bool Checked_Output::Write(const std::string& text) {
    if (reason_ != 0) return false;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) return Fail();
    return true;
}

bool Checked_Output::Print(const char* format, ...) {
    if (reason_ != 0) return false;
    errno = 0;
    va_list args;
    va_start(args, format);
    const int written = std::vfprintf(file_, format, args);
    va_end(args);
    return written >= 0 ? true : Fail();
}

bool Checked_Output::Finish(std::string& error) {
    if (reason_ == 0) {
        errno = 0;
        if (std::fflush(file_) != 0 || std::ferror(file_)) Fail();
    }
    if (reason_ == 0) return true;
    error = "cannot write " + name_ + ": " + std::strerror(reason_);
    return false;
}
