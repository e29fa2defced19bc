// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/year_field.h"

bool ReadYearField(const QString& text, int16_t& year) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return false;
    qsizetype first = 0;
    if (trimmed[0] == QLatin1Char('-') || trimmed[0] == QLatin1Char('+')) first = 1;
    if (first == trimmed.size()) return false;
    for (qsizetype i = first; i < trimmed.size(); ++i) {
        const char16_t c = trimmed[i].unicode();
        if (c < u'0' || c > u'9') return false;
    }
    // Any number of digits: toLongLong reports an overflow instead of wrapping.
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok, 10);
    if (!ok || value < kFirstSupportedYear || value > kLastSupportedYear) return false;
    year = static_cast<int16_t>(value);
    return true;
}
