#include "cli/eclipses_command.h"

#include <cstdio>
#include <ctime>
#include <memory>

#include "app/details_lines.h"
#include "astro/dynamical_time.h"
#include "cli/checked_output.h"
#include "cli/step_options.h"

namespace {

// The type text of the details list without its trailing blank.
std::string TypeName(uint16_t type) {
    std::string text = EclipseTypeText(type);
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

int ListEclipses(const Step_Options& options) {
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    Checked_Output out(stdout, "standard output");
    out.Write("year,month,day,hour,minute,second,ut_minus_td,type,flags,magnitude,jde\n");
    Eclipse_Record record;
    std::string note;
    const bool complete = WalkEclipses(
        options, record,
        [&out](const Eclipse_Record& r) {
            const Civil_Date_Time& t = r.dateTime;
            char magnitude[32] = "";
            if (r.type & ECL_PARTIAL)
                std::snprintf(magnitude, sizeof magnitude, "%.4f", r.magnitude);
            return out.Print("%d,%d,%d,%d,%d,%d,%d,%s,0x%02x,%s,%.6f\n", t.year, t.month, t.day,
                             t.hour, t.minute, t.second, UTMinusTD(t.year),
                             TypeName(r.type).c_str(), r.type, magnitude, r.jde);
        },
        note);
    std::string error;
    if (!out.Finish(error)) return ReportWriteError(error);
    if (!complete) std::fprintf(stderr, "velmor-cli: %s\n", note.c_str());
    return 0;
}

}  // namespace

Cli_Command EclipsesCommand() {
    return {"eclipses",
            "list the next or previous eclipses from a date, as CSV",
            "--from DATE (--next | --prev) [--count N]",
            "Lists the next (or previous) N solar eclipses from DATE as CSV, as\n"
            "repeated presses of the date bar's \">>\" (or \"<<\") button find them: a\n"
            "step from DATE, then again from each eclipse found, rounded to the second.\n"
            "An eclipse found beyond the supported years is still listed, and the\n"
            "listing ends there with a note on standard error.",
            "Columns: year, month, day, hour, minute, second (dynamical time),\n"
            "ut_minus_td (UT - TD in seconds), type, flags (0x01 total, 0x02 annular,\n"
            "0x04 annular-total, 0x08 partial, 0x10 central, 0x20 non-central),\n"
            "magnitude (partial eclipses only), jde (the instant as a Julian Ephemeris\n"
            "Day).",
            [](CLI::App& command) {
                auto options = std::make_shared<Step_Options>();
                AddStepOptions(command, *options, std::time(nullptr)).from->required();
                return [options] {
                    CheckStepOptions(*options);
                    return ListEclipses(*options);
                };
            }};
}
