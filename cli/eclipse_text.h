// Names of eclipse types as the details list writes them.
#pragma once

#include <cstdint>
#include <string>

// The type text of the details list without its trailing blank: "Total", "Annular",
// "Annular-Total", "Total Annular ; Noncentral", "Partial".
std::string EclipseTypeName(uint16_t type);
