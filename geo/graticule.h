// SPDX-License-Identifier: GPL-3.0-or-later
// The latitude and longitude grid and the globe's disc. Spacings are kept in radians; the
// grid is drawn in straight pieces of segmentStep, leaving out polarGap around each pole.
#pragma once

class Globe;

class Graticule {
  public:
    // All four in degrees.
    Graticule(double latitudeStepDeg, double longitudeStepDeg, double polarGapDeg,
              double segmentStepDeg);

    // The disc of the globe filled with 40, 166, 254 and outlined with the pen selected at
    // the time (the device context's default black pen at the start of a paint).
    void DrawDisc(const Globe& globe) const;
    // Parallels from the equator toward each pole and meridians from longitude 0 eastward,
    // in grey (127, 127, 127) pieces of segmentStep; a piece with a hidden end is left out.
    void DrawGrid(const Globe& globe) const;

    double latitudeStep;   // radians between parallels
    double longitudeStep;  // radians between meridians
    double polarGap;       // radians around each pole left without grid
    double segmentStep;    // radians, length of one straight piece
};
