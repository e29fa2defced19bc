// SPDX-License-Identifier: GPL-3.0-or-later
// velmor-cli paths: the lines of an eclipse's map as GeoJSON.
#pragma once

#include "cli/command_line.h"

Cli_Command PathsCommand();
