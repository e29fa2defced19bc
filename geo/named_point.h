// SPDX-License-Identifier: GPL-3.0-or-later
// A position on the sphere with a name of at most 31 characters. Names are stored with
// every '_' turned into a blank, so that a one-token name in a data file (New_York) reads
// as written by people (New York).
#pragma once

#include "geo/point.h"

class Named_Point : public Point {
  public:
    // A default position and an empty name.
    Named_Point() = default;
    // Ends the program with "Named_Point::Named_Point() - NULL pointer" when name is null.
    Named_Point(double latitudeDeg, double longitudeDeg, const char* name);

    // Sets position and name; a null name ends the program with
    // "Named_Point::ResetGeo() - NULL pointer".
    void ResetGeo(double latitudeDeg, double longitudeDeg, const char* name);

    char name[32] = {};  // NUL-terminated
};

// Copies positions 0 to 31 of source into name, '_' becoming ' ', stopping after the NUL;
// position 31 is always NUL afterwards, so a longer name keeps its first 31 characters.
void CopyNameWithBlanks(char (&name)[32], const char* source);
