// SPDX-License-Identifier: GPL-3.0-or-later
// The precise engine's picture of an eclipse as GeoJSON (RFC 7946), for mapping tools: one
// feature per line of the engine (app/precise_map.h), written as the overlay's lines are
// (overlay_geojson.h: longitude, latitude; cut at the 180th meridian into a
// MultiLineString), and one Point at the place of greatest eclipse.
//
// Properties: "kind" is "central", "umbra-limit" and "penumbra-limit" (with "side":
// "north" or "south"), "rise-set" (with "curve": "first-contact", "last-contact" or
// "maximum"), "umbra-outline" (with "time", its instant in UT as 2024-04-08T18:10:00.0Z),
// and "greatest" for the Point, which carries the global circumstances under the names
// and in the units of "eclipses --precise" (precise_fields.h; null where not defined). An
// eclipse for which the engine finds no shadow on the Earth gives no features.
#pragma once

#include <string>

#include "app/precise_map.h"

std::string PreciseGeoJson(const Precise_Eclipse& eclipse);
