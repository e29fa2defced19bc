// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/recording_dc.h"

RecordingDC::Call& RecordingDC::Record(Op op, int a, int b, int c, int d) {
    Call call;
    call.op = op;
    call.a = a;
    call.b = b;
    call.c = c;
    call.d = d;
    const CPen* pen = GetCurrentPen();
    call.pen = PenValue{pen->style, pen->width, pen->colour};
    call.brush = GetCurrentBrush()->colour;
    call.font = FontValue{GetCurrentFont()->height, GetCurrentFont()->face};
    call.bkMode = GetBkMode();
    call.textColour = GetTextColor();
    call.stockPen = pen == &m_stockPen;
    call.stockBrush = GetCurrentBrush() == &m_stockBrush;
    call.stockFont = GetCurrentFont() == &m_stockFont;
    m_calls.push_back(std::move(call));
    return m_calls.back();
}

void RecordingDC::MoveTo(int x, int y) {
    Record(Op::MoveTo, x, y);
    m_x = x;
    m_y = y;
}

void RecordingDC::LineTo(int x, int y) {
    Record(Op::LineTo, m_x, m_y, x, y);
    m_x = x;
    m_y = y;
}

void RecordingDC::Ellipse(int left, int top, int right, int bottom) {
    Record(Op::Ellipse, left, top, right, bottom);
}

void RecordingDC::Rectangle(int left, int top, int right, int bottom) {
    Record(Op::Rectangle, left, top, right, bottom);
}

void RecordingDC::TextOut(int x, int y, const char* text, int length) {
    Record(Op::TextOut, x, y).text.assign(text, static_cast<size_t>(length));
}

void RecordingDC::TranslucentPolygon(const POINT* points, int count, COLORREF colour, int alpha) {
    Call& call = Record(Op::TranslucentPolygon, static_cast<int>(colour), alpha);
    if (count > 0) call.points.assign(points, points + count);
}

std::vector<RecordingDC::Call> RecordingDC::CallsOf(Op op) const {
    std::vector<Call> out;
    for (const Call& call : m_calls)
        if (call.op == op) out.push_back(call);
    return out;
}

size_t RecordingDC::CountOf(Op op) const {
    size_t n = 0;
    for (const Call& call : m_calls) n += call.op == op;
    return n;
}

bool RecordingDC::StockObjectsSelected() const {
    return GetCurrentPen() == &m_stockPen && GetCurrentBrush() == &m_stockBrush &&
           GetCurrentFont() == &m_stockFont;
}
