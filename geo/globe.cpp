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
