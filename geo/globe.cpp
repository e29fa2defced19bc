// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/globe.h"

#include <cmath>

#include "units/angles.h"

Globe::Globe(double centreX, double centreY, double radius, double rotationDeg, double latitudeDeg,
             double longitudeDeg)
    : m_centreX(centreX), m_centreY(centreY), m_radius(radius) {
    m_rotation = Radians(rotationDeg);
    m_sinRotation = std::sin(m_rotation);
    m_cosRotation = std::cos(m_rotation);
    SetLatitude(latitudeDeg);
    SetLongitude(longitudeDeg);
}

void Globe::SetLatitude(double latitudeDeg) {
    m_viewColatitude = Radians(90.0 - latitudeDeg);
    m_sinViewColatitude = std::sin(m_viewColatitude);
    m_cosViewColatitude = std::cos(m_viewColatitude);
}

void Globe::SetLongitude(double longitudeDeg) {
    m_viewLongitude = Radians(longitudeDeg);
    m_sinViewLongitude = std::sin(m_viewLongitude);
    m_cosViewLongitude = std::cos(m_viewLongitude);
}

double Globe::GetLatitude() const {
    return 90.0 - Degrees(m_viewColatitude);
}

double Globe::GetLongitude() const {
    return Degrees(m_viewLongitude);
}

bool Globe::Unproject(double x, double y, double& latitudeDeg, double& longitudeDeg) const {
    // The offsets from the disc's centre in the view plane, before the picture's turn.
    const double u = x - m_centreX;
    const double v = y + m_centreY - MAP_EXTENT_PIXELS;
    const double q = (m_sinRotation * u + m_cosRotation * v) / m_radius;  // southward
    const double p = (m_cosRotation * u - m_sinRotation * v) / m_radius;  // eastward
    const double r2 = p * p + q * q;
    if (!(r2 <= 1.0)) return false;
    const double w = std::sqrt(1.0 - r2);  // towards the viewer
    // The unit vector w c + p e + q s, with c the view centre's direction and e, s the
    // directions east and south there.
    const double cx = m_sinViewColatitude * m_cosViewLongitude;
    const double cy = m_sinViewColatitude * m_sinViewLongitude;
    const double cz = m_cosViewColatitude;
    const double X = w * cx - p * m_sinViewLongitude + q * m_cosViewColatitude * m_cosViewLongitude;
    const double Y = w * cy + p * m_cosViewLongitude + q * m_cosViewColatitude * m_sinViewLongitude;
    const double Z = w * cz - q * m_sinViewColatitude;
    latitudeDeg = Degrees(std::asin(std::fmax(-1.0, std::fmin(1.0, Z))));
    longitudeDeg = Degrees(std::atan2(Y, X));
    return true;
}
