// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/eclipse_choice.h"

#include <cstdio>

void AddChoiceOptions(CLI::App& command, Eclipse_Choice& choice, std::time_t now) {
    const Step_Option_Set steps = AddStepOptions(command, choice.steps, now);
    command
        .add_option_function<std::string>(
            "--jde",
            [&choice](const std::string& text) {
                double jde = 0;
                if (!ParseReal(text, jde) || jde < MIN_CHOICE_JDE || jde > MAX_CHOICE_JDE) {
                    throw CLI::ValidationError(
                        "invalid instant '" + text + "': --jde takes a Julian Ephemeris Day from " +
                        std::to_string(static_cast<int>(MIN_CHOICE_JDE)) + " to " +
                        std::to_string(static_cast<int>(MAX_CHOICE_JDE)));
                }
                choice.haveJde = true;
                choice.jde = jde;
            },
            "take the eclipse at the instant X, a Julian Ephemeris Day\nfrom " +
                std::to_string(static_cast<int>(MIN_CHOICE_JDE)) + " to " +
                std::to_string(static_cast<int>(MAX_CHOICE_JDE)) +
                ", instead of stepping (excludes\n--from, --next, --prev and --count)")
        ->option_text("X")
        ->excludes(steps.from, steps.next, steps.prev, steps.count);
}

bool ChoiceGiven(const Eclipse_Choice& choice) {
    return choice.haveJde || choice.steps.haveFrom || choice.steps.direction != 0;
}

void CheckChoice(const Eclipse_Choice& choice, bool required) {
    if (required && !ChoiceGiven(choice))
        throw CLI::RequiredError("--from DATE with --next or --prev, or --jde X,");
    CheckStepOptions(choice.steps);
}

void ResolveChoice(const Eclipse_Choice& choice, Eclipse_Record& record) {
    if (choice.haveJde) {
        record.jde = choice.jde;
        record.valid = true;
        return;
    }
    std::string note;
    if (!WalkEclipses(
            choice.steps, record, [](const Eclipse_Record&) { return true; }, note))
        std::fprintf(stderr, "velmor-cli: %s\n", note.c_str());
}
