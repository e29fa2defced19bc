// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/shadow_lines.h"

#include <algorithm>
#include <cmath>

#include "besselian/constants.h"
#include "besselian/false_position.h"
#include "besselian/shadow_geometry.h"

namespace besselian {

namespace {

constexpr double STEP_HOURS = 1.0 / 60;
constexpr double OUTLINE_EVERY_MINUTES = 10;
constexpr int OUTLINE_POINTS = 72;
constexpr int LIMB_SAMPLES = 72;
// Where the shadow runs fast over the ground (near sunrise and sunset), a minute's step is
// cut into pieces of at most about this length, up to 32 of them.
constexpr double MAX_GAP_KM = 150;
constexpr int MAX_PIECES = 32;

// Collects the points of one kind of line over time, starting a new polyline at each gap.
class Line_Builder {
  public:
    Line_Builder(std::vector<Shadow_Line>& out, Line_Kind kind, Line_Side side,
                 Rise_Set_Curve curve)
        : out_(out), kind_(kind), side_(side), curve_(curve) {}
    ~Line_Builder() { Break(); }
    void Add(double lat, double lon, double tHours = NAN) {
        current_.push_back({lat, lon, tHours});
    }
    bool Empty() const { return current_.empty(); }
    const Geo_Point& Last() const { return current_.back(); }
    void Break() {
        if (current_.size() >= 2) {
            Shadow_Line line;
            line.kind = kind_;
            line.side = side_;
            line.curve = curve_;
            line.points = std::move(current_);
            out_.push_back(std::move(line));
        }
        current_.clear();
    }

  private:
    std::vector<Shadow_Line>& out_;
    Line_Kind kind_;
    Line_Side side_;
    Rise_Set_Curve curve_;
    std::vector<Geo_Point> current_;
};

// The instants of the span, one minute apart.
// Adds the place that point(t) gives at t to the line, preceded where the step from the
// line's last place (at tPrevious) is long by places at instants between.
template <typename F>
void AddDense(Line_Builder& line, double tPrevious, double t, double lat, double lon, F point) {
    if (!line.Empty()) {
        const Geo_Point& last = line.Last();
        const double km =
            DistanceKm(GroundPoint(last.latitudeDeg, last.longitudeDeg), GroundPoint(lat, lon));
        const int pieces = std::min(MAX_PIECES, static_cast<int>(std::ceil(km / MAX_GAP_KM)));
        for (int k = 1; k < pieces; ++k) {
            double la, lo;
            const double tk = tPrevious + (t - tPrevious) * k / pieces;
            if (point(tk, la, lo)) line.Add(la, lo, tk);
        }
    }
    line.Add(lat, lon, t);
}

template <typename F>
void ForEachInstant(const Besselian_Elements& e, F f) {
    const int n = static_cast<int>(std::floor((e.tMaxHours - e.tMinHours) / STEP_HOURS));
    for (int i = 0; i <= n; ++i) f(StateAt(e, e.tMinHours + i * STEP_HOURS));
}

// The central line, through the place of greatest eclipse (at tGreatest) itself.
void CentralLine(const Besselian_Elements& e, double tGreatest, std::vector<Shadow_Line>& out) {
    Line_Builder line(out, Line_Kind::Central, Line_Side::None, Rise_Set_Curve::None);
    bool wasOn = false;
    double previousT = e.tMinHours;
    auto limbEnd = [&](double tOn, double tOff) {
        // The instant the axis crosses the Earth's outline, and the place there.
        for (int i = 0; i < 40; ++i) {
            const double mid = 0.5 * (tOn + tOff);
            (AxisOnEarthMeasure(StateAt(e, mid)) < 1 ? tOn : tOff) = mid;
        }
        const Element_State s = StateAt(e, tOn);
        double lat, lon;
        if (LimbPointToward(s, s.x, s.y, lat, lon)) line.Add(lat, lon, tOn);
    };
    auto point = [&](double t, double& lat, double& lon) {
        const Element_State s = StateAt(e, t);
        return AxisOnEarthMeasure(s) < 1 && SurfacePointUnder(s, s.x, s.y, lat, lon);
    };
    ForEachInstant(e, [&](const Element_State& s) {
        double lat, lon;
        const bool on = AxisOnEarthMeasure(s) < 1 && SurfacePointUnder(s, s.x, s.y, lat, lon);
        if (on && !wasOn && s.t > e.tMinHours) limbEnd(s.t, previousT);
        double latG, lonG;
        if (on && wasOn && previousT < tGreatest && tGreatest < s.t &&
            point(tGreatest, latG, lonG)) {
            AddDense(line, previousT, tGreatest, latG, lonG, point);
            previousT = tGreatest;
        }
        if (on) AddDense(line, previousT, s.t, lat, lon, point);
        if (!on && wasOn) {
            limbEnd(previousT, s.t);
            line.Break();
        }
        wasOn = on;
        previousT = s.t;
    });
}

void Limits(const Besselian_Elements& e, bool umbra, std::vector<Shadow_Line>& out) {
    for (bool north : {true, false}) {
        Line_Builder line(out, umbra ? Line_Kind::UmbraLimit : Line_Kind::PenumbraLimit,
                          north ? Line_Side::North : Line_Side::South, Rise_Set_Curve::None);
        Limit_Guess guess;
        double previousT = e.tMinHours;
        auto point = [&](double t, double& lat, double& lon) {
            return ShadowLimitPoint(StateAt(e, t), umbra, north, lat, lon);
        };
        ForEachInstant(e, [&](const Element_State& s) {
            double lat, lon;
            if (ShadowLimitPoint(s, umbra, north, lat, lon, &guess)) {
                AddDense(line, previousT, s.t, lat, lon, point);
            } else {
                line.Break();
            }
            previousT = s.t;
        });
    }
}

// A point of the Earth's outline in the fundamental plane at angle theta (in the plane
// stretched so that the outline is the unit circle), where the Sun is on the horizon
// (zeta = 0), and its motion there. A place on the outline lies cos(phi1) from the Earth's
// axis in the stretched frame, so rho cos(phi') cos H = -eta1 sin d1 there.
struct Limb_Point {
    double theta = 0;
    double xi = 0, eta = 0;
    double dxi = 0, deta = 0;
};

// What the outline's points of one instant share.
struct Limb_Frame {
    const Element_State& s;
    double rho1, sinD, sinD1;
    explicit Limb_Frame(const Element_State& state)
        : s(state), rho1(Rho1(state.d)), sinD(std::sin(state.d)), sinD1(sinD / rho1) {}

    Limb_Point At(double theta, double cosTheta, double sinTheta) const {
        Limb_Point p;
        p.theta = theta;
        p.xi = cosTheta;
        p.eta = rho1 * sinTheta;
        p.dxi = s.dmu * (-sinTheta * sinD1);
        p.deta = s.dmu * p.xi * sinD;
        return p;
    }
    Limb_Point At(double theta) const { return At(theta, std::cos(theta), std::sin(theta)); }
};

bool LimbPlace(const Element_State& s, const Limb_Point& p, double& lat, double& lon) {
    return LimbPointToward(s, p.xi, p.eta, lat, lon);
}

// The roots in theta of f over the Earth's outline: sampled, then the Illinois variant of
// the false position method.
template <typename F>
std::vector<Limb_Point> LimbRoots(const Limb_Frame& frame, F f) {
    struct Sample {
        double cosTheta, sinTheta;
    };
    static const std::vector<Sample> samples = [] {
        std::vector<Sample> v;
        for (int i = 0; i <= LIMB_SAMPLES; ++i) {
            const double theta = 2 * PI * i / LIMB_SAMPLES;
            v.push_back({std::cos(theta), std::sin(theta)});
        }
        return v;
    }();
    std::vector<Limb_Point> roots;
    double prevF = f(frame.At(0, 1, 0));
    for (int i = 1; i <= LIMB_SAMPLES; ++i) {
        const double theta = 2 * PI * i / LIMB_SAMPLES;
        const double curF = f(frame.At(theta, samples[i].cosTheta, samples[i].sinTheta));
        if ((prevF < 0) != (curF < 0) && std::isfinite(prevF) && std::isfinite(curF)) {
            const double mid =
                IllinoisRoot([&](double x) { return f(frame.At(x)); },
                             2 * PI * (i - 1) / LIMB_SAMPLES, theta, prevF, curF, 40, 1e-10, 1e-12);
            roots.push_back(frame.At(mid));
        }
        prevF = curF;
    }
    return roots;
}

// The rise/set curves: at each instant the places of the Earth's outline where the
// penumbra's edge lies (first or last contact at sunrise or sunset, told apart by whether the
// shadow comes towards the place or goes away), and where the place is nearest the axis
// (maximum at sunrise or sunset). Each of the two roots of an instant, to the left and to the
// right of the direction of the axis from the Earth's centre, makes a branch.
void RiseSetCurves(const Besselian_Elements& e, std::vector<Shadow_Line>& out) {
    auto approach = [](const Element_State& s, const Limb_Point& p) {
        const double u = s.x - p.xi, v = s.y - p.eta;
        const double a = s.dx - p.dxi, b = s.dy - p.deta;
        return u * a + v * b;  // < 0: the axis comes nearer
    };
    // Branch k of each kind: its builder and the class of its last point.
    Line_Builder first[2] = {
        {out, Line_Kind::RiseSet, Line_Side::None, Rise_Set_Curve::FirstContact},
        {out, Line_Kind::RiseSet, Line_Side::None, Rise_Set_Curve::FirstContact}};
    Line_Builder last[2] = {
        {out, Line_Kind::RiseSet, Line_Side::None, Rise_Set_Curve::LastContact},
        {out, Line_Kind::RiseSet, Line_Side::None, Rise_Set_Curve::LastContact}};
    Line_Builder maximum[2] = {{out, Line_Kind::RiseSet, Line_Side::None, Rise_Set_Curve::Maximum},
                               {out, Line_Kind::RiseSet, Line_Side::None, Rise_Set_Curve::Maximum}};
    int lastClass[2] = {-1, -1};
    Geo_Point lastPoint[2];
    ForEachInstant(e, [&](const Element_State& s) {
        // Only while the penumbra straddles the Earth's outline (with a margin for the
        // stretching): otherwise no place has the Sun on its horizon at a contact.
        const double m1 = std::sqrt(AxisOnEarthMeasure(s));
        const bool straddles = std::fabs(m1 - 1) < s.l1 + 0.01;
        const double axisAngle = std::atan2(s.y / Rho1(s.d), s.x);
        auto side = [&](const Limb_Point& p) { return std::sin(p.theta - axisAngle) >= 0 ? 0 : 1; };
        // Contacts: the outline's points at the distance l1 from the axis (zeta = 0 there).
        const Limb_Frame frame(s);
        std::vector<Limb_Point> contacts, maxima;
        if (straddles)
            contacts = LimbRoots(frame, [&](const Limb_Point& p) {
                const double u = s.x - p.xi, v = s.y - p.eta;
                return u * u + v * v - s.l1 * s.l1;
            });
        bool seen[2] = {false, false};
        for (const Limb_Point& p : contacts) {
            const int k = side(p);
            if (seen[k]) continue;
            seen[k] = true;
            const int cls = approach(s, p) < 0 ? 0 : 1;
            if (cls != lastClass[k] && lastClass[k] >= 0) {
                // The branch turns from first to last contact (or back): close the one and
                // start the other at the same place.
                (lastClass[k] == 0 ? first[k] : last[k]).Break();
                (cls == 0 ? first[k] : last[k])
                    .Add(lastPoint[k].latitudeDeg, lastPoint[k].longitudeDeg);
            }
            double lat, lon;
            if (!LimbPlace(s, p, lat, lon)) continue;
            (cls == 0 ? first[k] : last[k]).Add(lat, lon);
            lastClass[k] = cls;
            lastPoint[k] = {lat, lon};
        }
        for (int k = 0; k < 2; ++k) {
            if (!seen[k] && lastClass[k] >= 0) {
                first[k].Break();
                last[k].Break();
                lastClass[k] = -1;
            }
        }
        // Maximum: the outline's points where the axis is nearest, inside the penumbra.
        if (straddles)
            maxima = LimbRoots(frame, [&](const Limb_Point& p) { return approach(s, p); });
        bool seenMax[2] = {false, false};
        for (const Limb_Point& p : maxima) {
            const double delta =
                std::sqrt((s.x - p.xi) * (s.x - p.xi) + (s.y - p.eta) * (s.y - p.eta));
            if (delta >= s.l1) continue;
            const int k = side(p);
            if (seenMax[k]) continue;
            double lat, lon;
            if (!LimbPlace(s, p, lat, lon)) continue;
            seenMax[k] = true;
            maximum[k].Add(lat, lon);
        }
        for (int k = 0; k < 2; ++k) {
            if (!seenMax[k]) maximum[k].Break();
        }
    });
}

void UmbraOutlines(const Global_Circumstances& g, std::vector<Shadow_Line>& out) {
    const Besselian_Elements& e = g.elements;
    const double dayMinutes = 1440;
    // The first whole 10 minutes of UT in the span.
    const double startUt = e.t0Jde + e.tMinHours / 24 - e.deltaTSeconds / SECONDS_PER_DAY;
    double minutes =
        std::ceil(startUt * dayMinutes / OUTLINE_EVERY_MINUTES) * OUTLINE_EVERY_MINUTES;
    for (;; minutes += OUTLINE_EVERY_MINUTES) {
        const double jdUt = minutes / dayMinutes;
        const double jde = jdUt + e.deltaTSeconds / SECONDS_PER_DAY;
        const double t = (jde - e.t0Jde) * 24;
        if (t > e.tMaxHours) break;
        const Element_State s = StateAt(e, t);
        if (std::sqrt(AxisOnEarthMeasure(s)) > 1 + std::fabs(s.l2) + 0.01) continue;
        std::vector<Shadow_Line> pieces;
        {
            Line_Builder line(pieces, Line_Kind::UmbraOutline, Line_Side::None,
                              Rise_Set_Curve::None);
            for (int i = 0; i <= OUTLINE_POINTS; ++i) {
                const double psi = 2 * PI * i / OUTLINE_POINTS;
                // The umbra's radius depends on the height of the place above the plane.
                double zeta = 0, lat = 0, lon = 0;
                bool on = true;
                for (int k = 0; k < 6 && on; ++k) {
                    const double L = std::fabs(s.l2 - zeta * s.tanF2);
                    on = SurfacePointUnder(s, s.x + L * std::cos(psi), s.y + L * std::sin(psi), lat,
                                           lon);
                    if (!on) break;
                    const double next = PlaceInPlane(s, lat, lon).zeta;
                    const bool settled = std::fabs(next - zeta) * s.tanF2 < 1e-8;  // 6 cm
                    zeta = next;
                    if (settled) break;
                }
                if (on) {
                    line.Add(lat, lon);
                } else {
                    line.Break();
                }
            }
        }
        for (Shadow_Line& piece : pieces) {
            piece.jde = jde;
            piece.jdUt = jdUt;
            out.push_back(std::move(piece));
        }
    }
}

}  // namespace

const char* LineKindName(Line_Kind kind) {
    switch (kind) {
        case Line_Kind::Central:
            return "central";
        case Line_Kind::UmbraLimit:
            return "umbra-limit";
        case Line_Kind::PenumbraLimit:
            return "penumbra-limit";
        case Line_Kind::RiseSet:
            return "rise-set";
        case Line_Kind::UmbraOutline:
            return "umbra-outline";
    }
    return "";
}

const char* LineSideName(Line_Side side) {
    switch (side) {
        case Line_Side::North:
            return "north";
        case Line_Side::South:
            return "south";
        case Line_Side::None:
            break;
    }
    return "";
}

const char* RiseSetCurveName(Rise_Set_Curve curve) {
    switch (curve) {
        case Rise_Set_Curve::FirstContact:
            return "first-contact";
        case Rise_Set_Curve::LastContact:
            return "last-contact";
        case Rise_Set_Curve::Maximum:
            return "maximum";
        case Rise_Set_Curve::None:
            break;
    }
    return "";
}

std::vector<Shadow_Line> ComputeShadowLines(const Global_Circumstances& g) {
    std::vector<Shadow_Line> out;
    if (g.status != Global_Status::Ok) return out;
    const Besselian_Elements& e = g.elements;
    CentralLine(e, g.greatestHours, out);
    Limits(e, true, out);
    Limits(e, false, out);
    RiseSetCurves(e, out);
    UmbraOutlines(g, out);
    return out;
}

}  // namespace besselian
