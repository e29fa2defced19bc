#include "cli/paths_command.h"

#include <cstdio>
#include <ctime>

#include "cli/eclipse_choice.h"
#include "cli/overlay_geojson.h"
#include "geo/globe.h"
#include "overlay/eclipse_overlay.h"
#include "platform/output_file.h"

const char* const PATHS_USAGE =
    "usage: velmor-cli paths (--from DATE (--next | --prev) [--count N] | --jde X) -o FILE\n"
    "\n"
    "Writes the lines the map draws for an eclipse as GeoJSON (RFC 7946): the central\n"
    "line, the Sun-on-horizon curves, the limits of magnitude 0 to 0.8 and of the\n"
    "central phase, and the half-hourly outlines (labels in universal time).\n"
    "\n"
    "  --from DATE   step from DATE as 'velmor-cli eclipses' does and take the last\n"
    "                eclipse found (--next or --prev, --count N as there)\n"
    "  --jde X       take the eclipse instant X (Julian Ephemeris Day) instead\n"
    "  -o FILE       the GeoJSON file to write; - for standard output\n";

int RunPathsCommand(const std::vector<std::string>& args) {
    Eclipse_Choice choice;
    std::string output;
    std::string error;
    const std::time_t now = std::time(nullptr);
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::fputs(PATHS_USAGE, stdout);
            return 0;
        }
        if (args[i] == "-o" || args[i] == "--output") {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "velmor-cli: -o needs a file name\n%s", PATHS_USAGE);
                return 2;
            }
            output = args[++i];
            continue;
        }
        const Option_Result result = TakeChoiceOption(args, i, now, choice, error);
        if (result != Option_Result::Taken) {
            return ReportArgumentError(result, args[i], error, PATHS_USAGE);
        }
    }
    if (!ChoiceComplete(choice, true, true, error)) {
        std::fprintf(stderr, "velmor-cli: %s\n%s", error.c_str(), PATHS_USAGE);
        return 2;
    }
    if (output.empty()) {
        std::fprintf(stderr, "velmor-cli: -o FILE is required\n%s", PATHS_USAGE);
        return 2;
    }

    // Only the lines are written: no world data is read, and the globe the overlay turns
    // is the map's.
    Eclipse_Record eclipse;
    std::string note;
    if (!ResolveChoice(choice, eclipse, note)) {
        std::fprintf(stderr, "velmor-cli: %s\n", note.c_str());
    }
    Globe globe(MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_RADIUS_PIXELS, 0.0, 0.0,
                0.0);
    Eclipse_Overlay overlay(eclipse.jde, globe, nullptr);
    const std::string geoJson = OverlayGeoJson(overlay);
    if (output == "-") {
        std::fwrite(geoJson.data(), 1, geoJson.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }
    if (!platform::WriteFileWhole(output, geoJson, error)) {
        std::fprintf(stderr, "velmor-cli: %s\n", error.c_str());
        return 2;
    }
    return 0;
}
