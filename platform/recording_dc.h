// SPDX-License-Identifier: GPL-3.0-or-later
// A device context that draws nothing and records every call made to it, for tests of
// drawing code: the calls in order with their arguments and the state they were made in
// (pen, brush, font, background mode, text colour), which objects are selected at the
// end, and whether drawing objects were released properly.
#pragma once

#include <string>
#include <vector>

#include "platform/dc.h"

class RecordingDC : public CDC {
  public:
    enum class Op {
        MoveTo,
        LineTo,
        Ellipse,
        Rectangle,
        TextOut,
        TranslucentPolygon,
        SelectPen,
        SelectBrush,
        SelectFont,
        SetBkMode,
        SetTextColor
    };

    // The pen, brush and font as values, at the time of a call.
    struct PenValue {
        int style, width;
        COLORREF colour;
        bool operator==(const PenValue& o) const {
            return style == o.style && width == o.width && colour == o.colour;
        }
    };
    struct FontValue {
        int height;
        std::string face;
        bool operator==(const FontValue& o) const { return height == o.height && face == o.face; }
    };

    struct Call {
        Op op;
        int a = 0, b = 0, c = 0, d = 0;  // coordinates, or the mode or colour set
        std::string text;                // TextOut's text
        // TranslucentPolygon's points; its colour is in a and its opacity in b.
        std::vector<POINT> points;
        PenValue pen;  // selected when the call was made (after a Select*)
        COLORREF brush;
        FontValue font;
        int bkMode;
        COLORREF textColour;
        bool stockPen, stockBrush, stockFont;  // whether those were the stock objects
    };

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    using CDC::TextOut;
    void TextOut(int x, int y, const char* text, int length) override;
    void TranslucentPolygon(const POINT* points, int count, COLORREF colour, int alpha) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }
    // The calls of one kind, in order.
    std::vector<Call> CallsOf(Op op) const;
    size_t CountOf(Op op) const;

    // True when the stock pen, brush and font are the ones selected now.
    bool StockObjectsSelected() const;
    int CurrentX() const { return m_x; }
    int CurrentY() const { return m_y; }

  protected:
    void PenSelected(const CPen&) override { Record(Op::SelectPen); }
    void BrushSelected(const CBrush&) override { Record(Op::SelectBrush); }
    void FontSelected(const CFont&) override { Record(Op::SelectFont); }
    void BkModeSet(int mode) override { Record(Op::SetBkMode, mode); }
    void TextColorSet(COLORREF colour) override {
        Record(Op::SetTextColor, static_cast<int>(colour));
    }

  private:
    Call& Record(Op op, int a = 0, int b = 0, int c = 0, int d = 0);

    std::vector<Call> m_calls;
    int m_x = 0, m_y = 0;
};
