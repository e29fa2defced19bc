// SPDX-License-Identifier: GPL-3.0-or-later
// A named polyline of Points with a drawing range [first, last) inside its point buffer.
//
// The buffer is either owned (obtained by Allocate, freed by the Line) or lent by the
// caller (Reset or the sizing constructor; the caller keeps it alive as long as the Line
// uses it, and the Line never frees it). Once sized: 0 <= first <= last <= size, size >= 1.
// Every broken precondition ends the program with a message naming the operation.
#pragma once

#include "geo/point.h"
#include "platform/dc.h"

class Globe;

class Line {
  public:
    // Unsized: size 0, first and last -1, no buffer, empty name.
    Line() = default;
    // Sized over the lent buffer points, as Reset.
    Line(int size, Point* points, const char* name);
    virtual ~Line();
    // A Line that owns its buffer cannot be shared: no copies.
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    // n default points (the North Pole) in an owned buffer; full range; name unchanged.
    // "Line::Allocate() - illegal argument" for n < 1, "Line::Allocate() - new" when no
    // memory is to be had.
    void Allocate(int n);
    // Lends points (n of them) to the Line; full range; name copied verbatim (at most 31
    // characters). "Line::Reset() - NULL pointer" for null points, then
    // "Line::Reset() - illegal integer" for n < 1. name must not be null.
    void Reset(int n, Point* points, const char* name);
    // "Line::NthPoint() - illegal argument" unless 0 <= i < size.
    Point& NthPoint(int i);
    // Sets the drawing range; "Line::Range() - illegal arguments" unless
    // 0 <= from <= to <= size.
    void Range(int from, int to);
    // The first and the last point of the drawing range; "Line::First() - size not set
    // yet" and "Line::Last() - size not set yet" on an unsized Line.
    Point& First();
    Point& Last();
    // Copies the name with every '_' turned into a blank (at most 31 characters).
    void SetName(const char* name);

    // Draws the range through the globe's device context with a pen of (penStyle, width,
    // colour): each segment whose two ends are on the near side, and, when closed is 1,
    // the segment from the last point back to the first. Fewer than closed + 2 points
    // draw nothing. The name is written at the first point's pixel.
    void Draw(const Globe& globe, COLORREF colour, int closed, int width, int penStyle) const;

    char name[32] = {};
    int size = 0;
    int first = -1;
    int last = -1;  // one past the last point of the range
    Point* points = nullptr;
    int owns = 0;  // 1 when points was obtained by Allocate

  private:
    void Release();
};
