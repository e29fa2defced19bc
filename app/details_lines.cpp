// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/details_lines.h"

#include <cmath>
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

// An angle as "%.1f" degrees shows it, without the minus sign of a value that rounds to 0.
double TenthsWithoutMinusZero(double degrees) {
    return std::fabs(degrees) < 0.05 ? 0.0 : degrees;
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

std::string TimeOfDayText(double jd) {
    // Tenths of a second since the day began at midnight (jd + 0.5 is whole at midnight).
    const double dayFraction = jd + 0.5 - std::floor(jd + 0.5);
    long tenths = std::lround(dayFraction * 864000.0);
    if (tenths >= 864000) tenths -= 864000;
    const long seconds = tenths / 10;
    return Format("%02ld:%02ld:%02ld.%ld", seconds / 3600, seconds / 60 % 60, seconds % 60,
                  tenths % 10);
}

namespace {

std::string DurationText(double seconds) {
    const long tenths = std::lround(seconds * 10.0);
    return Format("%ld:%02ld.%ld", tenths / 600, tenths / 10 % 60, tenths % 10);
}

std::string LatitudeText(double latitudeDeg) {
    return Format("%.2f %c", std::fabs(latitudeDeg), latitudeDeg < 0 ? 'S' : 'N');
}

std::string LongitudeText(double longitudeDeg) {
    return Format("%.2f %c", std::fabs(longitudeDeg), longitudeDeg < 0 ? 'W' : 'E');
}

const char* LocalTypeText(besselian::Local_Type type) {
    switch (type) {
        case besselian::Local_Type::Partial:
            return "Partial";
        case besselian::Local_Type::Annular:
            return "Annular";
        case besselian::Local_Type::Total:
            return "Total";
        case besselian::Local_Type::None:
            break;
    }
    return "None";
}

}  // namespace

std::vector<std::string> PreciseDetailLines(const besselian::Global_Circumstances& g) {
    std::vector<std::string> lines;
    if (g.status == besselian::Global_Status::NoElements || !std::isfinite(g.greatestJdUt))
        return lines;
    lines.push_back("Greatest UT = " + TimeOfDayText(g.greatestJdUt));
    if (g.status == besselian::Global_Status::Ok) {
        lines.push_back("Latitude = " + LatitudeText(g.latitudeDeg));
        lines.push_back("Longitude = " + LongitudeText(g.longitudeDeg));
        lines.push_back(Format("Sun alt. = %.1f\u00b0", TenthsWithoutMinusZero(g.sunAltitudeDeg)));
        if (std::isfinite(g.pathWidthKm))
            lines.push_back(Format("Width [km] = %.0f", g.pathWidthKm));
        if (std::isfinite(g.centralDurationS))
            lines.push_back("Duration = " + DurationText(g.centralDurationS));
    }
    if (std::isfinite(g.gamma)) lines.push_back(Format("Gamma = %+.4f", g.gamma));
    if (std::isfinite(g.deltaTSeconds))
        lines.push_back(Format("\u0394T [s] = %.1f", g.deltaTSeconds));
    return lines;
}

std::vector<std::string> LocalDetailLines(const besselian::Geodetic_Place& place,
                                          const besselian::Local_Circumstances* local) {
    std::vector<std::string> lines;
    lines.push_back("Place = " + LatitudeText(place.latitudeDeg) + " " +
                    LongitudeText(place.longitudeDeg));
    if (local == nullptr || local->status == besselian::Local_Status::BadPlace ||
        local->status == besselian::Local_Status::BadElements) {
        lines.push_back("Seen = -");
        return lines;
    }
    lines.push_back(std::string("Seen = ") + LocalTypeText(local->typeSeen));
    if (local->status != besselian::Local_Status::Ok) return lines;
    const auto instant = [&](const char* label, const besselian::Local_Instant& at) {
        if (at.defined)
            lines.push_back(Format("%s = %s UT, Sun %.1f\u00b0", label,
                                   TimeOfDayText(at.jdUt).c_str(),
                                   TenthsWithoutMinusZero(at.sunAltitudeDeg)));
    };
    instant("C1", local->c1);
    instant("C2", local->c2);
    instant("Max.", local->maximum);
    instant("C3", local->c3);
    instant("C4", local->c4);
    if (local->sunrise.defined)
        lines.push_back("Sunrise = " + TimeOfDayText(local->sunrise.jdUt) + " UT");
    if (local->sunset.defined)
        lines.push_back("Sunset = " + TimeOfDayText(local->sunset.jdUt) + " UT");
    lines.push_back(Format("Magn. here = %.3f", local->magnitude));
    lines.push_back(Format("Obscuration = %.1f%%", local->obscuration * 100.0));
    if (local->centralDurationDefined)
        lines.push_back("Duration here = " + DurationText(local->centralDurationS));
    return lines;
}
