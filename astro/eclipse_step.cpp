#include "astro/eclipse_step.h"

#include "astro/calendar.h"

namespace {

constexpr double ONE_SECOND_DAYS = 1.1574074074074073e-05;  // 1/86400 day

}  // namespace

bool StepEclipse(Eclipse_Record& record, bool forward, int16_t year, int16_t month, int16_t day,
                 int16_t hour, int16_t minute, int16_t second) {
    if (!IsValidDate(year, month, day)) return false;

    double start = JDFromDateTime(year, month, day, hour, minute, second);
    start += forward ? ONE_SECOND_DAYS : -ONE_SECOND_DAYS;

    if (!FindEclipse(forward ? 1 : 0, year, start, record.jde, record.type, record.magnitude)) {
        return false;
    }
    DateTimeFromJD(record.jde, record.year, record.month, record.day, record.hour, record.minute,
                   record.second);
    record.valid = 1;
    return true;
}
