// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/ephemeris.h"

#include <libnova/earth.h>
#include <libnova/lunar.h>

#include <cmath>

#include "besselian/constants.h"

namespace besselian {

std::mutex& LibnovaLock() {
    static std::mutex lock;
    return lock;
}

double MoonSecularLongitudeArcsec(double jde) {
    const double T = CenturiesTd(jde);
    return -0.40324 * T - 0.5 * 1.963 * T * T;
}

double MoonSecularShiftSeconds(double jde) {
    return MoonSecularLongitudeArcsec(jde) / MOON_MEAN_MOTION_ARCSEC_PER_S;
}

Vec3 MoonGeometricKm(double jdeMoon, double precision) {
    ln_rect_posn p{};
    std::lock_guard<std::mutex> guard(LibnovaLock());
    ln_get_lunar_geo_posn(jdeMoon, &p, precision);
    return {p.X, p.Y, p.Z};
}

Vec3 MoonApparentKm(double jde, double precision) {
    const double shifted = jde + MoonSecularShiftSeconds(jde) / SECONDS_PER_DAY;
    // Light time: about 1.3 s; one step from the mean distance, then one from the real one.
    const double firstLightDays = 384400.0 / LIGHT_KM_PER_S / SECONDS_PER_DAY;
    const Vec3 first = MoonGeometricKm(shifted - firstLightDays, precision);
    return MoonGeometricKm(shifted - Norm(first) / LIGHT_KM_PER_S / SECONDS_PER_DAY, precision);
}

static Vec3 EarthHelioKm(double jde) {
    ln_helio_posn h{};
    {
        std::lock_guard<std::mutex> guard(LibnovaLock());
        ln_get_earth_helio_coords(jde, &h);
    }
    const double L = h.L * DEG, B = h.B * DEG, R = h.R * AU_KM;
    return {R * std::cos(B) * std::cos(L), R * std::cos(B) * std::sin(L), R * std::sin(B)};
}

Vec3 SunApparentKm(double jde) {
    const double firstLightDays = AU_KM / LIGHT_KM_PER_S / SECONDS_PER_DAY;
    const Vec3 first = EarthHelioKm(jde - firstLightDays);
    return -1.0 * EarthHelioKm(jde - Norm(first) / LIGHT_KM_PER_S / SECONDS_PER_DAY);
}

Vec3 SunApparentKm(double jde, double lightTimeS) {
    return -1.0 * EarthHelioKm(jde - lightTimeS / SECONDS_PER_DAY);
}

}  // namespace besselian
