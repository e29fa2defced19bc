// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/globe.h"
#include "geo/label_font.h"
#include "geo/line.h"

void Line::Draw(const Globe& globe, COLORREF colour, int closed, int width, int penStyle) const {
    CDC* dc = globe.GetDC();
    if (dc == nullptr || last - first < closed + 2) return;

    CPen pen(penStyle, width, colour);
    CPen* oldPen = dc->SelectObject(&pen);

    int x0, y0;
    const double w0 = points[first].Project(globe, x0, y0);
    dc->MoveTo(x0, y0);
    double previous = w0;
    for (int i = first + 1; i < last; ++i) {
        int x, y;
        const double w = points[i].Project(globe, x, y);
        // A segment with a hidden end is left out whole: nothing is cut at the horizon.
        if (previous > 0.0 && w > 0.0)
            dc->LineTo(x, y);
        else
            dc->MoveTo(x, y);
        previous = w;
    }
    if (closed == 1 && previous > 0.0 && w0 > 0.0) dc->LineTo(x0, y0);
    dc->SelectObject(oldPen);

    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    CFont font;
    CreateLabelFont(font);
    CFont* oldFont = dc->SelectObject(&font);
    // Written whether or not the first point is visible.
    if (name[0] != '\0') dc->TextOut(x0, y0, name);
    dc->SelectObject(oldFont);
    font.DeleteObject();
    pen.DeleteObject();
}
