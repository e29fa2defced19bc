// The stepping options shared by the subcommands that find eclipses:
//   --from DATE  (--next | --prev)  [--count N]
// and the walk they describe: eclipse stepping from DATE, then again from each found
// instant rounded to the second, N times, exactly as repeated presses of a date bar button.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "astro/eclipse_search.h"
#include "cli/date_argument.h"

struct Step_Options {
    bool haveFrom = false;
    Date_Argument from;
    int direction = 0;  // +1 next, -1 previous, 0 not given
    long count = 1;     // 1 ... MAX_STEP_COUNT
};

constexpr long MAX_STEP_COUNT = 1000000;

enum class Option_Result {
    NotMine,     // args[i] is not a stepping option
    Taken,       // taken, with its value if any; i now indexes the last argument used
    BadUsage,    // a stepping option used wrongly: show the usage
    InvalidDate  // --from with a date that is malformed or refused: error says why
};

// A whole argument read as a finite real number; false for anything else.
bool ParseReal(const std::string& text, double& value);

// Looks at args[i]; accepts "--from DATE", "--from=DATE", "--next", "--prev",
// "--count N" and "--count=N".
Option_Result TakeStepOption(const std::vector<std::string>& args, size_t& i, std::time_t now,
                             Step_Options& options, std::string& error);

// Reports an argument that was not Taken on standard error and returns the exit status 2:
// an invalid date in one line, a misused or unknown argument with the usage.
int ReportArgumentError(Option_Result result, const std::string& argument, const std::string& error,
                        const char* usage);

// True when --from and one direction were given; otherwise error says what is missing.
bool StepOptionsComplete(const Step_Options& options, std::string& error);

// Steps options.count times, calling each() after every found eclipse. Returns false if
// the walk stopped early because the last eclipse found lies outside the supported years,
// so that a further step would be refused; note then says so in one line.
bool WalkEclipses(const Step_Options& options, Eclipse_Record& record,
                  const std::function<void(const Eclipse_Record&)>& each, std::string& note);
