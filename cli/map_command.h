// SPDX-License-Identifier: GPL-3.0-or-later
// "velmor-cli map": the world map as the map pane shows it, written to a picture file.
//
//   map [--from DATE (--next | --prev) [--count N] | --jde X] [--centre LAT,LON]
//       [--precise [--delta-t SECONDS] [--sun-radius ARCSEC]] -o FILE
//
// LAT and LON are the globe's centre in degrees (latitude -90 to 90 north positive,
// longitude -360 to 360 east positive), 0,0 when not given. The picture is 640 by 640
// pixels, white outside the globe's disc; FILE ends in .png or .svg. --precise draws the
// precise engine's picture (app/precise_map.h) over the eclipse's.
#pragma once

#include "cli/command_line.h"

Cli_Command MapCommand();
