// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/global_circumstances.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include <errno.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "besselian/constants.h"
#include "besselian/local_circumstances.h"
#include "besselian/shadow_geometry.h"

namespace besselian {

namespace {

// The instant (hours from t0) of the least x² + y², by Newton's method from tGuess.
double GreatestEclipseHours(const Besselian_Elements& e, double tGuess) {
    double t = std::fmin(std::fmax(tGuess, e.tMinHours), e.tMaxHours);
    for (int i = 0; i < 20; ++i) {
        const double x = e.x(t), y = e.y(t), dx = e.x.Derivative(t), dy = e.y.Derivative(t);
        // Second derivatives by a central difference of the first.
        const double h = 1e-3;
        const double ddx = (e.x.Derivative(t + h) - e.x.Derivative(t - h)) / (2 * h);
        const double ddy = (e.y.Derivative(t + h) - e.y.Derivative(t - h)) / (2 * h);
        const double f = x * dx + y * dy;
        const double df = dx * dx + dy * dy + x * ddx + y * ddy;
        if (!(df > 0)) break;
        const double step = f / df;
        t = std::fmin(std::fmax(t - step, e.tMinHours), e.tMaxHours);
        if (std::fabs(step) < 1e-10) break;
    }
    return t;
}

// Where the shadow axis meets the Earth's outline before (direction -1) or after (+1) the
// instant tIn at which it lies on the Earth; NaN if not within the elements' span.
double CentralLineEnd(const Besselian_Elements& e, double tIn, int direction) {
    double inside = tIn;
    double outside = NAN;
    for (double t = tIn + direction * 0.25; t >= e.tMinHours && t <= e.tMaxHours;
         t += direction * 0.25) {
        if (AxisOnEarthMeasure(StateAt(e, t)) >= 1) {
            outside = t;
            break;
        }
        inside = t;
    }
    if (std::isnan(outside)) return NAN;
    for (int i = 0; i < 40; ++i) {
        const double mid = 0.5 * (inside + outside);
        (AxisOnEarthMeasure(StateAt(e, mid)) < 1 ? inside : outside) = mid;
    }
    return 0.5 * (inside + outside);
}

// The width of the path at a place of the central line, across the line: the umbra's
// cross-section, a circle of radius |L2| in the fundamental plane, sweeps a strip of width
// 2 |L2| at right angles to its motion relative to the place; that strip cut by the ground's
// tangent plane there. This local width is the one eclipse tables give; far from the
// central line the limit lines curve away from it on very wide paths under a low Sun.
double PathWidthKm(const Element_State& s, const Place_In_Plane& p, double latDeg, double L2) {
    const double phi = latDeg * DEG;
    const double H = p.hourAngle;
    // The ground's normal in the fundamental frame (its zeta part does not enter).
    const double nXi = std::cos(phi) * std::sin(H);
    const double nEta = std::sin(phi) * std::cos(s.d) - std::cos(phi) * std::sin(s.d) * std::cos(H);
    const double a = s.dx - p.dxi, b = s.dy - p.deta;
    const double n = std::hypot(a, b);
    if (!(n > 0)) return NAN;
    const double across = (-b * nXi + a * nEta) / n;  // strip's normal . ground's normal
    return 2 * std::fabs(L2) * EARTH_RADIUS_KM / std::sqrt(1 - across * across);
}

}  // namespace

const char* EclipseTypeName(Eclipse_Type type) {
    switch (type) {
        case Eclipse_Type::Annular:
            return "Annular";
        case Eclipse_Type::Total:
            return "Total";
        case Eclipse_Type::Hybrid:
            return "Hybrid";
        case Eclipse_Type::Partial:
            break;
    }
    return "Partial";
}

Global_Circumstances GlobalCircumstancesFromElements(const Besselian_Elements& e, double jdeNear) {
    Global_Circumstances g;
    g.elements = e;
    g.deltaTSeconds = e.deltaTSeconds;
    const double guess = std::isfinite(jdeNear) ? (jdeNear - e.t0Jde) * 24 : 0.0;
    const double t = GreatestEclipseHours(e, guess);
    if (!std::isfinite(t)) return g;
    g.greatestHours = t;
    g.greatestJde = e.t0Jde + t / 24;
    g.greatestJdUt = g.greatestJde - e.deltaTSeconds / SECONDS_PER_DAY;
    const Element_State s = StateAt(e, t);
    const double m = std::hypot(s.x, s.y);
    g.gamma = s.y < 0 ? -m : m;
    g.central = AxisOnEarthMeasure(s) < 1;
    g.status = Global_Status::NoShadowOnEarth;

    double lat, lon;
    if (g.central) {
        if (!SurfacePointUnder(s, s.x, s.y, lat, lon)) return g;
        const Place_In_Plane p = PlaceInPlane(s, lat, lon);
        const double L1 = s.l1 - p.zeta * s.tanF1;
        const double L2 = s.l2 - p.zeta * s.tanF2;
        g.magnitude = (L1 - L2) / (L1 + L2);
        g.type = L2 < 0 ? Eclipse_Type::Total : Eclipse_Type::Annular;
        // Hybrid: the other kind where the central line meets the horizon (zeta = 0 there,
        // where the umbra's radius is l2 itself).
        for (int direction : {-1, 1}) {
            const double tEnd = CentralLineEnd(e, t, direction);
            if (std::isnan(tEnd)) continue;
            if ((e.l2(tEnd) < 0) != (L2 < 0)) g.type = Eclipse_Type::Hybrid;
        }
        g.pathWidthKm = PathWidthKm(s, p, lat, L2);
        // The duration there is what an observer there sees: C3 - C2 of the local
        // circumstances (whether or not the Sun is up at the ends of the central phase).
        const Local_Circumstances there = ComputeLocalCircumstances(e, {lat, lon, 0.0});
        if (there.centralDurationDefined) g.centralDurationS = there.centralDurationS;
    } else {
        if (!LimbPointToward(s, s.x, s.y, lat, lon)) return g;
        const Place_In_Plane p = PlaceInPlane(s, lat, lon);
        const double L1 = s.l1 - p.zeta * s.tanF1;
        const double L2 = s.l2 - p.zeta * s.tanF2;
        const double delta = std::hypot(s.x - p.xi, s.y - p.eta);
        if (!(delta < L1)) return g;
        g.magnitude = (L1 - delta) / (L1 + L2);
        g.type = delta < std::fabs(L2) ? (L2 < 0 ? Eclipse_Type::Total : Eclipse_Type::Annular)
                                       : Eclipse_Type::Partial;
    }
    g.latitudeDeg = lat;
    g.longitudeDeg = lon;
    SunAltitudeAzimuth(s, lat, lon, g.sunAltitudeDeg, g.sunAzimuthDeg);
    g.status = Global_Status::Ok;
    return g;
}

Global_Circumstances ComputeGlobalCircumstances(double jdeNear, const Engine_Options& options) {
    Besselian_Elements e;
    if (!ComputeElements(jdeNear, options, e)) return Global_Circumstances{};
    return GlobalCircumstancesFromElements(e, jdeNear);
}

std::vector<Global_Circumstances> ComputeGlobalCircumstancesMany(const std::vector<double>& jdeNear,
                                                                 const Engine_Options& options,
                                                                 int workerCount) {
    static_assert(std::is_trivially_copyable<Global_Circumstances>::value,
                  "results are copied between processes as bytes");
    const size_t n = jdeNear.size();
    std::vector<Global_Circumstances> out(n);
    const int workers = std::max(1, std::min(workerCount, 16));
    // Below this many eclipses a second process does not pay for itself.
    constexpr size_t MIN_PER_WORKER = 8;
    if (workers == 1 || n < MIN_PER_WORKER * 2) {
        for (size_t i = 0; i < n; ++i) out[i] = ComputeGlobalCircumstances(jdeNear[i], options);
        return out;
    }
    // libnova's series keep static state and run under one lock, so threads would take turns:
    // the other workers are child processes, each filling its share (every workers-th
    // eclipse) of a shared block, with a flag per result.
    struct Slot {
        Global_Circumstances result;
        volatile int done;
    };
    const size_t bytes = n * sizeof(Slot);
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) {
        for (size_t i = 0; i < n; ++i) out[i] = ComputeGlobalCircumstances(jdeNear[i], options);
        return out;
    }
    Slot* slots = static_cast<Slot*>(block);
    for (size_t i = 0; i < n; ++i) slots[i].done = 0;
    std::vector<pid_t> children;
    for (int w = 1; w < workers; ++w) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (size_t i = w; i < n; i += workers) {
                slots[i].result = ComputeGlobalCircumstances(jdeNear[i], options);
                slots[i].done = 1;
            }
            _exit(0);
        }
        if (pid > 0) children.push_back(pid);
    }
    for (size_t i = 0; i < n; i += workers) {
        out[i] = ComputeGlobalCircumstances(jdeNear[i], options);
        slots[i].done = 1;
    }
    for (pid_t pid : children) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    // Whatever a worker did not deliver (it could not start, or it died) is done here.
    for (size_t i = 0; i < n; ++i) {
        if (i % workers == 0) continue;
        out[i] = slots[i].done ? slots[i].result : ComputeGlobalCircumstances(jdeNear[i], options);
    }
    munmap(block, bytes);
    return out;
}

}  // namespace besselian
