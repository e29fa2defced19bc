// SPDX-License-Identifier: GPL-3.0-or-later
// The font every name on the map is written in: a 12-pixel-high Arial.
#pragma once

#include "platform/dc.h"

// Creates the label font into font (which must not be created yet).
void CreateLabelFont(CFont& font);
