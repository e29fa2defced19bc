#include "besselian/shadow_lines.h"

#include <cmath>

#include "besselian/constants.h"
#include "besselian/shadow_geometry.h"

namespace besselian {

namespace {

constexpr double SAMPLE_STEP_HOURS = 1.0 / 60.0;
constexpr double OUTLINE_STEP_MINUTES = 10.0;
constexpr int OUTLINE_POINTS = 36;  // around the umbra's edge, closed by repeating the first

// Gathers the points of one kind of line into pieces, cutting where a point is missing.
class Piece_Builder {
  public:
    Piece_Builder(std::vector<Shadow_Line>& out, Shadow_Line_Kind kind,
                  Shadow_Side side = Shadow_Side::None)
        : m_out(out) {
        m_line.kind = kind;
        m_line.side = side;
    }
    ~Piece_Builder() { Cut(); }
    Piece_Builder(const Piece_Builder&) = delete;
    Piece_Builder& operator=(const Piece_Builder&) = delete;

    void Add(double latDeg, double lonDeg, double jdUt) {
        m_line.points.push_back({latDeg, lonDeg, jdUt});
    }
    // Ends the piece in progress (kept when it has two points or more).
    void Cut() {
        if (m_line.points.size() >= 2) m_out.push_back(m_line);
        m_line.points.clear();
    }
    // A rise-set piece: a change of curve ends the piece and starts the next one at the
    // piece's last point, so that the curves join.
    void SetCurve(Rise_Set_Curve curve) {
        if (curve == m_line.curve) return;
        if (m_line.points.empty()) {
            m_line.curve = curve;
            return;
        }
        const Shadow_Point last = m_line.points.back();
        Cut();
        m_line.curve = curve;
        m_line.points.push_back(last);
    }
    Shadow_Line& Current() { return m_line; }

  private:
    std::vector<Shadow_Line>& m_out;
    Shadow_Line m_line;
};

// The limit of the umbra (umbra true) or penumbra on one side at an instant: the place at
// the cone's edge, at right angles to the shadow's motion relative to that place. Starts at
// the edge across the motion relative to the Earth's centre, so that a limit is found
// also while the shadow axis misses the Earth.
bool LimitPoint(const Element_State& s, bool umbra, bool north, double& latDeg, double& lonDeg) {
    double a = s.dx, b = s.dy;
    double L = std::fabs(umbra ? s.l2 : s.l1);
    double xi = 0, eta = 0;
    double lat = 0, lon = 0;
    for (int i = 0; i < 12; ++i) {
        const double n = std::hypot(a, b);
        if (!(n > 0)) return false;
        double oXi = -b / n, oEta = a / n;
        if ((oEta < 0) == north) {
            oXi = -oXi;
            oEta = -oEta;
        }
        const double nextXi = s.x + L * oXi, nextEta = s.y + L * oEta;
        const double step = std::hypot(nextXi - xi, nextEta - eta);
        xi = nextXi;
        eta = nextEta;
        if (!SurfacePointUnder(s, xi, eta, lat, lon)) return false;
        if (step < 1e-9) break;
        const Place_In_Plane p = PlaceInPlane(s, lat, lon);
        a = s.dx - p.dxi;
        b = s.dy - p.deta;
        L = std::fabs(umbra ? s.l2 - p.zeta * s.tanF2 : s.l1 - p.zeta * s.tanF1);
    }
    latDeg = lat;
    lonDeg = lon;
    return true;
}

// The two points of the Earth's outline (the Sun on the horizon) on the penumbra's edge at
// an instant; false when the edge does not cross the outline.
bool PenumbraOnOutline(const Element_State& s, double xi[2], double eta[2]) {
    const double rho1 = Rho1(s.d);
    const double y1 = s.y / rho1;
    const double m = std::hypot(s.x, y1);
    if (!(m > 0)) return false;
    const double cosA = (m * m + 1 - s.l1 * s.l1) / (2 * m);
    if (!(std::fabs(cosA) < 1)) return false;
    const double q0 = std::atan2(y1, s.x), spread = std::acos(cosA);
    for (int k = 0; k < 2; ++k) {
        // The outline is (cos q, rho1 sin q); the edge's circle there has the radius l1.
        double q = q0 + (k == 0 ? -spread : spread);
        for (int i = 0; i < 4; ++i) {
            const double u = std::cos(q) - s.x, v = rho1 * std::sin(q) - s.y;
            const double f = u * u + v * v - s.l1 * s.l1;
            const double df = -2 * u * std::sin(q) + 2 * v * rho1 * std::cos(q);
            if (!(std::fabs(df) > 1e-12)) break;
            q -= f / df;
        }
        xi[k] = std::cos(q);
        eta[k] = rho1 * std::sin(q);
    }
    return true;
}

// Whether the place is coming into the shadow (the axis approaching it) at the instant.
bool Approaching(const Element_State& s, double latDeg, double lonDeg) {
    const Place_In_Plane p = PlaceInPlane(s, latDeg, lonDeg);
    return (s.x - p.xi) * (s.dx - p.dxi) + (s.y - p.eta) * (s.dy - p.deta) < 0;
}

void AddOutline(const Element_State& s, double jdUt, std::vector<Shadow_Line>& out) {
    std::vector<Shadow_Line> pieces;
    bool firstOn = false, lastOn = false;
    {
        Piece_Builder builder(pieces, Shadow_Line_Kind::UmbraOutline);
        builder.Current().jdUt = jdUt;
        for (int i = 0; i <= OUTLINE_POINTS; ++i) {
            const double angle = 2 * PI * (i % OUTLINE_POINTS) / OUTLINE_POINTS;
            double L = std::fabs(s.l2), lat = 0, lon = 0;
            bool on = false;
            for (int k = 0; k < 4; ++k) {
                on = SurfacePointUnder(s, s.x + L * std::cos(angle), s.y + L * std::sin(angle), lat,
                                       lon);
                if (!on) break;
                const Place_In_Plane p = PlaceInPlane(s, lat, lon);
                L = std::fabs(s.l2 - p.zeta * s.tanF2);
            }
            if (i == 0) firstOn = on;
            if (i == OUTLINE_POINTS) lastOn = on;
            if (on)
                builder.Add(lat, lon, jdUt);
            else
                builder.Cut();
        }
    }
    // An outline cut by the Earth's outline comes in pieces; when the ring's start is on
    // the ground, the last piece runs on into the first.
    if (pieces.size() >= 2 && firstOn && lastOn) {
        pieces.back().points.insert(pieces.back().points.end(), pieces.front().points.begin() + 1,
                                    pieces.front().points.end());
        pieces.erase(pieces.begin());
    }
    out.insert(out.end(), pieces.begin(), pieces.end());
}

}  // namespace

const char* ShadowLineKindName(Shadow_Line_Kind kind) {
    switch (kind) {
        case Shadow_Line_Kind::Central:
            return "central";
        case Shadow_Line_Kind::UmbraLimit:
            return "umbra-limit";
        case Shadow_Line_Kind::PenumbraLimit:
            return "penumbra-limit";
        case Shadow_Line_Kind::RiseSet:
            return "rise-set";
        case Shadow_Line_Kind::UmbraOutline:
            break;
    }
    return "umbra-outline";
}

const char* ShadowSideName(Shadow_Side side) {
    switch (side) {
        case Shadow_Side::North:
            return "north";
        case Shadow_Side::South:
            return "south";
        case Shadow_Side::None:
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

std::vector<Shadow_Line> ComputeShadowLines(const Global_Circumstances& global) {
    std::vector<Shadow_Line> lines;
    if (global.status != Global_Status::Ok) return lines;
    const Besselian_Elements& e = global.elements;
    const bool umbraOnGround = global.type != Eclipse_Type::Partial;
    const double utOffsetDays = -e.deltaTSeconds / SECONDS_PER_DAY;
    const auto jdUtAt = [&](double t) { return e.t0Jde + t / 24 + utOffsetDays; };

    {
        Piece_Builder central(lines, Shadow_Line_Kind::Central);
        Piece_Builder umbraNorth(lines, Shadow_Line_Kind::UmbraLimit, Shadow_Side::North);
        Piece_Builder umbraSouth(lines, Shadow_Line_Kind::UmbraLimit, Shadow_Side::South);
        Piece_Builder penumbraNorth(lines, Shadow_Line_Kind::PenumbraLimit, Shadow_Side::North);
        Piece_Builder penumbraSouth(lines, Shadow_Line_Kind::PenumbraLimit, Shadow_Side::South);
        Piece_Builder riseSet0(lines, Shadow_Line_Kind::RiseSet);
        Piece_Builder riseSet1(lines, Shadow_Line_Kind::RiseSet);
        Piece_Builder riseSetMaximum(lines, Shadow_Line_Kind::RiseSet);
        riseSetMaximum.SetCurve(Rise_Set_Curve::Maximum);
        Piece_Builder* riseSet[2] = {&riseSet0, &riseSet1};

        const int samples =
            static_cast<int>(std::floor((e.tMaxHours - e.tMinHours) / SAMPLE_STEP_HOURS));
        for (int k = 0; k <= samples; ++k) {
            const double t = e.tMinHours + k * SAMPLE_STEP_HOURS;
            const Element_State s = StateAt(e, t);
            const double jd = jdUtAt(t);
            double lat = 0, lon = 0;

            if (umbraOnGround && AxisOnEarthMeasure(s) < 1 &&
                SurfacePointUnder(s, s.x, s.y, lat, lon))
                central.Add(lat, lon, jd);
            else
                central.Cut();

            const struct {
                Piece_Builder& builder;
                bool umbra, north;
            } limits[] = {{umbraNorth, true, true},
                          {umbraSouth, true, false},
                          {penumbraNorth, false, true},
                          {penumbraSouth, false, false}};
            for (const auto& limit : limits) {
                if ((!limit.umbra || umbraOnGround) &&
                    LimitPoint(s, limit.umbra, limit.north, lat, lon))
                    limit.builder.Add(lat, lon, jd);
                else
                    limit.builder.Cut();
            }

            double xi[2], eta[2];
            if (PenumbraOnOutline(s, xi, eta)) {
                for (int side = 0; side < 2; ++side) {
                    if (!LimbPointToward(s, xi[side], eta[side], lat, lon)) {
                        riseSet[side]->Cut();
                        continue;
                    }
                    riseSet[side]->SetCurve(Approaching(s, lat, lon) ? Rise_Set_Curve::FirstContact
                                                                     : Rise_Set_Curve::LastContact);
                    riseSet[side]->Add(lat, lon, jd);
                }
            } else {
                riseSet0.Cut();
                riseSet1.Cut();
            }

            // Greatest at sunrise or sunset: the point of the outline nearest the axis, while
            // the penumbra covers it.
            const double m = std::sqrt(AxisOnEarthMeasure(s));
            if (m > 0 && std::fabs(m - 1) < s.l1 && LimbPointToward(s, s.x, s.y, lat, lon))
                riseSetMaximum.Add(lat, lon, jd);
            else
                riseSetMaximum.Cut();
        }
    }  // the builders keep their last pieces as they go

    if (umbraOnGround) {
        // Outlines at whole tens of minutes of UT.
        const double minutesPerDay = 1440.0;
        const double firstMinute =
            std::ceil(jdUtAt(e.tMinHours) * minutesPerDay / OUTLINE_STEP_MINUTES) *
            OUTLINE_STEP_MINUTES;
        for (double minute = firstMinute; minute <= jdUtAt(e.tMaxHours) * minutesPerDay;
             minute += OUTLINE_STEP_MINUTES) {
            const double jd = minute / minutesPerDay;
            const double t = (jd - utOffsetDays - e.t0Jde) * 24;
            AddOutline(StateAt(e, t), jd, lines);
        }
    }
    return lines;
}

}  // namespace besselian
