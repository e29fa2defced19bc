// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/eclipses_command.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "app/details_lines.h"
#include "astro/dynamical_time.h"
#include "besselian/global_circumstances.h"
#include "cli/checked_output.h"
#include "cli/engine_options.h"
#include "cli/precise_fields.h"
#include "cli/step_options.h"

namespace {

// The eclipses whose global circumstances are computed together: enough to keep both
// workers busy, few enough to hold little memory and to stop soon after a failed write.
constexpr size_t PRECISE_BATCH = 4096;
constexpr int PRECISE_WORKERS = 2;

struct Eclipses_Arguments {
    Step_Options steps;
    bool precise = false;
    besselian::Engine_Options engine;
};

// The type text of the details list without its trailing blank.
std::string TypeName(uint16_t type) {
    std::string text = EclipseTypeText(type);
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The lunation method's columns of one eclipse, without the line's end.
std::string RecordColumns(const Eclipse_Record& r) {
    const Civil_Date_Time& t = r.dateTime;
    char magnitude[32] = "";
    if (r.type & ECL_PARTIAL) std::snprintf(magnitude, sizeof magnitude, "%.4f", r.magnitude);
    char line[160];
    std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,%d,%d,%s,0x%02x,%s,%.6f", t.year, t.month,
                  t.day, t.hour, t.minute, t.second, UTMinusTD(t.year), TypeName(r.type).c_str(),
                  r.type, magnitude, r.jde);
    return line;
}

// Writes the eclipses gathered so far with their global circumstances, and forgets them.
bool WritePreciseBatch(Checked_Output& out, std::vector<Eclipse_Record>& batch,
                       const besselian::Engine_Options& engine) {
    std::vector<double> jdes;
    jdes.reserve(batch.size());
    for (const Eclipse_Record& r : batch) jdes.push_back(r.jde);
    const std::vector<besselian::Global_Circumstances> circumstances =
        besselian::ComputeGlobalCircumstancesMany(jdes, engine, PRECISE_WORKERS);
    bool written = true;
    for (size_t i = 0; i < batch.size() && written; ++i)
        written =
            out.Write(RecordColumns(batch[i]) + "," + PreciseCsvColumns(circumstances[i]) + "\n");
    batch.clear();
    return written;
}

int ListEclipses(const Eclipses_Arguments& arguments) {
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    Checked_Output out(stdout, "standard output");
    std::string header = "year,month,day,hour,minute,second,ut_minus_td,type,flags,magnitude,jde";
    if (arguments.precise) header += "," + PreciseCsvHeader();
    out.Write(header + "\n");
    Eclipse_Record record;
    std::string note;
    bool complete;
    if (arguments.precise) {
        // The walk first, then the precise engine on a batch at a time, over both cores.
        std::vector<Eclipse_Record> batch;
        bool written = true;
        complete = WalkEclipses(
            arguments.steps, record,
            [&](const Eclipse_Record& r) {
                batch.push_back(r);
                if (batch.size() == PRECISE_BATCH)
                    written = WritePreciseBatch(out, batch, arguments.engine);
                return written;
            },
            note);
        if (written && !batch.empty()) WritePreciseBatch(out, batch, arguments.engine);
    } else {
        complete = WalkEclipses(
            arguments.steps, record,
            [&out](const Eclipse_Record& r) { return out.Write(RecordColumns(r) + "\n"); }, note);
    }
    std::string error;
    if (!out.Finish(error)) return ReportWriteError(error);
    if (!complete) std::fprintf(stderr, "velmor-cli: %s\n", note.c_str());
    return 0;
}

}  // namespace

Cli_Command EclipsesCommand() {
    return {"eclipses",
            "list the next or previous eclipses from a date, as CSV",
            "--from DATE (--next | --prev) [--count N] [--precise [--delta-t SECONDS] "
            "[--sun-radius ARCSEC]]",
            "Lists the next (or previous) N solar eclipses from DATE as CSV, as\n"
            "repeated presses of the date bar's \">>\" (or \"<<\") button find them: a\n"
            "step from DATE, then again from each eclipse found, rounded to the second.\n"
            "An eclipse found beyond the supported years is still listed, and the\n"
            "listing ends there with a note on standard error. With --precise each\n"
            "eclipse also gets its global circumstances from the precise engine\n"
            "(Besselian elements from modern theories of the Sun and the Moon).",
            "Columns: year, month, day, hour, minute, second (dynamical time),\n"
            "ut_minus_td (UT - TD in seconds), type, flags (0x01 total, 0x02 annular,\n"
            "0x04 annular-total, 0x08 partial, 0x10 central, 0x20 non-central),\n"
            "magnitude (partial eclipses only), jde (the instant as a Julian Ephemeris\n"
            "Day). With --precise then: greatest_jde (TD), greatest_ut (UT, as\n"
            "2024-04-08T18:17:21.3Z in the same calendar), delta_t (TD - UT, s), gamma,\n"
            "eclipse_magnitude, precise_type (Total, Annular, Hybrid or Partial),\n"
            "central (1 or 0), latitude, longitude (of greatest eclipse, degrees, east\n"
            "positive), sun_altitude, sun_azimuth (there, degrees), path_width_km,\n"
            "central_duration_s; empty where the eclipse has no such value, all of\n"
            "them when the precise engine finds no shadow on the Earth.",
            [](CLI::App& command) {
                auto arguments = std::make_shared<Eclipses_Arguments>();
                AddStepOptions(command, arguments->steps, std::time(nullptr)).from->required();
                AddPreciseOptions(command, arguments->precise, arguments->engine,
                                  "add the global circumstances from the precise engine");
                return [arguments] {
                    CheckStepOptions(arguments->steps);
                    return ListEclipses(*arguments);
                };
            }};
}
