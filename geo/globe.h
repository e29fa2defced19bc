// SPDX-License-Identifier: GPL-3.0-or-later
// The orthographic globe: the Earth seen from infinitely far away, drawn as a disc on the
// screen. Holds the disc's centre and radius in pixels, the geographic point at the disc's
// centre (the view centre), a turn of the whole picture about the line of sight, and the
// device context of the paint in progress (not owned).
//
// Screen rows are MAP_EXTENT_PIXELS (640) minus an ordinate that grows upward: the disc
// centre's row is 640 - centreY. Angles are given in degrees and kept in radians with their sines
// and cosines, recomputed whenever an angle changes.
#pragma once

#include "platform/dc.h"

// The map is a square of this many pixels each way; the globe's ordinates count upward
// from its bottom row.
constexpr int MAP_EXTENT_PIXELS = 640;
// The globe of the map: its disc's centre (both ways) and radius, pixels.
constexpr double MAP_GLOBE_CENTRE_PIXELS = 320.0;
constexpr double MAP_GLOBE_RADIUS_PIXELS = 318.0;

class Globe {
  public:
    Globe(double centreX, double centreY, double radius, double rotationDeg, double latitudeDeg,
          double longitudeDeg);

    // The view centre, degrees; not range-checked or normalised.
    void SetLatitude(double latitudeDeg);
    void SetLongitude(double longitudeDeg);
    double GetLatitude() const;
    double GetLongitude() const;

    // The point of the near side drawn at the pixel (x, y) (a pixel as Point::Project
    // gives it: x to the right, y downwards from the top row), latitude -90 ... 90 and
    // longitude -180 ... 180 degrees; false, leaving both as they were, for a pixel off
    // the disc. Within a pixel of the point that Project puts there.
    bool Unproject(double x, double y, double& latitudeDeg, double& longitudeDeg) const;

    void SetDC(CDC* dc) { m_dc = dc; }
    CDC* GetDC() const { return m_dc; }

    double GetCentreX() const { return m_centreX; }
    double GetCentreY() const { return m_centreY; }
    double GetRadius() const { return m_radius; }
    // Defined here so that projecting a point, which asks for these every time, copies
    // them without a call.
    void GetRotationTerms(double& sinRotation, double& cosRotation, double& sinViewColatitude,
                          double& cosViewColatitude, double& sinViewLongitude,
                          double& cosViewLongitude) const {
        sinRotation = m_sinRotation;
        cosRotation = m_cosRotation;
        sinViewColatitude = m_sinViewColatitude;
        cosViewColatitude = m_cosViewColatitude;
        sinViewLongitude = m_sinViewLongitude;
        cosViewLongitude = m_cosViewLongitude;
    }

  private:
    double m_centreX;         // pixels
    double m_centreY;         // pixels upward from row 640
    double m_radius;          // pixels
    double m_rotation;        // radians, counter-clockwise on the screen
    double m_viewColatitude;  // radians
    double m_viewLongitude;   // radians
    double m_sinRotation, m_cosRotation;
    double m_sinViewColatitude, m_cosViewColatitude;
    double m_sinViewLongitude, m_cosViewLongitude;
    CDC* m_dc = nullptr;
};
