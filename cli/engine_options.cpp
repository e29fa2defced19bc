// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/engine_options.h"

#include <cstdio>
#include <string>
#include <utility>

#include "cli/step_options.h"

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// An option that takes one real number from low to high into target; anything else is
// refused with "NAME needs WHAT from LOW to HIGH, not 'TEXT'".
CLI::Option* AddRealOption(CLI::App& command, const std::string& name, const std::string& what,
                           double low, double high, double& target,
                           const std::string& description) {
    return command.add_option_function<std::string>(
        name,
        [=, &target](const std::string& text) {
            double value = 0;
            if (!ParseReal(text, value) || value < low || value > high) {
                throw CLI::ValidationError(name + " needs " + what + " from " + Number(low) +
                                           " to " + Number(high) + ", not '" + text + "'");
            }
            target = value;
        },
        description);
}

// Declares --delta-t and --sun-radius; returns them.
std::pair<CLI::Option*, CLI::Option*> DeclareEngineOptions(CLI::App& command,
                                                           besselian::Engine_Options& options) {
    CLI::Option* deltaT =
        AddRealOption(command, "--delta-t", "TD - UT in seconds", -MAX_DELTA_T_SECONDS,
                      MAX_DELTA_T_SECONDS, options.deltaTSeconds,
                      "TD - UT in seconds (-1000000 to 1000000) instead of the\n"
                      "precise engine's model of it")
            ->option_text("SECONDS");
    CLI::Option* sunRadius =
        AddRealOption(command, "--sun-radius", "the Sun's radius at 1 AU in arcseconds",
                      MIN_SUN_RADIUS_ARCSEC, MAX_SUN_RADIUS_ARCSEC, options.sunRadiusArcsec,
                      "the Sun's radius at 1 AU in arcseconds (900 to 1000;\n"
                      "default 959.63, the USNO's tables use 959.22)")
            ->option_text("ARCSEC");
    return {deltaT, sunRadius};
}

}  // namespace

void AddEngineOptions(CLI::App& command, besselian::Engine_Options& options) {
    DeclareEngineOptions(command, options);
}

void AddPreciseOptions(CLI::App& command, bool& precise, besselian::Engine_Options& options,
                       const std::string& description) {
    CLI::Option* flag = command.add_flag_callback(
        "--precise", [&precise] { precise = true; }, description);
    const auto [deltaT, sunRadius] = DeclareEngineOptions(command, options);
    deltaT->needs(flag);
    sunRadius->needs(flag);
}
