#include "besselian/visible_eclipse.h"

#include "astro/calendar.h"
#include "astro/eclipse_search.h"

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

bool FindVisibleEclipse(bool forward, double startJde, const Geodetic_Place& place,
                        const Engine_Options& options, int maxEclipses, Visible_Eclipse& found) {
    if (!IsValidPlace(place)) return false;
    double from = startJde;
    for (int i = 0; i < maxEclipses; ++i) {
        const int16_t year = DateTimeFromJD(from).year;
        double jde = 0.0, magnitude = 0.0;
        uint16_t type = 0;
        FindEclipse(forward ? 1 : 0, year, from, jde, type, magnitude);
        // Eclipses lie a lunation or more apart: a day beyond this one starts the next look.
        from = forward ? jde + 1.0 : jde - 1.0;
        Besselian_Elements elements;
        Local_Circumstances local;
        if (!LocalCircumstancesNear(jde, place, options, elements, local)) continue;  // no shadow
        if (!IsVisible(local)) continue;
        found.jde = jde;
        found.elements = elements;
        found.local = local;
        return true;
    }
    return false;
}

}  // namespace besselian
