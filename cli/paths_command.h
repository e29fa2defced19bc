// velmor-cli paths: the lines of an eclipse's map as GeoJSON.
#pragma once

#include "cli/command_line.h"

Cli_Command PathsCommand();
