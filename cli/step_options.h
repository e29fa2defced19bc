// SPDX-License-Identifier: GPL-3.0-or-later
// The stepping options shared by the commands that find eclipses:
//   --from DATE  (--next | --prev)  [--count N]
// and the walk they describe: eclipse stepping from DATE, then again from each found
// instant rounded to the second, N times, exactly as repeated presses of a date bar button.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

#include "astro/eclipse_search.h"
#include "cli/date_argument.h"

struct Step_Options {
    bool haveFrom = false;
    Date_Argument from;
    int direction = 0;  // +1 next, -1 previous, 0 not given
    long count = 1;     // 1 ... MAX_STEP_COUNT
    bool haveCount = false;
};

constexpr long MAX_STEP_COUNT = 1000000;

// The options as declared, for the commands to add their own rules to.
struct Step_Option_Set {
    CLI::Option* from;
    CLI::Option* next;
    CLI::Option* prev;
    CLI::Option* count;
};

// A whole argument read as a finite real number; false for anything else.
bool ParseReal(const std::string& text, double& value);

// Declares --from DATE, --next, --prev and --count N on command, each filling options as it
// is read; a date or count that is refused stops the reading with its own one-line reason.
// --next and --prev exclude each other. `now` is the clock time that "now" stands for.
Step_Option_Set AddStepOptions(CLI::App& command, Step_Options& options, std::time_t now);

// Throws CLI::RequiresError when --from was given without --next or --prev, or one of
// these or --count without --from.
void CheckStepOptions(const Step_Options& options);

// Steps options.count times, calling each() after every found eclipse; each() returns false
// to stop the walk there. Returns false if the walk stopped early because the last eclipse
// found lies outside the supported years, so that a further step would be refused; note
// then says so in one line.
bool WalkEclipses(const Step_Options& options, Eclipse_Record& record,
                  const std::function<bool(const Eclipse_Record&)>& each, std::string& note);
