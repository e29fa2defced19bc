#include "app/velmor_doc.h"

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
