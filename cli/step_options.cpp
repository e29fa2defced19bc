// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/step_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "astro/eclipse_step.h"

namespace {

bool ParseCount(const std::string& text, long& count) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 1 || value > MAX_STEP_COUNT) return false;
    count = value;
    return true;
}

}  // namespace

bool ParseReal(const std::string& text, double& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && *end == '\0' && std::isfinite(value);
}

Step_Option_Set AddStepOptions(CLI::App& command, Step_Options& options, std::time_t now) {
    Step_Option_Set set;
    set.from = command
                   .add_option_function<std::string>(
                       "--from",
                       [&options, now](const std::string& text) {
                           std::string error;
                           if (!ParseDateArgument(text, now, options.from, error))
                               throw CLI::ValidationError("--from", error);
                           options.haveFrom = true;
                       },
                       "the date to step from: YYYY-MM-DD, YYYY-MM-DDTHH:MM or\n"
                       "YYYY-MM-DDTHH:MM:SS in dynamical time, or now (the local\n"
                       "clock); years BC with a minus sign, without a year 0\n"
                       "(-585-05-28 is 28 May 585 BC), from -4713 to 9999")
                   ->option_text("DATE");
    set.next = command.add_flag_callback(
        "--next", [&options] { options.direction = 1; }, "step towards later eclipses");
    set.prev = command.add_flag_callback(
        "--prev", [&options] { options.direction = -1; }, "step towards earlier eclipses");
    set.count = command
                    .add_option_function<std::string>(
                        "--count",
                        [&options](const std::string& text) {
                            if (!ParseCount(text, options.count))
                                throw CLI::ValidationError(
                                    "--count needs a whole number from 1 to " +
                                    std::to_string(MAX_STEP_COUNT) + ", not '" + text + "'");
                            options.haveCount = true;
                        },
                        "the number of steps (default 1)")
                    ->option_text("N");
    set.next->excludes(set.prev);
    return set;
}

void CheckStepOptions(const Step_Options& options) {
    if (options.haveFrom && options.direction == 0)
        throw CLI::RequiresError("--from", "--next or --prev");
    if (!options.haveFrom && options.direction != 0)
        throw CLI::RequiresError(options.direction > 0 ? "--next" : "--prev", "--from");
    if (!options.haveFrom && options.haveCount) throw CLI::RequiresError("--count", "--from");
}

bool WalkEclipses(const Step_Options& options, Eclipse_Record& record,
                  const std::function<bool(const Eclipse_Record&)>& each, std::string& note) {
    const bool forward = options.direction > 0;
    Date_Argument at = options.from;  // validated when it was read
    for (long n = 0; n < options.count; ++n) {
        // Stepping refuses only a date outside the supported years: the one of the last
        // eclipse found, when it lies beyond them.
        if (!StepEclipse(record, forward, at)) {
            note = "the eclipse of " + DateText(at) +
                   " lies outside the supported years (4713 BC to AD 9999); no further step";
            return false;
        }
        if (!each(record)) return true;
        at = record.dateTime;
    }
    return true;
}
