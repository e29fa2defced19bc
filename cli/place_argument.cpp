// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/place_argument.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "cli/column_text.h"
#include "cli/step_options.h"
#include "geo/city.h"
#include "units/angles.h"

namespace {

std::string Folded(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '_' ? ' ' : std::tolower(static_cast<unsigned char>(c));
    return out;
}

std::string Listed(const std::vector<const City*>& cities) {
    constexpr size_t MOST = 12;
    std::string out;
    for (size_t i = 0; i < cities.size() && i < MOST; ++i)
        out += std::string(i ? ", " : "") + cities[i]->name;
    if (cities.size() > MOST) out += ", ... (" + std::to_string(cities.size()) + " in all)";
    return out;
}

}  // namespace

bool ParsePlace(const std::string& text, besselian::Geodetic_Place& place, std::string& error) {
    const std::vector<std::string> parts = SplitAt(text, ',');
    double values[3] = {0, 0, 0};
    bool numbers = parts.size() == 2 || parts.size() == 3;
    for (size_t i = 0; numbers && i < parts.size(); ++i) numbers = ParseReal(parts[i], values[i]);
    if (!numbers) {
        error = "--at wants LAT,LON or LAT,LON,HEIGHT_M (degrees, metres), not '" + text + "'";
        return false;
    }
    const char* const names[3] = {"latitude", "longitude", "height"};
    const double low[3] = {-90, -180, besselian::PLACE_MIN_HEIGHT_M};
    const double high[3] = {90, 180, besselian::PLACE_MAX_HEIGHT_M};
    for (int i = 0; i < 3; ++i) {
        if (values[i] < low[i] || values[i] > high[i]) {
            char range[64];
            std::snprintf(range, sizeof range, "' is outside %g to %g %s", low[i], high[i],
                          i == 2 ? "m" : "degrees");
            error = "--at: " + std::string(names[i]) + " '" + parts[i] + range;
            return false;
        }
    }
    place = {values[0], values[1], values[2]};
    return true;
}

bool FindCity(const std::string& name, const City* cities, int count,
              besselian::Geodetic_Place& place, std::string& error) {
    const std::string wanted = Folded(name);
    if (wanted.empty()) {
        error = "--city needs a city's name";
        return false;
    }
    std::vector<const City*> exact, beginning, holding;
    for (int i = 0; i < count; ++i) {
        const std::string candidate = Folded(cities[i].name);
        if (candidate == wanted) exact.push_back(&cities[i]);
        if (candidate.compare(0, wanted.size(), wanted) == 0) beginning.push_back(&cities[i]);
        if (candidate.find(wanted) != std::string::npos) holding.push_back(&cities[i]);
    }
    const std::vector<const City*>& found = !exact.empty() ? exact : beginning;
    if (found.size() == 1) {
        // The data's positions are kept as floats: keep them within their ranges.
        place.latitudeDeg = std::fmax(-90.0, std::fmin(90.0, 90.0 - Degrees(found[0]->colatitude)));
        place.longitudeDeg = std::fmax(-180.0, std::fmin(180.0, Degrees(found[0]->longitude)));
        place.heightM = 0.0;
        return true;
    }
    if (found.size() > 1) {
        error = "--city '" + name + "' names " + std::to_string(found.size()) +
                " cities: " + Listed(found);
    } else if (!holding.empty()) {
        error = "--city: no city '" + name + "' in the world data; did you mean " +
                Listed(holding) + "?";
    } else {
        error = "--city: no city '" + name + "' in the world data (" + std::to_string(count) +
                " cities; see the list in WORLD.CIT)";
    }
    return false;
}
