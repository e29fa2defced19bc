// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop program remembers of the map between runs, in its settings store: the
// precise flag (off until first set) and the place picked on the globe (none until first
// picked). A place read back must be a valid place (besselian/local_circumstances.h);
// anything else counts as none.
#pragma once

#include <QSettings>

#include "besselian/local_circumstances.h"

namespace shell {

bool LoadPreciseFlag();
void SavePreciseFlag(bool precise);

// True with the place when one is kept.
bool LoadPlace(besselian::Geodetic_Place& place);
// Keeps the place, or forgets it when placeSet is false.
void SavePlace(bool placeSet, const besselian::Geodetic_Place& place);

// The settings group holding both, for tests that start from a clean slate.
// The program's settings store.
QSettings OpenSettings();

}  // namespace shell
