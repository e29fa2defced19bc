#include "cli/eclipse_text.h"

#include "astro/eclipse_search.h"

std::string EclipseTypeName(uint16_t type) {
    std::string text;
    if (type & ECL_TOTAL) text += "Total ";
    if (type & ECL_ANNULAR) text += "Annular ";
    if (type & ECL_ANNULAR_TOTAL) text += "Annular-Total ";
    if (type & ECL_PARTIAL) {
        text += "Partial ";
    } else if (type & ECL_NONCENTRAL) {
        text += "; Noncentral ";
    }
    if (!text.empty()) text.pop_back();
    return text;
}
