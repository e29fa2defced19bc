// "velmor-cli map": the world map as the map pane shows it, written to a picture file.
//
//   map [--centre LAT,LON] -o FILE.png|FILE.svg
//
// LAT and LON are the globe's centre in degrees (latitude -90 to 90 north positive,
// longitude -360 to 360 east positive), 0,0 when not given. The picture is 640 by 640
// pixels, white outside the globe's disc.
#pragma once

#include <string>
#include <vector>

// args: the words after "map". Returns 0 when the file is written; 2 after a usage or
// write error, with one line on standard error and no file written.
int RunMapCommand(const std::vector<std::string>& args);
