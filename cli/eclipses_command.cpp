#include "cli/eclipses_command.h"

#include <cstdio>
#include <ctime>

#include "app/details_lines.h"
#include "astro/dynamical_time.h"
#include "cli/step_options.h"

namespace {

// The type text of the details list without its trailing blank.
std::string TypeName(uint16_t type) {
    std::string text = EclipseTypeText(type);
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

const char* const ECLIPSES_USAGE =
    "usage: velmor-cli eclipses --from DATE (--next | --prev) [--count N]\n"
    "\n"
    "Lists the next (or previous) N solar eclipses from DATE as CSV, as repeated\n"
    "presses of the date bar's \">>\" (or \"<<\") button find them.\n"
    "\n"
    "  --from DATE   YYYY-MM-DD, YYYY-MM-DDTHH:MM, YYYY-MM-DDTHH:MM:SS (dynamical\n"
    "                time) or now; years BC with a minus sign, without a year 0\n"
    "  --next        step towards later eclipses\n"
    "  --prev        step towards earlier eclipses\n"
    "  --count N     number of eclipses (default 1)\n"
    "\n"
    "Columns: year,month,day,hour,minute,second (dynamical time), ut_minus_td (s),\n"
    "type, flags, magnitude (partial eclipses only), jde.\n";

int RunEclipsesCommand(const std::vector<std::string>& args) {
    Step_Options options;
    std::string error;
    const std::time_t now = std::time(nullptr);
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::fputs(ECLIPSES_USAGE, stdout);
            return 0;
        }
        const Option_Result result = TakeStepOption(args, i, now, options, error);
        if (result != Option_Result::Taken) {
            return ReportArgumentError(result, args[i], error, ECLIPSES_USAGE);
        }
    }
    if (!StepOptionsComplete(options, error)) {
        std::fprintf(stderr, "velmor-cli: %s\n%s", error.c_str(), ECLIPSES_USAGE);
        return 2;
    }

    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    std::fputs("year,month,day,hour,minute,second,ut_minus_td,type,flags,magnitude,jde\n", stdout);
    Eclipse_Record record;
    std::string note;
    const bool complete = WalkEclipses(
        options, record,
        [](const Eclipse_Record& r) {
            const Civil_Date_Time& t = r.dateTime;
            char magnitude[32] = "";
            if (r.type & ECL_PARTIAL)
                std::snprintf(magnitude, sizeof magnitude, "%.4f", r.magnitude);
            std::printf("%d,%d,%d,%d,%d,%d,%d,%s,0x%02x,%s,%.6f\n", t.year, t.month, t.day, t.hour,
                        t.minute, t.second, UTMinusTD(t.year), TypeName(r.type).c_str(), r.type,
                        magnitude, r.jde);
        },
        note);
    std::fflush(stdout);
    if (!complete) std::fprintf(stderr, "velmor-cli: %s\n", note.c_str());
    return 0;
}
