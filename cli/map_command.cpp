#include "cli/map_command.h"

#include <cstdio>

#include <ctime>

#include "app/velmor_doc.h"
#include "cli/eclipse_choice.h"
#include "overlay/eclipse_overlay.h"
#include "platform/qt/image_export.h"

namespace {

constexpr int MAP_SIZE = MAP_EXTENT_PIXELS;  // pixels, both ways

int Fail(const std::string& message) {
    std::fprintf(stderr, "velmor-cli map: %s\n", message.c_str());
    return 2;
}

bool ParseCentre(const std::string& text, double& latitude, double& longitude) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    return ParseReal(text.substr(0, comma), latitude) &&
           ParseReal(text.substr(comma + 1), longitude) && latitude >= -90.0 && latitude <= 90.0 &&
           longitude >= -360.0 && longitude <= 360.0;
}

}  // namespace

const char* const SEE_HELP = " (see velmor-cli map --help)";

const char* const MAP_USAGE =
    "usage: velmor-cli map [--from DATE (--next | --prev) [--count N] | --jde X]\n"
    "                      [--centre LAT,LON] -o FILE.png|FILE.svg\n"
    "\n"
    "Draws the globe as the map pane shows it, 640 by 640 pixels. With an eclipse (the\n"
    "last one found by stepping from DATE as 'velmor-cli eclipses' does, or the instant\n"
    "X, a Julian Ephemeris Day) the globe faces the point where the Sun stands overhead\n"
    "at the eclipse, and its lines are drawn over the world.\n"
    "\n"
    "  --centre LAT,LON  turn the globe to this centre instead (degrees; default 0,0\n"
    "                    without an eclipse)\n"
    "  -o FILE           the picture to write, PNG or SVG by its extension\n";

int RunMapCommand(const std::vector<std::string>& args) {
    double latitude = 0.0, longitude = 0.0;
    std::string output;
    bool centreGiven = false;
    Eclipse_Choice choice;
    const std::time_t now = std::time(nullptr);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            std::fputs(MAP_USAGE, stdout);
            return 0;
        }
        std::string error;
        const Option_Result taken = TakeChoiceOption(args, i, now, choice, error);
        if (taken == Option_Result::Taken) continue;
        if (taken == Option_Result::InvalidDate) return Fail(error);
        if (taken == Option_Result::BadUsage) return Fail(error + SEE_HELP);
        if (arg == "--centre") {
            if (!hasValue) return Fail("--centre needs a value LAT,LON");
            if (centreGiven) return Fail("--centre given twice");
            if (!ParseCentre(args[++i], latitude, longitude))
                return Fail(
                    "--centre wants LAT,LON in degrees (latitude -90 to 90, longitude "
                    "-360 to 360), not '" +
                    args[i] + "'");
            centreGiven = true;
        } else if (arg == "-o") {
            if (!hasValue) return Fail("-o needs a file name");
            if (!output.empty()) return Fail("-o given twice");
            output = args[++i];
            if (output.empty()) return Fail("-o needs a file name");
        } else {
            return Fail("unknown argument '" + arg + "'" + SEE_HELP);
        }
    }
    std::string choiceError;
    if (!ChoiceComplete(choice, true, false, choiceError)) {
        return Fail(choiceError + SEE_HELP);
    }
    if (output.empty()) return Fail("missing -o FILE.png|FILE.svg");
    if (!IsPictureFileName(output)) {
        return Fail("the output file name must end in .png or .svg: '" + output + "'");
    }

    CVelmorDoc document;
    Globe& globe = *document.m_pGlobe;
    if (ChoiceGiven(choice)) {
        std::string note;
        if (!ResolveChoice(choice, document.m_eclipse, note)) {
            std::fprintf(stderr, "velmor-cli: %s\n", note.c_str());
        }
    }
    std::string error;
    const bool written = RenderToImageFile(
        output, MAP_SIZE, MAP_SIZE,
        [&](CDC& dc) {
            globe.SetDC(&dc);
            if (document.m_eclipse.valid) {
                // As the map pane paints: the overlay turns the globe to the eclipse; a
                // centre the user turned to is put back afterwards.
                Eclipse_Overlay overlay(document.m_eclipse.jde, globe, &document);
                if (centreGiven) {
                    globe.SetLatitude(latitude);
                    globe.SetLongitude(longitude);
                }
                overlay.DrawMap();
            } else {
                globe.SetLatitude(latitude);
                globe.SetLongitude(longitude);
                document.DrawWorld();
            }
            globe.SetDC(nullptr);
        },
        error);
    if (!written) return Fail(error);
    return 0;
}
