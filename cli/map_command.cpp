// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/map_command.h"

#include <ctime>
#include <memory>

#include "app/precise_map.h"
#include "app/velmor_doc.h"
#include "cli/eclipse_choice.h"
#include "cli/engine_options.h"
#include "overlay/eclipse_overlay.h"
#include "platform/qt/image_export.h"

namespace {

constexpr int MAP_SIZE = MAP_EXTENT_PIXELS;  // pixels, both ways

bool ParseCentre(const std::string& text, double& latitude, double& longitude) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    return ParseReal(text.substr(0, comma), latitude) &&
           ParseReal(text.substr(comma + 1), longitude) && latitude >= -90.0 && latitude <= 90.0 &&
           longitude >= -360.0 && longitude <= 360.0;
}

struct Map_Arguments {
    Eclipse_Choice choice;
    bool precise = false;
    besselian::Engine_Options engine;
    bool centreGiven = false;
    double latitude = 0.0, longitude = 0.0;
    std::string output;
};

int DrawMapFile(const Map_Arguments& arguments) {
    CVelmorDoc document;
    Globe& globe = *document.m_pGlobe;
    if (ChoiceGiven(arguments.choice)) ResolveChoice(arguments.choice, document.m_eclipse);
    Precise_Eclipse precise;
    if (arguments.precise && document.m_eclipse.valid)
        precise = ComputePreciseEclipse(document.m_eclipse.jde, arguments.engine);
    std::string error;
    const bool written = RenderToImageFile(
        arguments.output, MAP_SIZE, MAP_SIZE,
        [&](CDC& dc) {
            globe.SetDC(&dc);
            if (document.m_eclipse.valid) {
                // As the map pane paints: the overlay turns the globe to the eclipse; a
                // centre the user turned to is put back afterwards.
                Eclipse_Overlay overlay(document.m_eclipse.jde, globe, &document);
                if (arguments.centreGiven) {
                    globe.SetLatitude(arguments.latitude);
                    globe.SetLongitude(arguments.longitude);
                }
                overlay.DrawMap();
                if (arguments.precise) DrawPreciseEclipse(&dc, globe, precise);
            } else {
                globe.SetLatitude(arguments.latitude);
                globe.SetLongitude(arguments.longitude);
                document.DrawWorld();
            }
            globe.SetDC(nullptr);
        },
        error);
    if (!written) return ReportWriteError(error);
    return 0;
}

}  // namespace

Cli_Command MapCommand() {
    return {"map",
            "draw the globe with an eclipse to a PNG or SVG picture",
            "[--from DATE (--next | --prev) [--count N] | --jde X] [--centre LAT,LON] [--precise "
            "[--delta-t SECONDS] [--sun-radius ARCSEC]] -o FILE",
            "Draws the globe as the map pane shows it, 640 by 640 pixels. With an\n"
            "eclipse (the last one found by stepping from DATE as 'velmor-cli eclipses'\n"
            "does, or the instant X, a Julian Ephemeris Day) the globe faces the point\n"
            "where the Sun stands overhead at the eclipse, and its lines are drawn over\n"
            "the world. With --precise the precise engine's lines follow in red, as\n"
            "the window draws them with Precise on: the path of the central phase\n"
            "filled, the central line, the limits, the sunrise and sunset curves, the\n"
            "umbra's outlines and a mark at greatest eclipse. The file is written\n"
            "whole or not at all.",
            "",
            [](CLI::App& command) {
                auto arguments = std::make_shared<Map_Arguments>();
                AddChoiceOptions(command, arguments->choice, std::time(nullptr));
                command
                    .add_option_function<std::string>(
                        "--centre",
                        [arguments](const std::string& text) {
                            if (!ParseCentre(text, arguments->latitude, arguments->longitude))
                                throw CLI::ValidationError(
                                    "--centre wants LAT,LON in degrees (latitude -90 to 90, "
                                    "longitude -360 to 360), not '" +
                                    text + "'");
                            arguments->centreGiven = true;
                        },
                        "turn the globe to this centre (degrees, north and east\n"
                        "positive; default 0,0 without an eclipse, else the point\n"
                        "where the Sun stands overhead)")
                    ->option_text("LAT,LON");
                command
                    .add_option_function<std::string>(
                        "-o",
                        [arguments](const std::string& file) {
                            if (!IsPictureFileName(file))
                                throw CLI::ValidationError(
                                    "-o", "the file name must end in .png or .svg: '" + file + "'");
                            arguments->output = file;
                        },
                        "the picture to write, PNG or SVG by its extension")
                    ->option_text("FILE");
                AddPreciseOptions(command, arguments->precise, arguments->engine,
                                  "draw the precise engine's lines over the map's");
                return [arguments] {
                    CheckChoice(arguments->choice, false);
                    if (arguments->output.empty()) throw CLI::RequiredError("-o FILE");
                    return DrawMapFile(*arguments);
                };
            }};
}
