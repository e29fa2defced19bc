// Checks shared by the local circumstances' tests.
#pragma once

#include <cmath>

#include "besselian/local_circumstances.h"

namespace besselian {
namespace test {

// No field of the result is NaN or infinite, defined or not.
inline bool AllFinite(const Local_Circumstances& lc) {
    const Local_Instant* instants[] = {&lc.c1,      &lc.c2,      &lc.c3,    &lc.c4,
                                       &lc.maximum, &lc.sunrise, &lc.sunset};
    for (const Local_Instant* i : instants) {
        if (!std::isfinite(i->jdUt) || !std::isfinite(i->sunAltitudeDeg)) return false;
    }
    const Contact* contacts[] = {&lc.c1, &lc.c2, &lc.c3, &lc.c4};
    for (const Contact* c : contacts) {
        if (!std::isfinite(c->positionAngleDeg)) return false;
    }
    return std::isfinite(lc.sunAzimuthMaxDeg) && std::isfinite(lc.magnitude) &&
           std::isfinite(lc.obscuration) && std::isfinite(lc.moonSunRatio) &&
           std::isfinite(lc.centralDurationS) && std::isfinite(lc.deltaTSeconds);
}

// Contacts and maximum in their order, each defined one after the one before.
inline bool Ordered(const Local_Circumstances& lc) {
    const Local_Instant* seq[] = {&lc.c1, &lc.c2, &lc.maximum, &lc.c3, &lc.c4};
    double last = -INFINITY;
    for (const Local_Instant* i : seq) {
        if (!i->defined) continue;
        if (i->jdUt < last) return false;
        last = i->jdUt;
    }
    return true;
}

}  // namespace test
}  // namespace besselian
