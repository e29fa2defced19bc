// SPDX-License-Identifier: GPL-3.0-or-later
// Death tests of the program's fatal ends: the statement must end the process with the
// fatal exit status and exactly the given one-line message on standard error.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/fatal.h"

#define EXPECT_FATAL(statement, message)                                           \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS), \
                ::testing::Matcher<const std::string&>(std::string(message) + "\n"))
