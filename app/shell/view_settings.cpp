// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/view_settings.h"

#include <QSettings>

#include "app/shell/shell_identity.h"

namespace shell {

namespace {

constexpr char kMapSettingsGroup[] = "Map";
constexpr char kPreciseKey[] = "Precise";
constexpr char kPlaceLatitudeKey[] = "PlaceLatitude";
constexpr char kPlaceLongitudeKey[] = "PlaceLongitude";
constexpr char kPlaceHeightKey[] = "PlaceHeight";

struct Map_Settings {
    Map_Settings() { settings.beginGroup(QLatin1String(kMapSettingsGroup)); }
    QSettings settings = OpenSettings();
};

}  // namespace

QSettings OpenSettings() {
    return QSettings(QString::fromLatin1(kOrganisationName), QString::fromLatin1(kApplicationName));
}

bool LoadPreciseFlag() {
    return Map_Settings().settings.value(QLatin1String(kPreciseKey), false).toBool();
}

void SavePreciseFlag(bool precise) {
    Map_Settings().settings.setValue(QLatin1String(kPreciseKey), precise);
}

bool LoadPlace(besselian::Geodetic_Place& place) {
    Map_Settings map;
    QSettings& settings = map.settings;
    if (!settings.contains(QLatin1String(kPlaceLatitudeKey))) return false;
    bool latitudeRead = false, longitudeRead = false, heightRead = false;
    besselian::Geodetic_Place read;
    read.latitudeDeg = settings.value(QLatin1String(kPlaceLatitudeKey)).toDouble(&latitudeRead);
    read.longitudeDeg = settings.value(QLatin1String(kPlaceLongitudeKey)).toDouble(&longitudeRead);
    read.heightM = settings.value(QLatin1String(kPlaceHeightKey), 0.0).toDouble(&heightRead);
    if (!latitudeRead || !longitudeRead || !heightRead || !besselian::IsValidPlace(read))
        return false;
    place = read;
    return true;
}

void SavePlace(bool placeSet, const besselian::Geodetic_Place& place) {
    Map_Settings map;
    QSettings& settings = map.settings;
    if (!placeSet) {
        settings.remove(QLatin1String(kPlaceLatitudeKey));
        settings.remove(QLatin1String(kPlaceLongitudeKey));
        settings.remove(QLatin1String(kPlaceHeightKey));
        return;
    }
    settings.setValue(QLatin1String(kPlaceLatitudeKey), place.latitudeDeg);
    settings.setValue(QLatin1String(kPlaceLongitudeKey), place.longitudeDeg);
    settings.setValue(QLatin1String(kPlaceHeightKey), place.heightM);
}

}  // namespace shell
