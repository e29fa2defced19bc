#include "cli/step_options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "astro/eclipse_step.h"

namespace {

// The value of an option given as "--name VALUE" or "--name=VALUE"; false if absent.
bool OptionValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
                 std::string& value, bool& matched) {
    const std::string& arg = args[i];
    matched = false;
    if (arg == name) {
        matched = true;
        if (i + 1 >= args.size()) return false;
        value = args[++i];
        return true;
    }
    if (arg.compare(0, name.size() + 1, name + "=") == 0) {
        matched = true;
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

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

Option_Result TakeStepOption(const std::vector<std::string>& args, size_t& i, std::time_t now,
                             Step_Options& options, std::string& error) {
    const std::string& arg = args[i];
    if (arg == "--next" || arg == "--prev") {
        const int direction = arg == "--next" ? 1 : -1;
        if (options.direction != 0 && options.direction != direction) {
            error = "--next and --prev exclude each other";
            return Option_Result::BadUsage;
        }
        options.direction = direction;
        return Option_Result::Taken;
    }

    std::string value;
    bool matched = false;
    if (OptionValue(args, i, "--from", value, matched)) {
        if (!ParseDateArgument(value, now, options.from, error)) {
            return Option_Result::InvalidDate;
        }
        options.haveFrom = true;
        return Option_Result::Taken;
    }
    if (matched) {
        error = "--from needs a date";
        return Option_Result::BadUsage;
    }
    if (OptionValue(args, i, "--count", value, matched)) {
        if (!ParseCount(value, options.count)) {
            error = "--count needs a whole number from 1 to " + std::to_string(MAX_STEP_COUNT);
            return Option_Result::BadUsage;
        }
        return Option_Result::Taken;
    }
    if (matched) {
        error = "--count needs a number";
        return Option_Result::BadUsage;
    }
    return Option_Result::NotMine;
}

int ReportArgumentError(Option_Result result, const std::string& argument, const std::string& error,
                        const char* usage) {
    if (result == Option_Result::InvalidDate) {
        std::fprintf(stderr, "velmor-cli: %s\n", error.c_str());
    } else if (result == Option_Result::NotMine) {
        std::fprintf(stderr, "velmor-cli: unknown argument '%s'\n%s", argument.c_str(), usage);
    } else {
        std::fprintf(stderr, "velmor-cli: %s\n%s", error.c_str(), usage);
    }
    return 2;
}

bool StepOptionsComplete(const Step_Options& options, std::string& error) {
    if (!options.haveFrom) {
        error = "--from DATE is required";
        return false;
    }
    if (options.direction == 0) {
        error = "one of --next and --prev is required";
        return false;
    }
    return true;
}

bool WalkEclipses(const Step_Options& options, Eclipse_Record& record,
                  const std::function<void(const Eclipse_Record&)>& each, std::string& note) {
    const bool forward = options.direction > 0;
    Date_Argument at = options.from;  // validated when it was read
    for (long n = 0; n < options.count; ++n) {
        // Stepping refuses only a date outside the supported years: the one of the last
        // eclipse found, when it lies beyond them.
        if (!StepEclipse(record, forward, at)) {
            note = "the eclipse of " + std::to_string(at.year) + "-" + std::to_string(at.month) +
                   "-" + std::to_string(at.day) +
                   " lies outside the supported years (4713 BC to AD 9999); no further step";
            return false;
        }
        each(record);
        at = record.dateTime;
    }
    return true;
}
