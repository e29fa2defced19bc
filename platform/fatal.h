// SPDX-License-Identifier: GPL-3.0-or-later
// The fatal application exit: the one way the program reports a broken precondition
// or a fault in a data file. It writes the message as one line on standard error and
// ends the process at once with FATAL_EXIT_STATUS, without running destructors, atexit
// handlers or flushing other streams. A desktop shell may install a hook that shows the
// message to the user first (say, in a message box); the hook must not return control
// to the program in any other way than by returning.
#pragma once

namespace platform {

constexpr int FATAL_EXIT_STATUS = 3;

using FatalExitHook = void (*)(const char* message);

// Ends the program with `message` (null is treated as an empty message). Never returns.
[[noreturn]] void FatalAppExit(const char* message) noexcept;

// Installs the hook called with the message before the process ends; null removes it.
// Returns the previous hook.
FatalExitHook SetFatalExitHook(FatalExitHook hook) noexcept;

}  // namespace platform
