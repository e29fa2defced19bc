// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/velmor_doc.h"

#include <cmath>

CVelmorDoc::CVelmorDoc() {
    Construct();
}

CVelmorDoc::CVelmorDoc(const std::string& dataDirectory) : m_dataDirectory(dataDirectory) {
    Construct();
}

void CVelmorDoc::Construct() {
    m_eclipse.valid = false;
    m_bWorldLoaded = LoadWorld();
    m_pGlobe = new Globe(MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_RADIUS_PIXELS,
                         0.0, 0.0, 0.0);
    m_pGraticule = new Graticule(20.0, 30.0, 10.0, 5.0);
    m_bCentreSet = false;
}

CVelmorDoc::~CVelmorDoc() {
    if (m_bWorldLoaded) {
        delete[] m_pLand;
        delete[] m_pRivers;
        delete[] m_pWater;
        delete[] m_pCities;
    }
    delete m_pGlobe;
    delete m_pGraticule;
}

int CVelmorDoc::OnNewDocument() {
    return 1;
}

void CVelmorDoc::DrawWorld() {
    const Globe& globe = *m_pGlobe;
    m_pGraticule->DrawDisc(globe);
    m_pGraticule->DrawGrid(globe);
    for (int i = 0; i < m_nLand; ++i) DrawInStyle(m_pLand[i], globe, LAND_STYLE);
    for (int i = 0; i < m_nRivers; ++i) DrawInStyle(m_pRivers[i], globe, RIVER_STYLE);
    for (int i = 0; i < m_nWater; ++i) DrawInStyle(m_pWater[i], globe, WATER_STYLE);
    for (int i = 0; i < m_nCities; ++i) m_pCities[i].Draw(globe);
}

namespace {

bool SameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

}  // namespace

void CVelmorDoc::CheckPreciseKey() {
    if (m_bPreciseKept && m_dPreciseJde == m_eclipse.jde &&
        SameValue(m_preciseKeptOptions.deltaTSeconds, m_preciseOptions.deltaTSeconds) &&
        SameValue(m_preciseKeptOptions.sunRadiusArcsec, m_preciseOptions.sunRadiusArcsec))
        return;
    m_bPreciseKept = false;
    m_bLocalKept = false;
}

const besselian::Global_Circumstances& CVelmorDoc::GetGlobalCircumstances() {
    CheckPreciseKey();
    if (!m_bPreciseKept) {
        m_precise = Precise_Eclipse{};
        m_precise.global = besselian::ComputeGlobalCircumstances(m_eclipse.jde, m_preciseOptions);
        ++m_nPreciseComputations;
        m_bPreciseKept = true;
        m_bPreciseLinesKept = false;
        m_dPreciseJde = m_eclipse.jde;
        m_preciseKeptOptions = m_preciseOptions;
    }
    return m_precise.global;
}

const Precise_Eclipse& CVelmorDoc::GetPreciseEclipse() {
    GetGlobalCircumstances();
    if (!m_bPreciseLinesKept) {
        AddPreciseLines(m_precise);
        m_bPreciseLinesKept = true;
    }
    return m_precise;
}

const besselian::Local_Circumstances* CVelmorDoc::GetLocalCircumstances() {
    if (!m_bPlaceSet) return nullptr;
    // The elements suffice: the lines are not made for the place alone.
    const besselian::Global_Circumstances& global = GetGlobalCircumstances();
    if (!m_bLocalKept) {
        // The elements are there unless the engine could not make them at all.
        m_bLocalDefined = global.status != besselian::Global_Status::NoElements;
        if (m_bLocalDefined)
            m_local = besselian::ComputeLocalCircumstances(global.elements, m_place);
        m_bLocalKept = true;
    }
    return m_bLocalDefined ? &m_local : nullptr;
}

bool CVelmorDoc::SetPlace(const besselian::Geodetic_Place& place) {
    if (!besselian::IsValidPlace(place)) return false;
    m_place = place;
    m_bPlaceSet = true;
    m_bLocalKept = false;
    return true;
}

void CVelmorDoc::ClearPlace() {
    m_bPlaceSet = false;
    m_bLocalKept = false;
}
