// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/eclipse_step.h"

#include "astro/calendar.h"

namespace {

constexpr double ONE_SECOND_DAYS = 1.1574074074074073e-05;  // 1/86400 day

}  // namespace

bool StepEclipse(Eclipse_Record& record, bool forward, const Civil_Date_Time& from) {
    if (!IsValidDate(from.year, from.month, from.day)) return false;

    double start =
        JDFromDateTime(from.year, from.month, from.day, from.hour, from.minute, from.second);
    start += forward ? ONE_SECOND_DAYS : -ONE_SECOND_DAYS;

    if (!FindEclipse(forward ? 1 : 0, from.year, start, record.jde, record.type,
                     record.magnitude)) {
        return false;
    }
    record.dateTime = DateTimeFromJD(record.jde);
    record.valid = true;
    return true;
}
