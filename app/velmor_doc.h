// The application's one document: the world data read from the four data files beside
// the program, the current eclipse, the globe's centre as the user has turned it, and the
// Globe and Graticule through which the map is drawn. Everything else reads and writes its
// members directly. It is the World_Painter that draws the world under an eclipse overlay.
//
// Construction reads the data files (any fault in them ends the program with a one-line
// message before the document exists) and then creates the globe (centre 320, 320, radius
// 318 pixels, facing latitude 0, longitude 0) and the grid (20 degrees between parallels,
// 30 between meridians, 10 left out around each pole, drawn in 5-degree pieces).
#pragma once

#include <string>

#include "astro/eclipse_search.h"
#include "geo/city.h"
#include "geo/globe.h"
#include "geo/graticule.h"
#include "geo/world_lines.h"
#include "overlay/world_painter.h"

class CVelmorDoc : public World_Painter {
  public:
    // Reads WORLD.CIT, WORLD.LAN, WORLD.RIV and WORLD.WAT from the executable's folder.
    CVelmorDoc();
    // Reads them from dataDirectory instead, which must end with its separator ('/').
    explicit CVelmorDoc(const std::string& dataDirectory);
    ~CVelmorDoc() override;
    CVelmorDoc(const CVelmorDoc&) = delete;
    CVelmorDoc& operator=(const CVelmorDoc&) = delete;

    // A new document keeps everything as it is; returns 1 (success).
    int OnNewDocument();

    // Reads the four files in the order cities, coastlines, rivers, water; returns true.
    bool LoadWorld();
    // Reads a polyline file into count Land elements, each of at least 2 points.
    void LoadLines(const char* path, int& count, Land*& array);
    // Reads the cities file into count City elements.
    void LoadNamedPoints(const char* path, int& count, City*& array);

    // Draws the disc, the grid, the coastlines, rivers, lake and sea shores and the cities
    // through m_pGlobe and its device context.
    void DrawWorld() override;

    Eclipse_Record m_eclipse;   // valid is false until a search has stored an eclipse
    bool m_bCentreSet = false;  // true once the globe's centre is kept here
    double m_dCentreLat = 0.0;  // degrees, north positive
    double m_dCentreLon = 0.0;  // degrees, east positive
    bool m_bWorldLoaded = false;
    Land* m_pLand = nullptr;
    City* m_pCities = nullptr;
    Land* m_pRivers = nullptr;  // drawn as River
    Land* m_pWater = nullptr;   // drawn as Water
    int m_nLand = 0;
    int m_nRivers = 0;
    int m_nWater = 0;
    int m_nCities = 0;
    Globe* m_pGlobe = nullptr;
    Graticule* m_pGraticule = nullptr;

  private:
    void Construct();

    std::string m_dataDirectory;  // empty: the executable's folder
};
