// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/local_columns.h"

#include "cli/column_text.h"

namespace {

using besselian::Local_Instant;
using besselian::Local_Type;

const char* TypeText(Local_Type type) {
    switch (type) {
        case Local_Type::Partial:
            return "partial";
        case Local_Type::Annular:
            return "annular";
        case Local_Type::Total:
            return "total";
        case Local_Type::None:
            break;
    }
    return "none";
}

std::string Time(const Local_Instant& instant) {
    return instant.defined ? IsoUtText(instant.jdUt) : "";
}

std::string Altitude(const Local_Instant& instant) {
    return instant.defined ? FixedText(instant.sunAltitudeDeg, 2) : "";
}

std::string Angle(const besselian::Contact& contact) {
    return contact.defined ? FixedText(contact.positionAngleDeg, 1) : "";
}

}  // namespace

std::string LocalCsvHeader() {
    return "date,local_type,c1_ut,c2_ut,max_ut,c3_ut,c4_ut,rise_ut,set_ut,magnitude,obscuration,"
           "sun_altitude_c1,sun_altitude_c2,sun_altitude_max,sun_altitude_c3,sun_altitude_c4,"
           "sun_azimuth_max,p_c1,p_c2,p_c3,p_c4,central_duration_s,delta_t";
}

std::string LocalCsvColumns(const std::string& date, const besselian::Local_Circumstances* local) {
    if (local == nullptr) return date + ",none" + std::string(21, ',');
    const besselian::Local_Circumstances& l = *local;
    const bool atMaximum = l.maximum.defined;
    return CommaJoined({
        date,
        TypeText(l.typeSeen),
        Time(l.c1),
        Time(l.c2),
        Time(l.maximum),
        Time(l.c3),
        Time(l.c4),
        Time(l.sunrise),
        Time(l.sunset),
        atMaximum ? FixedText(l.magnitude, 4) : "",
        atMaximum ? FixedText(l.obscuration, 4) : "",
        Altitude(l.c1),
        Altitude(l.c2),
        Altitude(l.maximum),
        Altitude(l.c3),
        Altitude(l.c4),
        atMaximum ? FixedText(l.sunAzimuthMaxDeg, 2) : "",
        Angle(l.c1),
        Angle(l.c2),
        Angle(l.c3),
        Angle(l.c4),
        l.centralDurationDefined ? FixedText(l.centralDurationS, 1) : "",
        FixedText(l.deltaTSeconds, 1),
    });
}
