#include "cli/eclipse_choice.h"

Option_Result TakeChoiceOption(const std::vector<std::string>& args, size_t& i, std::time_t now,
                               Eclipse_Choice& choice, std::string& error) {
    const std::string& arg = args[i];
    std::string value;
    if (arg == "--jde") {
        if (i + 1 >= args.size()) {
            error = "--jde needs a Julian Ephemeris Day";
            return Option_Result::BadUsage;
        }
        value = args[++i];
    } else if (arg.rfind("--jde=", 0) == 0) {
        value = arg.substr(6);
    } else {
        return TakeStepOption(args, i, now, choice.steps, error);
    }
    double jde = 0;
    if (!ParseReal(value, jde) || jde < MIN_CHOICE_JDE || jde > MAX_CHOICE_JDE) {
        error = "invalid instant '" + value + "': --jde takes a Julian Ephemeris Day from " +
                std::to_string(static_cast<int>(MIN_CHOICE_JDE)) + " to " +
                std::to_string(static_cast<int>(MAX_CHOICE_JDE));
        return Option_Result::InvalidDate;
    }
    choice.haveJde = true;
    choice.jde = jde;
    return Option_Result::Taken;
}

bool ChoiceGiven(const Eclipse_Choice& choice) {
    return choice.haveJde || choice.steps.haveFrom || choice.steps.direction != 0;
}

bool ChoiceComplete(const Eclipse_Choice& choice, bool withJde, bool requireOne,
                    std::string& error) {
    if (choice.haveJde) {
        if (choice.steps.haveFrom || choice.steps.direction != 0) {
            error = "--jde excludes --from, --next and --prev";
            return false;
        }
        return true;
    }
    if (!requireOne && !ChoiceGiven(choice)) return true;
    if (!StepOptionsComplete(choice.steps, error)) {
        if (withJde && !choice.steps.haveFrom && choice.steps.direction == 0) {
            error = "--from DATE with --next or --prev, or --jde X, is required";
        }
        return false;
    }
    return true;
}

bool ResolveChoice(const Eclipse_Choice& choice, Eclipse_Record& record, std::string& note) {
    if (choice.haveJde) {
        record.jde = choice.jde;
        record.valid = true;
        return true;
    }
    return WalkEclipses(
        choice.steps, record, [](const Eclipse_Record&) {}, note);
}
