// SPDX-License-Identifier: GPL-3.0-or-later
// The eclipse overlay as GeoJSON (RFC 7946), for mapping tools: one LineString feature per
// drawn line, holding only the points of its drawn range, in longitude, latitude order. An
// outline of a single point becomes a Point feature, so that its label is kept; other lines
// of a single point are left out.
//
// Properties: "line" (the overlay's line index), "kind" ("central", "horizon", "limit",
// "outline" or "horizon-join"), "magnitude" (0, 0.2, ... 1) and "side" ("left" or "right")
// for the limits, "label" ("%02d:%02d", universal time) for the outlines. The joins that
// close the horizon curves into loops are included when both lines they join are drawn;
// they carry "joins" (the two line indices) instead of "line". A line that crosses the
// 180th meridian is cut there, as RFC 7946 asks, and becomes a MultiLineString whose
// pieces end on the meridian (at 180 on one side, -180 on the other) at the latitude
// interpolated linearly between the two points on either side.
#pragma once

#include <string>
#include <vector>

class Eclipse_Overlay;

std::string OverlayGeoJson(Eclipse_Overlay& overlay);

struct Geo_Position {
    double longitude;  // degrees, -180 ... 180
    double latitude;   // degrees
};

// Cuts a polyline wherever a step between two points crosses the 180th meridian (a jump of
// more than 180 degrees of longitude); each cut ends one piece at +-180 and starts the next
// at -+180, at the latitude interpolated linearly between the two points.
std::vector<std::vector<Geo_Position>> CutAtAntimeridian(const std::vector<Geo_Position>& points);

// The opening and the end of a FeatureCollection; the features go between them.
extern const char* const GEOJSON_COLLECTION_START;
extern const char* const GEOJSON_COLLECTION_END;

// Appends one feature to out, a FeatureCollection being written (after its start or after
// another feature), with properties (JSON members, without the braces): a Point for a
// single position, else a LineString, or a MultiLineString cut at the 180th meridian.
// Positions are written with 5 decimals.
void AppendGeoJsonFeature(std::string& out, const std::vector<Geo_Position>& points,
                          const std::string& properties);
