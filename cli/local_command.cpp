// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/local_command.h"

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

#include "app/velmor_doc.h"
#include "besselian/visible_eclipse.h"
#include "cli/checked_output.h"
#include "cli/column_text.h"
#include "cli/eclipse_choice.h"
#include "cli/engine_options.h"
#include "cli/local_columns.h"
#include "cli/place_argument.h"

namespace {

struct Local_Arguments {
    Eclipse_Choice choice;
    bool haveAt = false;
    besselian::Geodetic_Place place;
    std::string city;
    besselian::Engine_Options engine;
};

// The place the arguments name; the world data's cities are read for --city only. Refuses
// an unknown or ambiguous city name.
besselian::Geodetic_Place ChosenPlace(const Local_Arguments& arguments) {
    if (arguments.haveAt) return arguments.place;
    const CVelmorDoc world;
    besselian::Geodetic_Place place;
    std::string error;
    if (!FindCity(arguments.city, world.m_pCities, world.m_nCities, place, error))
        throw CLI::ValidationError(error);
    return place;
}

// The eclipse near jde seen from the place, as a line.
std::string Line(const Civil_Date_Time& date, double jde, const besselian::Geodetic_Place& place,
                 const besselian::Engine_Options& engine, bool& seen) {
    besselian::Besselian_Elements elements;
    besselian::Local_Circumstances local;
    const bool found = besselian::LocalCircumstancesNear(jde, place, engine, elements, local);
    seen = found && besselian::IsVisible(local);
    return LocalCsvColumns(IsoDateText(date.year, date.month, date.day), found ? &local : nullptr) +
           "\n";
}

int ListLocal(const Local_Arguments& arguments) {
    const besselian::Geodetic_Place place = ChosenPlace(arguments);
    const Eclipse_Choice& choice = arguments.choice;
    Checked_Output out(stdout, "standard output");
    out.Write(LocalCsvHeader() + "\n");
    std::string note;
    if (choice.haveJde) {
        bool seen = false;
        out.Write(Line(DateTimeFromJD(choice.jde), choice.jde, place, arguments.engine, seen));
    } else {
        // Through the eclipses as "eclipses" steps, until count of them were seen.
        Step_Options steps = choice.steps;
        steps.count = MAX_STEP_COUNT;
        long shown = 0;
        int unseen = 0;
        Eclipse_Record record;
        WalkEclipses(
            steps, record,
            [&](const Eclipse_Record& r) {
                bool seen = false;
                const std::string line = Line(r.dateTime, r.jde, place, arguments.engine, seen);
                if (!seen) {
                    if (++unseen < MAX_UNSEEN_ECLIPSES) return true;
                    note = "none of " + std::to_string(MAX_UNSEEN_ECLIPSES) +
                           " eclipses in a row up to that of " + DateText(r.dateTime) +
                           " is seen from the place; the search stops there";
                    return false;
                }
                unseen = 0;
                return out.Write(line) && ++shown < choice.steps.count;
            },
            note);
    }
    std::string error;
    if (!out.Finish(error)) return ReportWriteError(error);
    if (!note.empty()) std::fprintf(stderr, "velmor-cli: %s\n", note.c_str());
    return 0;
}

// Declares the command's options and returns the function that runs it.
std::function<int()> DeclareLocal(CLI::App& command) {
    auto arguments = std::make_shared<Local_Arguments>();
    CLI::Option* at = command
                          .add_option_function<std::string>(
                              "--at",
                              [arguments](const std::string& text) {
                                  std::string error;
                                  if (!ParsePlace(text, arguments->place, error))
                                      throw CLI::ValidationError(error);
                                  arguments->haveAt = true;
                              },
                              "the place: geodetic latitude (-90 to 90) and longitude\n"
                              "(-180 to 180, east positive) in degrees, and the height\n"
                              "above sea level in metres (-500 to 9000, default 0)")
                          ->option_text("LAT,LON[,HEIGHT_M]");
    CLI::Option* city =
        command
            .add_option_function<std::string>(
                "--city", [arguments](const std::string& name) { arguments->city = name; },
                "the place: a city of the world data, at height 0 (case\n"
                "does not matter; an unknown or ambiguous name lists the\n"
                "candidates)")
            ->option_text("NAME");
    at->excludes(city);
    AddChoiceOptions(command, arguments->choice, std::time(nullptr));
    command.get_option("--count")->description("the number of eclipses seen to list (default 1)");
    AddEngineOptions(command, arguments->engine);
    return [arguments, city] {
        if (!arguments->haveAt && city->count() == 0)
            throw CLI::RequiredError("--at LAT,LON[,HEIGHT_M] or --city NAME");
        CheckChoice(arguments->choice, true);
        return ListLocal(*arguments);
    };
}

}  // namespace

static_assert(MAX_UNSEEN_ECLIPSES == 100, "the help text names the number");

Cli_Command LocalCommand() {
    return {"local",
            "list the eclipses seen from a place, with their local circumstances",
            "(--at LAT,LON[,HEIGHT_M] | --city NAME) (--from DATE (--next | --prev) [--count N] | "
            "--jde X) [--delta-t SECONDS] [--sun-radius ARCSEC]",
            "Lists as CSV the next (or previous) N eclipses seen from a place: some\n"
            "phase while the Sun's centre stands at or above -0.833 degrees. It steps\n"
            "through the eclipses as 'velmor-cli eclipses' does and skips those not\n"
            "seen there; after 100 in a row it gives up with a note on standard\n"
            "error. With --jde it lists the eclipse at the instant X, seen or not.\n"
            "The local circumstances come from the precise engine; only --city\n"
            "reads the world data.",
            "Columns: date (the eclipse's date, TD, as YYYY-MM-DD), local_type (none,\n"
            "partial, annular or total, as seen above the horizon), c1_ut, c2_ut,\n"
            "max_ut, c3_ut, c4_ut (the contacts and the maximum, also below the\n"
            "horizon), rise_ut, set_ut (a sunrise or sunset that cuts the eclipse\n"
            "short), magnitude, obscuration (at maximum), sun_altitude_c1,\n"
            "sun_altitude_c2, sun_altitude_max, sun_altitude_c3, sun_altitude_c4\n"
            "(geometric, degrees), sun_azimuth_max, p_c1, p_c2, p_c3, p_c4 (position\n"
            "angles from the Sun's north point towards the east, degrees),\n"
            "central_duration_s, delta_t (TD - UT, s). Times are UT, as\n"
            "2024-04-08T18:17:21.3Z; a value the eclipse does not have there is empty.",
            DeclareLocal};
}
