// SPDX-License-Identifier: GPL-3.0-or-later
// velmor-cli eclipses: lists eclipses as CSV, as repeated presses of a date bar button
// find them.
#pragma once

#include "cli/command_line.h"

Cli_Command EclipsesCommand();
