// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the eclipse a picture or an export is made of: the last one found by stepping
// (--from DATE --next|--prev [--count N]) or a given instant (--jde X).
#pragma once

#include <CLI/CLI.hpp>
#include <ctime>
#include <string>

#include "astro/eclipse_search.h"
#include "cli/step_options.h"

struct Eclipse_Choice {
    Step_Options steps;
    bool haveJde = false;
    double jde = 0.0;
};

// The range of instants --jde accepts, Julian Ephemeris Days.
constexpr double MIN_CHOICE_JDE = -1000.0;
constexpr double MAX_CHOICE_JDE = 5400000.0;

// Declares the stepping options and --jde X, which excludes them all.
void AddChoiceOptions(CLI::App& command, Eclipse_Choice& choice, std::time_t now);

// Throws a CLI::ParseError unless the choice names an eclipse: a complete set of stepping
// options, or --jde; with required false, no choice at all is accepted too.
void CheckChoice(const Eclipse_Choice& choice, bool required);

// True when a choice was given at all.
bool ChoiceGiven(const Eclipse_Choice& choice);

// Steps as the eclipses command does and keeps the last eclipse found, or takes the given
// instant (with valid set). When the walk stopped at the end of the supported years (the
// record then holds the last eclipse found) a note says so on standard error.
void ResolveChoice(const Eclipse_Choice& choice, Eclipse_Record& record);
