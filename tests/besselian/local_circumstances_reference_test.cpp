// SPDX-License-Identifier: GPL-3.0-or-later
// Local circumstances on the precise engine's elements of real eclipses: against published
// ones (local_circumstances_reference.csv, each row with its source), consistent with the
// shadow's path, and defined everywhere on the Earth.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "besselian/elements_fit.h"
#include "besselian/global_circumstances.h"
#include "besselian/local_circumstances.h"
#include "besselian/shadow_lines.h"
#include "tests/besselian/test_support.h"

namespace besselian {
namespace {

// The least and the largest of the errors (seconds), at most median and max.
void ExpectErrors(const char* label, std::vector<double> errors, size_t count, double median,
                  double max) {
    ASSERT_EQ(errors.size(), count) << label;
    std::sort(errors.begin(), errors.end());
    const double m = 0.5 * (errors[(count - 1) / 2] + errors[count / 2]);
    std::printf("%s: median %.2f s, max %.2f s\n", label, m, errors.back());
    EXPECT_LE(m, median) << label;
    EXPECT_LE(errors.back(), max) << label;
}

// The published rows, with each source's ΔT (the model's where it states none) and solar
// radius: every contact and maximum (46 instants in the 11 rows) within 1 s, 0.5 s at the
// median; magnitude within 0.001 (the obscuration as the source rounds it); the Sun's
// altitudes and azimuth within 0.1 deg; a sunrise or sunset (at -0.833 deg) where the source
// notes one. With the default radius against the USNO's rows (41 instants in 10): 1.5 s at the
// median, 2.5 s at most.
TEST(LocalCircumstancesReference, MatchPublishedCircumstances) {
    const char* instants[] = {"c1_ut", "c2_ut", "max_ut", "c3_ut", "c4_ut"};
    const char* altitudes[] = {"sun_alt_c1_deg", "sun_alt_c2_deg", "sun_alt_max_deg",
                               "sun_alt_c3_deg", "sun_alt_c4_deg"};
    std::vector<double> sourceRadius, usnoDefaultRadius;
    for (const test::Csv_Row& row : test::ReadCsv(VELMOR_LOCAL_REFERENCE_CSV)) {
        SCOPED_TRACE(row["row_id"] + " " + row["place"]);
        Local_Circumstances lc[2];  // with the source's radius, with the default one
        for (int k = 0; k < 2; ++k) {
            Engine_Options options;
            options.deltaTSeconds = row.Number("delta_t_s");
            options.sunRadiusArcsec =
                k ? SUN_RADIUS_ARCSEC_DEFAULT : row.Number("sun_radius_arcsec");
            Besselian_Elements e;
            EXPECT_TRUE(ComputeElements(test::LunationJde(row["eclipse_date"]), options, e));
            lc[k] = ComputeLocalCircumstances(
                e, {row.Number("lat_deg"), row.Number("lon_deg"), row.Number("height_m")});
            EXPECT_EQ(lc[k].status, Local_Status::Ok);
        }
        const Local_Instant* ours[] = {&lc[0].c1, &lc[0].c2, &lc[0].maximum, &lc[0].c3, &lc[0].c4};
        const Local_Instant* byDefault[] = {&lc[1].c1, &lc[1].c2, &lc[1].maximum, &lc[1].c3,
                                            &lc[1].c4};
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(instants[i]);
            const double published = row.Jd(instants[i]), altitude = row.Number(altitudes[i]);
            const bool usno = row["source_id"].rfind("USNO", 0) == 0;
            if (!std::isnan(published)) {
                sourceRadius.push_back(std::fabs(ours[i]->jdUt - published) * 86400);
                if (usno)
                    usnoDefaultRadius.push_back(std::fabs(byDefault[i]->jdUt - published) * 86400);
            }
            if (std::isnan(altitude)) continue;
            EXPECT_NEAR(ours[i]->sunAltitudeDeg, altitude, 0.1);
        }
        EXPECT_EQ(!row["horizon_note"].empty(), lc[0].sunrise.defined || lc[0].sunset.defined);
        for (const Local_Instant* i : {&lc[0].sunrise, &lc[0].sunset}) {
            if (i->defined) {
                EXPECT_NEAR(i->sunAltitudeDeg, SUNRISE_ALTITUDE_DEG, 1e-4);
            }
        }
        if (!row["magnitude"].empty()) {
            EXPECT_NEAR(lc[0].magnitude, row.Number("magnitude"), 0.001);
            EXPECT_NEAR(lc[0].obscuration, row.Number("obscuration"), 0.001);
        }
        if (!row["sun_az_max_deg"].empty()) {
            EXPECT_NEAR(lc[0].sunAzimuthMaxDeg, row.Number("sun_az_max_deg"), 0.1);
        }
    }
    ExpectErrors("each source's radius", sourceRadius, 46, 0.5, 1.0);
    ExpectErrors("the USNO, default radius", usnoDefaultRadius, 41, 1.5, 2.5);
}

const char* kDates[] = {"2001-06-21", "2005-10-03", "2012-05-20", "2017-08-21",
                        "2022-10-25", "2023-04-20", "2023-10-14", "2024-04-08"};

// The engine's elements (the model's ΔT) of the eclipse that the lunation search finds from
// two days before the date.
Besselian_Elements ElementsOf(const char* date) {
    Besselian_Elements e;
    EXPECT_TRUE(ComputeElements(test::LunationJde(date), Engine_Options{}, e));
    return e;
}

// The engine's global circumstances and lines agree with the local circumstances: at the
// place of greatest eclipse the central duration is the global one within 0.5 s, and the
// Sun's altitude and azimuth at maximum (there at greatest eclipse, the place being on the
// axis then) the global ones within 1e-4 deg; along the central
// line (places under the axis every 0.1 h) with the Sun above 30 deg, C2 and C3 lie
// symmetric about the maximum within 1 s; 1 km across an umbral limit (along the limit's
// normal, every tenth point) one side sees the central phase and the other only the partial
// one.
TEST(LocalCircumstancesOnElements, AgreeWithTheGlobalCircumstancesAndLines) {
    int symmetric = 0, limitPoints = 0;
    for (const char* date : kDates) {
        SCOPED_TRACE(date);
        const Besselian_Elements e = ElementsOf(date);
        const Global_Circumstances g = GlobalCircumstancesFromElements(e, e.t0Jde);
        ASSERT_EQ(g.status, Global_Status::Ok);
        if (!g.central) continue;
        const Local_Circumstances at =
            ComputeLocalCircumstances(e, {g.latitudeDeg, g.longitudeDeg, 0.0});
        ASSERT_TRUE(at.centralDurationDefined);
        EXPECT_NEAR(at.centralDurationS, g.centralDurationS, 0.5);
        EXPECT_NEAR(at.maximum.sunAltitudeDeg, g.sunAltitudeDeg, 1e-4);
        EXPECT_NEAR(std::remainder(at.sunAzimuthMaxDeg - g.sunAzimuthDeg, 360), 0, 1e-4);
        for (double t = e.tMinHours; t <= e.tMaxHours; t += 0.1) {
            const Geodetic_Place place = test::UnderAxis(e, t);
            if (std::isnan(place.latitudeDeg)) continue;
            const Local_Circumstances lc = ComputeLocalCircumstances(e, place);
            if (lc.maximum.sunAltitudeDeg <= 30.0) continue;
            ASSERT_TRUE(lc.c2.defined && lc.c3.defined) << t;
            EXPECT_NEAR((lc.c2.jdUt + lc.c3.jdUt - 2 * lc.maximum.jdUt) * 43200.0, 0.0, 1.0) << t;
            ++symmetric;
        }
        for (const Shadow_Line& line : ComputeShadowLines(g)) {
            for (size_t i = 1; line.kind == Line_Kind::UmbraLimit && i + 1 < line.points.size();
                 i += 10) {
                const Geo_Point &a = line.points[i - 1], &p = line.points[i],
                                &b = line.points[i + 1];
                SCOPED_TRACE(std::to_string(p.latitudeDeg) + " " + std::to_string(p.longitudeDeg));
                const double cosLat = std::cos(p.latitudeDeg * DEG);
                const double east = std::remainder(b.longitudeDeg - a.longitudeDeg, 360) * cosLat;
                const double north = b.latitudeDeg - a.latitudeDeg, norm = std::hypot(east, north);
                const auto across = [&](double km) {  // 111.2 km a degree
                    const double lat = p.latitudeDeg + km * east / norm / 111.2;
                    const double lon = p.longitudeDeg - km * north / norm / 111.2 / cosLat;
                    return ComputeLocalCircumstances(e, {lat, std::remainder(lon, 360), 0.0}).type;
                };
                const Local_Type one = across(1.0), other = across(-1.0);
                EXPECT_NE(one == Local_Type::Partial, other == Local_Type::Partial);
                EXPECT_TRUE(one != Local_Type::None && other != Local_Type::None);
                ++limitPoints;
            }
        }
    }
    EXPECT_GT(symmetric, 60);
    EXPECT_GT(limitPoints, 50);
}

}  // namespace
}  // namespace besselian
