// Choosing the eclipse a picture or an export is made of: the last one found by stepping
// (--from DATE --next|--prev [--count N]) or a given instant (--jde X).
#pragma once

#include <ctime>
#include <string>
#include <vector>

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

// Like TakeStepOption, and also takes "--jde X" / "--jde=X".
Option_Result TakeChoiceOption(const std::vector<std::string>& args, size_t& i, std::time_t now,
                               Eclipse_Choice& choice, std::string& error);

// True when the choice names an eclipse: a complete set of stepping options, or --jde
// alone. withJde says whether --jde is offered; requireOne whether a choice is needed.
bool ChoiceComplete(const Eclipse_Choice& choice, bool withJde, bool requireOne,
                    std::string& error);

// True when a choice was given at all.
bool ChoiceGiven(const Eclipse_Choice& choice);

// Steps as the eclipses command does and keeps the last eclipse found, or takes the given
// instant (with valid set). Returns false with a note when the walk stopped at the end of
// the supported years (the record then holds the last eclipse found).
bool ResolveChoice(const Eclipse_Choice& choice, Eclipse_Record& record, std::string& note);
