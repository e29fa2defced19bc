#include "besselian/shadow_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "besselian/shadow_geometry.h"

using namespace besselian;

namespace {

// The least distance (km) from a point to a line through the chords between its points.
double DistanceToLineKm(const Shadow_Line& line, double latDeg, double lonDeg) {
    const Ground_Point p = GroundPoint(latDeg, lonDeg);
    double best = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i + 1 < line.points.size(); ++i) {
        const Ground_Point a = GroundPoint(line.points[i].latitudeDeg, line.points[i].longitudeDeg);
        const Ground_Point b =
            GroundPoint(line.points[i + 1].latitudeDeg, line.points[i + 1].longitudeDeg);
        const double abx = b.x - a.x, aby = b.y - a.y, abz = b.z - a.z;
        const double ab2 = abx * abx + aby * aby + abz * abz;
        double f = ab2 > 0 ? ((p.x - a.x) * abx + (p.y - a.y) * aby + (p.z - a.z) * abz) / ab2 : 0;
        f = std::fmax(0.0, std::fmin(1.0, f));
        best = std::fmin(best, DistanceKm(p, {a.x + f * abx, a.y + f * aby, a.z + f * abz}));
    }
    return best;
}

double DistanceToKindKm(const std::vector<Shadow_Line>& lines, Shadow_Line_Kind kind,
                        Shadow_Side side, double latDeg, double lonDeg) {
    double best = std::numeric_limits<double>::infinity();
    for (const Shadow_Line& line : lines)
        if (line.kind == kind && line.side == side)
            best = std::fmin(best, DistanceToLineKm(line, latDeg, lonDeg));
    return best;
}

size_t CountOf(const std::vector<Shadow_Line>& lines, Shadow_Line_Kind kind) {
    return std::count_if(lines.begin(), lines.end(),
                         [kind](const Shadow_Line& line) { return line.kind == kind; });
}

struct Eclipse_Case {
    const char* label;
    double jde;  // the lunation method's instant
    Eclipse_Type type;
};

const Eclipse_Case kCentral[] = {
    {"2017-08-21 total", 2457987.268892, Eclipse_Type::Total},
    {"2024-04-08 total", 2460409.26, Eclipse_Type::Total},
    {"2023-10-14 annular", 2460232.250765, Eclipse_Type::Annular},
    {"2026-08-12 total", 2461265.24125, Eclipse_Type::Total},
};

}  // namespace

// The lines agree with the global circumstances of central eclipses: the central line passes
// within 1 km of the point of greatest eclipse, and there the distances of the two umbral
// limits add up to the path width within 1 km (the limits are sampled once a minute and
// measured along chords, which cut the curve by well under 100 m).
TEST(ShadowLines, AgreeWithTheGlobalCircumstances) {
    for (const Eclipse_Case& c : kCentral) {
        SCOPED_TRACE(c.label);
        const Global_Circumstances g = ComputeGlobalCircumstances(c.jde, Engine_Options{});
        ASSERT_EQ(g.status, Global_Status::Ok);
        EXPECT_EQ(g.type, c.type);
        const std::vector<Shadow_Line> lines = ComputeShadowLines(g);
        EXPECT_LT(DistanceToKindKm(lines, Shadow_Line_Kind::Central, Shadow_Side::None,
                                   g.latitudeDeg, g.longitudeDeg),
                  1.0);
        const double north = DistanceToKindKm(lines, Shadow_Line_Kind::UmbraLimit,
                                              Shadow_Side::North, g.latitudeDeg, g.longitudeDeg);
        const double south = DistanceToKindKm(lines, Shadow_Line_Kind::UmbraLimit,
                                              Shadow_Side::South, g.latitudeDeg, g.longitudeDeg);
        EXPECT_NEAR(north + south, g.pathWidthKm, 1.0);
        // North is north: the northern limit lies at a higher latitude at the same instant.
        EXPECT_GT(north, 0.2 * g.pathWidthKm);
        EXPECT_GT(south, 0.2 * g.pathWidthKm);
        EXPECT_GT(CountOf(lines, Shadow_Line_Kind::UmbraOutline), 5u);
        EXPECT_GT(CountOf(lines, Shadow_Line_Kind::PenumbraLimit), 0u);
    }
}

// Every point of every line is a place with its instant inside the elements' span; the
// limits of one shadow share their instants; the sunrise and sunset curves lie where the
// Sun's centre is on the horizon (within 0.05 degrees: the points are on the Earth's outline
// in the fundamental plane, which is the geometric horizon); the northern limit of the umbra
// lies north of the shadow axis in the fundamental plane and the southern one south of it.
TEST(ShadowLines, PointsAreWellFormed) {
    for (const Eclipse_Case& c : kCentral) {
        SCOPED_TRACE(c.label);
        const Global_Circumstances g = ComputeGlobalCircumstances(c.jde, Engine_Options{});
        ASSERT_EQ(g.status, Global_Status::Ok);
        const Besselian_Elements& e = g.elements;
        const double ut = e.deltaTSeconds / SECONDS_PER_DAY;
        std::vector<Shadow_Point> south;
        const std::vector<Shadow_Line> lines = ComputeShadowLines(g);
        for (const Shadow_Line& line : lines) {
            ASSERT_GE(line.points.size(), 2u);
            EXPECT_EQ(line.side != Shadow_Side::None,
                      line.kind == Shadow_Line_Kind::UmbraLimit ||
                          line.kind == Shadow_Line_Kind::PenumbraLimit);
            EXPECT_EQ(line.curve != Rise_Set_Curve::None, line.kind == Shadow_Line_Kind::RiseSet);
            for (const Shadow_Point& p : line.points) {
                ASSERT_TRUE(std::fabs(p.latitudeDeg) <= 90 && std::fabs(p.longitudeDeg) <= 180);
                const double t = (p.jdUt + ut - e.t0Jde) * 24;
                ASSERT_TRUE(t >= e.tMinHours - 1e-9 && t <= e.tMaxHours + 1e-9) << t;
                if (line.kind == Shadow_Line_Kind::UmbraOutline) EXPECT_EQ(p.jdUt, line.jdUt);
                if (line.kind == Shadow_Line_Kind::RiseSet) {
                    double altitude, azimuth;
                    SunAltitudeAzimuth(StateAt(e, t), p.latitudeDeg, p.longitudeDeg, altitude,
                                       azimuth);
                    EXPECT_NEAR(altitude, 0.0, 0.05);
                }
                if (line.kind == Shadow_Line_Kind::UmbraLimit && line.side == Shadow_Side::South)
                    south.push_back(p);
            }
        }
        size_t paired = 0;
        for (const Shadow_Line& line : lines) {
            if (line.kind != Shadow_Line_Kind::UmbraLimit || line.side != Shadow_Side::North)
                continue;
            for (const Shadow_Point& n : line.points) {
                for (const Shadow_Point& s : south) {
                    if (s.jdUt != n.jdUt) continue;
                    ++paired;
                    // In the fundamental plane the northern limit lies north of the axis.
                    const Element_State state = StateAt(e, (n.jdUt + ut - e.t0Jde) * 24);
                    EXPECT_GT(PlaceInPlane(state, n.latitudeDeg, n.longitudeDeg).eta, state.y);
                    EXPECT_LT(PlaceInPlane(state, s.latitudeDeg, s.longitudeDeg).eta, state.y);
                }
            }
        }
        EXPECT_GT(paired, 60u);  // an hour or more of the path
    }
}

// A partial eclipse has no umbral lines but its penumbra's; a grazing partial (gamma 1.55)
// only the curves near the Earth's edge; no shadow or no elements: no lines at all.
TEST(ShadowLines, PartialGrazingAndNone) {
    const struct {
        const char* label;
        double jde;
        bool lines;
    } cases[] = {
        {"2022-10-25 partial", 2459877.959393, true},
        {"2083-07-15 grazing partial", 2482055.509793, true},
        {"2000-01-06 new Moon without an eclipse", 2451550.26, false},
        {"not a number", NAN, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Global_Circumstances g = ComputeGlobalCircumstances(c.jde, Engine_Options{});
        const std::vector<Shadow_Line> lines = ComputeShadowLines(g);
        EXPECT_EQ(!lines.empty(), c.lines);
        EXPECT_EQ(CountOf(lines, Shadow_Line_Kind::Central), 0u);
        EXPECT_EQ(CountOf(lines, Shadow_Line_Kind::UmbraLimit), 0u);
        EXPECT_EQ(CountOf(lines, Shadow_Line_Kind::UmbraOutline), 0u);
        if (c.lines) EXPECT_GT(CountOf(lines, Shadow_Line_Kind::RiseSet), 0u);
    }
}

TEST(ShadowLines, Names) {
    EXPECT_STREQ(ShadowLineKindName(Shadow_Line_Kind::Central), "central");
    EXPECT_STREQ(ShadowLineKindName(Shadow_Line_Kind::UmbraLimit), "umbra-limit");
    EXPECT_STREQ(ShadowLineKindName(Shadow_Line_Kind::PenumbraLimit), "penumbra-limit");
    EXPECT_STREQ(ShadowLineKindName(Shadow_Line_Kind::RiseSet), "rise-set");
    EXPECT_STREQ(ShadowLineKindName(Shadow_Line_Kind::UmbraOutline), "umbra-outline");
    EXPECT_STREQ(ShadowSideName(Shadow_Side::North), "north");
    EXPECT_STREQ(ShadowSideName(Shadow_Side::South), "south");
    EXPECT_STREQ(ShadowSideName(Shadow_Side::None), "");
    EXPECT_STREQ(RiseSetCurveName(Rise_Set_Curve::FirstContact), "first-contact");
    EXPECT_STREQ(RiseSetCurveName(Rise_Set_Curve::LastContact), "last-contact");
    EXPECT_STREQ(RiseSetCurveName(Rise_Set_Curve::Maximum), "maximum");
    EXPECT_STREQ(RiseSetCurveName(Rise_Set_Curve::None), "");
}
