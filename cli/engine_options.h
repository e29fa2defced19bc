// SPDX-License-Identifier: GPL-3.0-or-later
// The precise engine's options on the command line: --precise, which switches the engine on
// for a command, and the two constants a user may set for it,
//   --delta-t SECONDS   TD - UT, -1000000 ... 1000000 s, instead of the engine's model
//   --sun-radius ARCSEC the Sun's radius at 1 AU, 900 ... 1000 arcseconds (default 959.63)
// A value that is not a finite number in its range stops the reading with one line.
#pragma once

#include <CLI/CLI.hpp>

#include "besselian/elements_fit.h"

constexpr double MAX_DELTA_T_SECONDS = 1000000.0;  // either sign
constexpr double MIN_SUN_RADIUS_ARCSEC = 900.0;
constexpr double MAX_SUN_RADIUS_ARCSEC = 1000.0;

// Declares --delta-t and --sun-radius, filling options as they are read.
void AddEngineOptions(CLI::App& command, besselian::Engine_Options& options);

// Declares --precise (described by description, setting precise when it is given) and then
// the engine's options, each of which is refused without --precise.
void AddPreciseOptions(CLI::App& command, bool& precise, besselian::Engine_Options& options,
                       const std::string& description);
