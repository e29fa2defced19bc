// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/paths_command.h"

#include <ctime>
#include <memory>

#include "cli/checked_output.h"
#include "cli/eclipse_choice.h"
#include "cli/engine_options.h"
#include "cli/overlay_geojson.h"
#include "cli/precise_geojson.h"
#include "geo/globe.h"
#include "overlay/eclipse_overlay.h"
#include "platform/output_file.h"

namespace {

struct Paths_Arguments {
    Eclipse_Choice choice;
    bool precise = false;
    besselian::Engine_Options engine;
    std::string output;
};

int WritePaths(const Paths_Arguments& arguments) {
    const std::string& output = arguments.output;
    // Only the lines are written: no world data is read, and the globe the overlay turns
    // is the map's.
    Eclipse_Record eclipse;
    ResolveChoice(arguments.choice, eclipse);
    std::string geoJson;
    if (arguments.precise) {
        geoJson = PreciseGeoJson(ComputePreciseEclipse(eclipse.jde, arguments.engine));
    } else {
        Globe globe(MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_RADIUS_PIXELS, 0.0,
                    0.0, 0.0);
        Eclipse_Overlay overlay(eclipse.jde, globe, nullptr);
        geoJson = OverlayGeoJson(overlay);
    }
    std::string error;
    if (output == "-") {
        Checked_Output out(stdout, "standard output");
        out.Write(geoJson);
        if (!out.Finish(error)) return ReportWriteError(error);
        return 0;
    }
    if (!platform::WriteFileWhole(output, geoJson, error)) return ReportWriteError(error);
    return 0;
}

}  // namespace

Cli_Command PathsCommand() {
    return {"paths",
            "write the lines of an eclipse's map as GeoJSON",
            "(--from DATE (--next | --prev) [--count N] | --jde X) [--precise [--delta-t SECONDS] "
            "[--sun-radius ARCSEC]] -o FILE",
            "Writes the lines the map draws for an eclipse as GeoJSON (RFC 7946): the\n"
            "central line, the Sun-on-horizon curves, the limits of magnitude 0 to 0.8\n"
            "and of the central phase, and the half-hourly outlines (labels in\n"
            "universal time). The eclipse is the last one found by stepping from DATE\n"
            "as 'velmor-cli eclipses' does, or the one at the instant X. The file is\n"
            "written whole or not at all. With --precise it writes the precise\n"
            "engine's lines instead (on the flattened Earth): the central line\n"
            "(kind central), the limits of the umbra and the penumbra (umbra-limit,\n"
            "penumbra-limit, with side north or south), the curves of first and last\n"
            "contact and of maximum at sunrise and sunset (rise-set, with curve\n"
            "first-contact, last-contact or maximum), the umbra's outline every 10\n"
            "minutes (umbra-outline, with its time in UT), and a Point at greatest\n"
            "eclipse (greatest) with the columns of 'eclipses --precise'.",
            "",
            [](CLI::App& command) {
                auto arguments = std::make_shared<Paths_Arguments>();
                AddChoiceOptions(command, arguments->choice, std::time(nullptr));
                command
                    .add_option_function<std::string>(
                        "-o,--output",
                        [arguments](const std::string& file) {
                            if (file.empty()) throw CLI::ValidationError("-o", "needs a file name");
                            arguments->output = file;
                        },
                        "the GeoJSON file to write; - for standard output")
                    ->option_text("FILE");
                AddPreciseOptions(command, arguments->precise, arguments->engine,
                                  "write the precise engine's lines instead of the map's");
                return [arguments] {
                    CheckChoice(arguments->choice, true);
                    if (arguments->output.empty()) throw CLI::RequiredError("-o FILE");
                    return WritePaths(*arguments);
                };
            }};
}
