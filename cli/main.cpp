// velmor-cli: Velmor's command-line program.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/eclipses_command.h"
#include "cli/paths_command.h"
#ifdef VELMOR_HAS_MAP
#include "cli/map_command.h"
#endif

namespace {

const char* const VERSION = VELMOR_VERSION;

const char* const USAGE =
    "usage: velmor-cli COMMAND [OPTIONS]\n"
    "\n"
    "Finds solar eclipses by the lunation-number method.\n"
    "\n"
    "Commands:\n"
    "  eclipses   list the next or previous eclipses from a date, as CSV\n"
#ifdef VELMOR_HAS_MAP
    "  map        draw the globe with an eclipse to a PNG or SVG picture\n"
#endif
    "  paths      write the lines of an eclipse's map as GeoJSON\n"
    "\n"
    "Options:\n"
    "  --help     show this help (velmor-cli COMMAND --help for a command)\n"
    "  --version  show the version\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(USAGE, stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("velmor-cli %s\n", VERSION);
        return 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "eclipses") return RunEclipsesCommand(args);
    if (command == "paths") return RunPathsCommand(args);
#ifdef VELMOR_HAS_MAP
    if (command == "map") return RunMapCommand(args);
#endif

    std::fprintf(stderr, "velmor-cli: unknown command '%s'\n%s", command.c_str(), USAGE);
    return 2;
}
