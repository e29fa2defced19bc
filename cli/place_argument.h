// SPDX-License-Identifier: GPL-3.0-or-later
// The place of "velmor-cli local": --at LAT,LON[,HEIGHT_M] (geodetic latitude -90 ... 90,
// longitude -180 ... 180 east positive, degrees; height -500 ... 9000 m above the
// ellipsoid, 0 when not given) or --city NAME, a city of the world data at height 0.
#pragma once

#include <string>

#include "besselian/local_circumstances.h"

class City;

// Reads "LAT,LON" or "LAT,LON,HEIGHT_M". False with error (one line) for anything else:
// a missing or extra part, a part that is not a number, a value outside its range.
bool ParsePlace(const std::string& text, besselian::Geodetic_Place& place, std::string& error);

// Finds the city named name among count cities, ignoring case, a '_' standing for a blank:
// the city of exactly that name, else the only one whose name begins with it. False with
// error (one line listing the candidates: the names that begin with it, else those that
// hold it) when there is none or more than one.
bool FindCity(const std::string& name, const City* cities, int count,
              besselian::Geodetic_Place& place, std::string& error);
