// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/city.h"

#include "geo/globe.h"
#include "geo/label_font.h"

namespace {
constexpr COLORREF CITY_COLOUR = RGB(255, 255, 0);
constexpr double NAME_VISIBILITY = 0.71;  // w above which the name is written
}  // namespace

void City::Draw(const Globe& globe) const {
    CDC* dc = globe.GetDC();
    if (dc == nullptr) return;
    int x, y;
    double w = Project(globe, x, y);
    if (w <= 0.0) return;

    CPen pen(PS_SOLID, 1, CITY_COLOUR);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush brush(CITY_COLOUR);
    CFont font;
    CreateLabelFont(font);
    CFont* oldFont = dc->SelectObject(&font);
    CBrush* oldBrush = dc->SelectObject(&brush);

    dc->Rectangle(x - 2, y - 2, x + 2, y + 2);
    if (w > NAME_VISIBILITY) {
        dc->SetTextColor(RGB(0, 0, 0));
        dc->SetBkMode(TRANSPARENT);
        dc->TextOut(x, y, name);
    }

    dc->SelectObject(oldFont);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    font.DeleteObject();
    brush.DeleteObject();
    pen.DeleteObject();
}
