#include "app/details_lines.h"

#include <cstdio>

#include "astro/calendar.h"
#include "astro/dynamical_time.h"

namespace {

// Room for any of the lines, whatever the values.
constexpr size_t kLineBufferSize = 1024;

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char buffer[kLineBufferSize];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

}  // namespace

std::string EclipseTypeText(uint16_t type) {
    std::string text;
    if (type & ECL_TOTAL) text += "Total ";
    if (type & ECL_ANNULAR) text += "Annular ";
    if (type & ECL_ANNULAR_TOTAL) text += "Annular-Total ";
    if (type & ECL_PARTIAL) {
        text += "Partial ";
    } else if (type & ECL_NONCENTRAL) {
        text += "; Noncentral ";
    }
    return text;
}

std::vector<std::string> DetailLines(const Eclipse_Record& record) {
    const Civil_Date_Time& at = record.dateTime;
    const char* monthName = at.month >= 1 && at.month <= 12 ? MonthNames[at.month] : "";

    std::vector<std::string> lines;
    lines.push_back(Format("Date = %d %s %d", at.year, monthName, at.day));
    lines.push_back(Format("TD = %02d:%02d:%02d", at.hour, at.minute, at.second));
    lines.push_back(Format("UT-TD [s] = %ld", static_cast<long>(UTMinusTD(at.year))));
    lines.push_back(Format("Type = %s", EclipseTypeText(record.type).c_str()));
    if (record.type & ECL_PARTIAL) {
        lines.push_back(Format("Magn. = %4.2g", record.magnitude));
    }
    return lines;
}
