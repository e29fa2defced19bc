// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/visible_eclipse.h"

namespace besselian {

bool LocalCircumstancesNear(double jdeNear, const Geodetic_Place& place,
                            const Engine_Options& options, Besselian_Elements& elements,
                            Local_Circumstances& local) {
    Besselian_Elements e;
    if (!ComputeElements(jdeNear, options, e)) return false;
    Local_Options localOptions;
    localOptions.deltaTSeconds = options.deltaTSeconds;
    local = ComputeLocalCircumstances(e, place, localOptions);
    elements = e;
    return true;
}

}  // namespace besselian
