// SPDX-License-Identifier: GPL-3.0-or-later
// The application's one document: the world data read from the four data files beside
// the program, the current eclipse, the globe's centre as the user has turned it, and the
// Globe and Graticule through which the map is drawn. Everything else reads and writes its
// members directly. It is the World_Painter that draws the world under an eclipse overlay.
//
// Construction reads the data files (any fault in them ends the program with a one-line
// message before the document exists) and then creates the globe (centre 320, 320, radius
// 318 pixels, facing latitude 0, longitude 0) and the grid (20 degrees between parallels,
// 30 between meridians, 10 left out around each pole, drawn in 5-degree pieces).
//
// It also holds what the user switched on beyond that: the precise flag (draw and list the
// precise engine's picture of the eclipse, app/precise_map.h) and a place picked on the
// globe, with the precise eclipse and the place's local circumstances computed once for
// the current eclipse and kept until the eclipse, the engine's options or the place change.
#pragma once

#include <string>

#include "app/precise_map.h"
#include "astro/eclipse_search.h"
#include "besselian/local_circumstances.h"
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

    // The precise eclipse of m_eclipse with m_preciseOptions, computed at the first call
    // for that eclipse and those options and kept. Needs a valid m_eclipse.
    const Precise_Eclipse& GetPreciseEclipse();
    // Its global circumstances alone (with the elements), kept with the precise eclipse:
    // the lines are made only when GetPreciseEclipse is asked for.
    const besselian::Global_Circumstances& GetGlobalCircumstances();
    // The local circumstances of m_eclipse at m_place (the precise engine's, with
    // m_preciseOptions), kept as the precise eclipse is; null while no place is set or
    // the engine has no elements for the eclipse. Needs a valid m_eclipse.
    const besselian::Local_Circumstances* GetLocalCircumstances();
    // Sets the place (a valid one; false, changing nothing, otherwise) or clears it.
    bool SetPlace(const besselian::Geodetic_Place& place);
    void ClearPlace();
    // How many times the precise eclipse has been computed, for checks of the cache.
    int PreciseComputations() const { return m_nPreciseComputations; }

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

    bool m_bPrecise = false;  // draw and list the precise eclipse as well
    besselian::Engine_Options m_preciseOptions;
    bool m_bPlaceSet = false;           // set through SetPlace and ClearPlace
    besselian::Geodetic_Place m_place;  // the place picked, valid while m_bPlaceSet

  private:
    // Drops what is kept when it belongs to another eclipse or other options.
    void CheckPreciseKey();

    bool m_bPreciseKept = false;
    bool m_bPreciseLinesKept = false;
    double m_dPreciseJde = 0.0;
    besselian::Engine_Options m_preciseKeptOptions;
    Precise_Eclipse m_precise;
    int m_nPreciseComputations = 0;
    bool m_bLocalKept = false;
    bool m_bLocalDefined = false;
    besselian::Local_Circumstances m_local;

    void Construct();

    std::string m_dataDirectory;  // empty: the executable's folder
};
