// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fatal.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

FatalExitHook g_hook = nullptr;

void WriteAll(const char* text, size_t length) noexcept {
    while (length > 0) {
        ssize_t written = ::write(STDERR_FILENO, text, length);
        if (written <= 0) return;
        text += written;
        length -= static_cast<size_t>(written);
    }
}

}  // namespace

FatalExitHook SetFatalExitHook(FatalExitHook hook) noexcept {
    FatalExitHook previous = g_hook;
    g_hook = hook;
    return previous;
}

void FatalAppExit(const char* message) noexcept {
    if (message == nullptr) message = "";
    // write(2) rather than stdio: nothing buffered elsewhere in the program is flushed.
    WriteAll(message, std::strlen(message));
    WriteAll("\n", 1);
    if (g_hook != nullptr) g_hook(message);
    std::_Exit(FATAL_EXIT_STATUS);
}

}  // namespace platform
