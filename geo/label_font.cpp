// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/label_font.h"

#include <cstring>

void CreateLabelFont(CFont& font) {
    LOGFONT logFont;
    std::memset(&logFont, 0, sizeof logFont);
    logFont.lfHeight = 12;
    std::strcpy(logFont.lfFaceName, "Arial");
    font.CreateFontIndirect(&logFont);
}
