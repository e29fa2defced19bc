// SPDX-License-Identifier: GPL-3.0-or-later
// Local circumstances from Besselian elements.
//
// The observer stands at (xi, eta, zeta) in the fundamental frame (Earth radii; z towards
// the Sun along the shadow axis):
//   xi   = rho cos phi' sin h
//   eta  = rho sin phi' cos d - rho cos phi' sin d cos h
//   zeta = rho sin phi' sin d + rho cos phi' cos d cos h
// with h = mu + longitude the local hour angle of the axis. The observer's offset from the
// axis is (u, v) = (x - xi, y - eta), Delta = |(u, v)|, and the cones' radii at the
// observer's height above the plane are L1 = l1 - zeta tan f1, L2 = l2 - zeta tan f2.
// C1 and C4 are the roots of Delta = L1, C2 and C3 those of Delta = |L2|.
//
// Maximum. The Moon's centre lies on the axis at z_m, the Sun's at z_s, so from the
// observer both centres lie along (u, v, z - zeta) and the apparent separation of the
// centres is
//   S = atan(Delta / (z_m - zeta)) - atan(Delta / (z_s - zeta)) ~ Delta g,
//   g = 1 / (z_m - zeta) - 1 / (z_s - zeta)
// (the small-angle form changes the separation by a relative 1e-4 at most and its
// instant of least value by far less than 0.01 s). The least of Delta g is where
//   u u' + v v' + Delta^2 g' / g = 0,
// which is not the least Delta of the fundamental plane: the observer turns towards or
// away from the Moon (zeta changes) while the shadow passes. The Moon's distance follows
// from the penumbral cone, whose vertex lies k / sin f1 beyond the Moon's centre and
// l1 / tan f1 from the plane; the Sun-Moon distance from the two cones' angles,
// sin f1 - sin f2 = (k1 + k2) / G.
#include "besselian/local_circumstances.h"

#include <algorithm>
#include <cmath>

#include "besselian/false_position.h"
#include "besselian/shadow_geometry.h"

namespace besselian {
namespace {

constexpr double SIDEREAL_RATIO = 1.002737909;   // sidereal over solar rotation rate
constexpr double CONVERGED_HOURS = 1e-6;         // 0.0036 s
constexpr double SUN_MOON_DEFAULT_ER = 23455.0;  // 1 AU in Earth radii, if the cones disagree
constexpr int MAX_ITERATIONS = 60;

// The place reduced to the fundamental frame's needs.
struct Observer {
    double rhoSinPhi = 0.0;  // rho sin phi', Earth radii
    double rhoCosPhi = 0.0;  // rho cos phi'
    double sinLat = 0.0;     // geodetic latitude, for the horizon
    double cosLat = 1.0;
    double lonDeg = 0.0;  // east longitude, moved for a ΔT other than the elements'
};

// Everything the searches need at one instant t (hours of TD from t0).
struct State {
    double u, v, du, dv;      // offset from the axis and its rate, Earth radii (per hour)
    double delta;             // |(u, v)|
    double L1, L2, dL1, dL2;  // cone radii at the observer and their rates
    double zeta, dzeta;       // observer's height above the plane and its rate
    double zMoon, dzMoon;     // Moon's centre above the plane and its rate
    double hRad, dRad;        // local hour angle and declination of the axis
};

class Evaluator {
  public:
    Evaluator(const Besselian_Elements& e, const Observer& o) : e_(e), o_(o) {
        sinF1_ = e.tanF1 / std::sqrt(1.0 + e.tanF1 * e.tanF1);
        const double sinF2 = e.tanF2 / std::sqrt(1.0 + e.tanF2 * e.tanF2);
        sunMoonEr_ = (MOON_K_PENUMBRA + MOON_K_UMBRA) / (sinF1_ - sinF2);
        if (!(sunMoonEr_ > 1.0e4 && sunMoonEr_ < 4.0e4)) sunMoonEr_ = SUN_MOON_DEFAULT_ER;
    }

    State At(double t) const {
        State s;
        const double x = e_.x(t), dx = e_.x.Derivative(t);
        const double y = e_.y(t), dy = e_.y.Derivative(t);
        const double d = e_.dDeg(t) * DEG, dd = e_.dDeg.Derivative(t) * DEG;
        const double dmu = e_.muDeg.Derivative(t) * DEG;
        const double h = (e_.muDeg(t) + o_.lonDeg) * DEG;
        const double sinD = std::sin(d), cosD = std::cos(d);
        const double sinH = std::sin(h), cosH = std::cos(h);
        const double xi = o_.rhoCosPhi * sinH;
        const double eta = o_.rhoSinPhi * cosD - o_.rhoCosPhi * sinD * cosH;
        const double zeta = o_.rhoSinPhi * sinD + o_.rhoCosPhi * cosD * cosH;
        const double dxi = dmu * o_.rhoCosPhi * cosH;
        const double deta = dmu * xi * sinD - zeta * dd;
        const double dzeta = -dmu * xi * cosD + eta * dd;
        s.u = x - xi;
        s.v = y - eta;
        s.du = dx - dxi;
        s.dv = dy - deta;
        s.delta = std::hypot(s.u, s.v);
        const double l1 = e_.l1(t), l2 = e_.l2(t);
        s.L1 = l1 - zeta * e_.tanF1;
        s.L2 = l2 - zeta * e_.tanF2;
        s.dL1 = e_.l1.Derivative(t) - dzeta * e_.tanF1;
        s.dL2 = e_.l2.Derivative(t) - dzeta * e_.tanF2;
        s.zeta = zeta;
        s.dzeta = dzeta;
        s.zMoon = l1 / e_.tanF1 - MOON_K_PENUMBRA / sinF1_;
        s.dzMoon = e_.l1.Derivative(t) / e_.tanF1;
        s.hRad = h;
        s.dRad = d;
        return s;
    }

    double SunMoonEr() const { return sunMoonEr_; }
    const Besselian_Elements& Elements() const { return e_; }
    const Observer& Place() const { return o_; }

  private:
    const Besselian_Elements& e_;
    Observer o_;
    double sinF1_ = 0.0;
    double sunMoonEr_ = SUN_MOON_DEFAULT_ER;
};

enum class Cone { Penumbra, Umbra };

double ConeRadius(const State& s, Cone c) {
    return c == Cone::Penumbra ? s.L1 : std::fabs(s.L2);
}
double ConeRate(const State& s, Cone c) {
    return c == Cone::Penumbra ? s.dL1 : (s.L2 < 0.0 ? -s.dL2 : s.dL2);
}
// Negative inside the cone.
double Depth(const State& s, Cone c) {
    return s.delta - ConeRadius(s, c);
}

double Clamp(double t, const Besselian_Elements& e) {
    return std::min(std::max(t, e.tMinHours), e.tMaxHours);
}

// The instant near tStart at which Delta - L (L of the cone) is least: where
// (u u' + v v') / Delta = L', followed with the relative motion taken as uniform.
double DeepestInstant(const Evaluator& ev, Cone c, double tStart) {
    double t = tStart;
    for (int i = 0; i < MAX_ITERATIONS; ++i) {
        const State s = ev.At(t);
        const double n2 = s.du * s.du + s.dv * s.dv;
        if (n2 < 1e-12) break;
        const double step = -((s.u * s.du + s.v * s.dv) - s.delta * ConeRate(s, c)) / n2;
        const double next = Clamp(t + step, ev.Elements());
        if (std::fabs(next - t) < CONVERGED_HOURS) return next;
        t = next;
    }
    return t;
}

// The instant of least apparent separation of the centres, near tStart.
double MaximumInstant(const Evaluator& ev, double tStart) {
    double t = tStart;
    for (int i = 0; i < MAX_ITERATIONS; ++i) {
        const State s = ev.At(t);
        const double n2 = s.du * s.du + s.dv * s.dv;
        if (n2 < 1e-12) break;
        const double toMoon = s.zMoon - s.zeta;
        const double toSun = toMoon + ev.SunMoonEr();
        const double g = 1.0 / toMoon - 1.0 / toSun;
        const double dg = -(s.dzMoon - s.dzeta) / (toMoon * toMoon) + s.dzeta / (toSun * toSun);
        const double step = -((s.u * s.du + s.v * s.dv) + s.delta * s.delta * dg / g) / n2;
        const double next = Clamp(t + step, ev.Elements());
        if (std::fabs(next - t) < CONVERGED_HOURS) return next;
        t = next;
    }
    return t;
}

// The contact on one side (direction -1 before, +1 after) of tInside, where the place is
// inside the cone. Newton's steps on Delta - L, kept inside a bracket that halves when a
// step leaves it. False when the place stays inside up to the end of the interval.
bool ContactInstant(const Evaluator& ev, Cone c, double tInside, int direction, double& tOut) {
    const Besselian_Elements& e = ev.Elements();
    const double limit = direction < 0 ? e.tMinHours : e.tMaxHours;
    const State s0 = ev.At(tInside);
    // First guess from uniform relative motion at tInside.
    const double n2 = s0.du * s0.du + s0.dv * s0.dv;
    double guess = tInside + direction * 0.05;
    if (n2 > 1e-12) {
        const double n = std::sqrt(n2);
        const double L = ConeRadius(s0, c);
        const double cross = (s0.u * s0.dv - s0.du * s0.v) / (n * L);
        const double root = std::sqrt(std::max(0.0, 1.0 - cross * cross));
        guess = tInside - (s0.u * s0.du + s0.v * s0.dv) / n2 + direction * L / n * root;
    }
    if ((guess - tInside) * direction <= 0.0) guess = tInside + direction * 0.01;
    // Bracket: inside at `in`, outside at `out`.
    double in = tInside;
    double out = guess;
    for (double stepH = 0.05;; stepH *= 2.0) {
        if ((out - limit) * direction >= 0.0) out = limit;
        if (Depth(ev.At(out), c) >= 0.0) break;
        if (out == limit) return false;
        in = out;
        out += direction * stepH;
    }
    double t = guess;
    if ((t - in) * direction <= 0.0 || (t - out) * direction >= 0.0) t = 0.5 * (in + out);
    for (int i = 0; i < MAX_ITERATIONS; ++i) {
        const State s = ev.At(t);
        const double f = Depth(s, c);
        if (f < 0.0) {
            in = t;
        } else {
            out = t;
        }
        double next = 0.5 * (in + out);
        if (s.delta > 0.0) {
            const double df = (s.u * s.du + s.v * s.dv) / s.delta - ConeRate(s, c);
            if (df != 0.0) {
                const double newton = t - f / df;
                if ((newton - in) * (newton - out) < 0.0) next = newton;
            }
        }
        if (std::fabs(next - t) < CONVERGED_HOURS || std::fabs(out - in) < CONVERGED_HOURS) {
            tOut = next;
            return true;
        }
        t = next;
    }
    tOut = t;
    return true;
}

// Geometric altitude and azimuth (from the north towards the east) of the Sun.
struct Horizontal {
    double altitudeDeg = 0.0;
    double azimuthDeg = 0.0;
};

Horizontal HorizontalOf(const Observer& o, double hRad, double dRad) {
    Horizontal hz;
    SunAltitudeAzimuth(o.sinLat, o.cosLat, hRad, dRad, hz.altitudeDeg, hz.azimuthDeg);
    return hz;
}

double SunAltitude(const Evaluator& ev, double t) {
    const Besselian_Elements& e = ev.Elements();
    return HorizontalOf(ev.Place(), (e.muDeg(t) + ev.Place().lonDeg) * DEG, e.dDeg(t) * DEG)
        .altitudeDeg;
}

// Instants strictly between a and b at which the axis crosses the place's meridian (upper
// or lower transit): between them the Sun's altitude rises or falls monotonically.
int Transits(const Evaluator& ev, double a, double b, double out[], int capacity) {
    const Besselian_Elements& e = ev.Elements();
    const double lon = ev.Place().lonDeg;
    const double hA = e.muDeg(a) + lon, hB = e.muDeg(b) + lon;
    int count = 0;
    const double lo = std::min(hA, hB), hi = std::max(hA, hB);
    for (double k = std::ceil(lo / 180.0); k * 180.0 <= hi && count < capacity; k += 1.0) {
        double t = a + (k * 180.0 - hA) / (hB - hA) * (b - a);
        for (int i = 0; i < 8; ++i) {
            const double rate = e.muDeg.Derivative(t);
            if (rate == 0.0) break;
            t -= (e.muDeg(t) + lon - k * 180.0) / rate;
        }
        if (t > a && t < b) out[count++] = t;
    }
    return count;
}

// Breakpoints a, transits..., b, sorted; returns their count.
int Breakpoints(const Evaluator& ev, double a, double b, double out[8]) {
    out[0] = a;
    const int transits = Transits(ev, a, b, out + 1, 6);
    std::sort(out + 1, out + 1 + transits);
    out[1 + transits] = b;
    return transits + 2;
}

// Highest altitude of the Sun's centre between a and b.
double HighestAltitude(const Evaluator& ev, double a, double b) {
    double points[8];
    const int n = Breakpoints(ev, a, b, points);
    double best = -90.0;
    for (int i = 0; i < n; ++i) best = std::max(best, SunAltitude(ev, points[i]));
    return best;
}

// The first sunrise and the first sunset (the centre at -0.833 deg) between a and b.
void RiseAndSet(const Evaluator& ev, double a, double b, bool& riseFound, double& rise,
                bool& setFound, double& set) {
    riseFound = setFound = false;
    double points[8];
    const int n = Breakpoints(ev, a, b, points);
    for (int i = 0; i + 1 < n; ++i) {
        double lo = points[i], hi = points[i + 1];
        const double fLo = SunAltitude(ev, lo) - SUNRISE_ALTITUDE_DEG;
        const double fHi = SunAltitude(ev, hi) - SUNRISE_ALTITUDE_DEG;
        if ((fLo < 0.0) == (fHi < 0.0)) continue;
        const bool rising = fLo < 0.0;
        // The altitude is nearly linear there.
        const double t =
            IllinoisRoot([&](double x) { return SunAltitude(ev, x) - SUNRISE_ALTITUDE_DEG; }, lo,
                         hi, fLo, fHi, MAX_ITERATIONS, CONVERGED_HOURS, 1e-7);
        if (rising && !riseFound) {
            riseFound = true;
            rise = t;
        } else if (!rising && !setFound) {
            setFound = true;
            set = t;
        }
    }
}

// Overlap of discs of radii sun and moon with centres sep apart, as a fraction of the
// Sun's disc.
double Obscuration(double sun, double moon, double sep) {
    if (sun <= 0.0 || moon <= 0.0 || sep >= sun + moon) return 0.0;
    if (sep <= std::fabs(sun - moon)) return moon >= sun ? 1.0 : (moon * moon) / (sun * sun);
    const auto clampedAcos = [](double c) { return std::acos(std::max(-1.0, std::min(1.0, c))); };
    const double aMoon = clampedAcos((sep * sep + moon * moon - sun * sun) / (2.0 * sep * moon));
    const double aSun = clampedAcos((sep * sep + sun * sun - moon * moon) / (2.0 * sep * sun));
    const double k =
        (-sep + moon + sun) * (sep + moon - sun) * (sep - moon + sun) * (sep + moon + sun);
    const double area = moon * moon * aMoon + sun * sun * aSun - 0.5 * std::sqrt(std::max(0.0, k));
    return std::min(1.0, std::max(0.0, area / (PI * sun * sun)));
}

double Wrap360(double deg) {
    double r = std::fmod(deg, 360.0);
    if (r < 0.0) r += 360.0;
    return r;
}

bool FinitePolynomial(const Polynomial& p) {
    for (double c : p.c) {
        if (!std::isfinite(c)) return false;
    }
    return true;
}

bool ValidElements(const Besselian_Elements& e) {
    return std::isfinite(e.t0Jde) && std::isfinite(e.deltaTSeconds) && std::isfinite(e.tMinHours) &&
           std::isfinite(e.tMaxHours) && e.tMinHours < e.tMaxHours && e.tanF1 > 0.0 &&
           e.tanF2 > 0.0 && e.tanF1 < 0.1 && e.tanF2 < 0.1 && FinitePolynomial(e.x) &&
           FinitePolynomial(e.y) && FinitePolynomial(e.dDeg) && FinitePolynomial(e.muDeg) &&
           FinitePolynomial(e.l1) && FinitePolynomial(e.l2);
}

Observer MakeObserver(const Geodetic_Place& place, double lonShiftDeg) {
    Observer o;
    const double phi = place.latitudeDeg * DEG;
    const double ratio = 1.0 - EARTH_FLATTENING;  // b / a
    const double uRed = std::atan(ratio * std::tan(phi));
    const double hRel = place.heightM / (EARTH_RADIUS_KM * 1000.0);
    o.sinLat = std::sin(phi);
    o.cosLat = std::cos(phi);
    // At the poles tan phi is infinite and atan gives +-pi/2 exactly, as it should.
    o.rhoSinPhi = ratio * std::sin(uRed) + hRel * o.sinLat;
    o.rhoCosPhi = std::cos(uRed) + hRel * o.cosLat;
    o.lonDeg = place.longitudeDeg + lonShiftDeg;
    return o;
}

double LongitudeShiftDeg(const Besselian_Elements& e, double deltaTUsed) {
    return -SIDEREAL_RATIO * 15.0 * (deltaTUsed - e.deltaTSeconds) / 3600.0;
}

}  // namespace

bool IsValidPlace(const Geodetic_Place& p) {
    return std::isfinite(p.latitudeDeg) && std::isfinite(p.longitudeDeg) &&
           std::isfinite(p.heightM) && p.latitudeDeg >= -90.0 && p.latitudeDeg <= 90.0 &&
           p.longitudeDeg >= -180.0 && p.longitudeDeg <= 180.0 && p.heightM >= PLACE_MIN_HEIGHT_M &&
           p.heightM <= PLACE_MAX_HEIGHT_M;
}

Local_Circumstances ComputeLocalCircumstances(const Besselian_Elements& e,
                                              const Geodetic_Place& place,
                                              const Local_Options& options) {
    Local_Circumstances r;
    if (!IsValidPlace(place)) {
        r.status = Local_Status::BadPlace;
        return r;
    }
    if (!ValidElements(e)) {
        r.status = Local_Status::BadElements;
        return r;
    }
    const double deltaT =
        std::isfinite(options.deltaTSeconds) ? options.deltaTSeconds : e.deltaTSeconds;
    r.deltaTSeconds = deltaT;
    const Evaluator ev(e, MakeObserver(place, LongitudeShiftDeg(e, deltaT)));
    const auto toUt = [&](double t) { return e.t0Jde + t / 24.0 - deltaT / 86400.0; };
    const auto fill = [&](Local_Instant& out, double t) {
        out.defined = true;
        out.jdUt = toUt(t);
        out.sunAltitudeDeg = SunAltitude(ev, t);
    };
    // The point of contact lies towards the Moon's centre, or opposite it where a larger
    // Moon touches the Sun's limb from inside (sign -1).
    const auto fillContact = [&](Contact& out, double t, double sign) {
        fill(out, t);
        const State s = ev.At(t);
        out.positionAngleDeg = Wrap360(std::atan2(sign * s.u, sign * s.v) / DEG);
    };

    // The maximum, and where the place lies deepest in the penumbra (the shadow passes it
    // once: the axis outruns the Earth's turning).
    const double tMax = MaximumInstant(ev, Clamp(0.0, e));
    const double tDeep1 = DeepestInstant(ev, Cone::Penumbra, tMax);
    if (Depth(ev.At(tDeep1), Cone::Penumbra) >= 0.0) {
        r.status = Local_Status::NoEclipse;
        return r;
    }
    r.status = Local_Status::Ok;
    r.type = Local_Type::Partial;

    // Maximum, magnitude, obscuration.
    const State sm = ev.At(tMax);
    fill(r.maximum, tMax);
    r.sunAzimuthMaxDeg = HorizontalOf(ev.Place(), sm.hRad, sm.dRad).azimuthDeg;
    const double sunR = 0.5 * (sm.L1 + sm.L2);
    const double moonR = 0.5 * (sm.L1 - sm.L2);
    if (sunR > 0.0) {
        r.magnitude = std::max(0.0, (sm.L1 - sm.delta) / (sm.L1 + sm.L2));
        r.obscuration = Obscuration(sunR, moonR, sm.delta);
        r.moonSunRatio = moonR / sunR;
    }

    // C1 and C4.
    double t1 = e.tMinHours, t4 = e.tMaxHours, t;
    if (ContactInstant(ev, Cone::Penumbra, tDeep1, -1, t)) {
        t1 = t;
        fillContact(r.c1, t, 1.0);
    } else {
        r.status = Local_Status::OutsideInterval;
    }
    if (ContactInstant(ev, Cone::Penumbra, tDeep1, +1, t)) {
        t4 = t;
        fillContact(r.c4, t, 1.0);
    } else {
        r.status = Local_Status::OutsideInterval;
    }

    // C2 and C3, where the umbra or antumbra reaches the place.
    const double tDeep2 = DeepestInstant(ev, Cone::Umbra, tMax);
    const State sd = ev.At(tDeep2);
    bool central = false;
    double t2 = tMax, t3 = tMax;
    if (Depth(sd, Cone::Umbra) < 0.0) {
        central = true;
        const bool total = sd.L2 < 0.0;
        const double sign = total ? -1.0 : 1.0;
        r.type = total ? Local_Type::Total : Local_Type::Annular;
        if (ContactInstant(ev, Cone::Umbra, tDeep2, -1, t)) {
            t2 = t;
            fillContact(r.c2, t, sign);
        } else {
            r.status = Local_Status::OutsideInterval;
        }
        if (ContactInstant(ev, Cone::Umbra, tDeep2, +1, t)) {
            t3 = t;
            fillContact(r.c3, t, sign);
        } else {
            r.status = Local_Status::OutsideInterval;
        }
        if (r.c2.defined && r.c3.defined) {
            r.centralDurationDefined = true;
            r.centralDurationS = (t3 - t2) * 3600.0;
        }
    }

    // What the Sun above the horizon lets the place see, and where the horizon cuts in.
    if (HighestAltitude(ev, t1, t4) >= SUNRISE_ALTITUDE_DEG) {
        r.typeSeen = Local_Type::Partial;
        if (central && HighestAltitude(ev, t2, t3) >= SUNRISE_ALTITUDE_DEG) r.typeSeen = r.type;
    }
    double rise = 0.0, set = 0.0;
    bool riseFound = false, setFound = false;
    RiseAndSet(ev, t1, t4, riseFound, rise, setFound, set);
    if (riseFound) fill(r.sunrise, rise);
    if (setFound) fill(r.sunset, set);
    return r;
}

bool IsVisible(const Local_Circumstances& local) {
    return local.typeSeen != Local_Type::None;
}

}  // namespace besselian
