// SPDX-License-Identifier: GPL-3.0-or-later
// velmor-cli: Velmor's command-line program.
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/eclipses_command.h"
#include "cli/local_command.h"
#include "cli/paths_command.h"
#ifdef VELMOR_HAS_MAP
#include "cli/map_command.h"
#endif

int main(int argc, char** argv) {
    const std::vector<Cli_Command> commands = {
        EclipsesCommand(),
        LocalCommand(),
#ifdef VELMOR_HAS_MAP
        MapCommand(),
#endif
        PathsCommand(),
    };
    const int status = RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), commands,
                                      "velmor-cli " VELMOR_VERSION);
    return CloseStandardOutput(status);
}
