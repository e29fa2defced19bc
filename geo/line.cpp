// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/line.h"

#include <cstring>
#include <new>

#include "geo/named_point.h"
#include "platform/fatal.h"

Line::Line(int n, Point* lent, const char* newName) {
    Reset(n, lent, newName);
}

Line::~Line() {
    Release();
}

void Line::Release() {
    if (owns != 0) delete[] points;
    points = nullptr;
    owns = 0;
}

void Line::Allocate(int n) {
    if (n < 1) platform::FatalAppExit("Line::Allocate() - illegal argument");
    Release();
    size = n;
    points = new (std::nothrow) Point[static_cast<size_t>(n)];
    if (points == nullptr) platform::FatalAppExit("Line::Allocate() - new");
    owns = 1;
    first = 0;
    last = n;
}

void Line::Reset(int n, Point* lent, const char* newName) {
    if (lent == nullptr) platform::FatalAppExit("Line::Reset() - NULL pointer");
    if (n < 1) platform::FatalAppExit("Line::Reset() - illegal integer");
    Release();
    size = n;
    first = 0;
    last = n;
    points = lent;
    owns = 0;
    std::strncpy(name, newName, 31);
    name[31] = '\0';
}

Point& Line::NthPoint(int i) {
    if (i < 0 || i >= size) platform::FatalAppExit("Line::NthPoint() - illegal argument");
    return points[i];
}

void Line::Range(int from, int to) {
    if (from < 0 || to > size || from > to)
        platform::FatalAppExit("Line::Range() - illegal arguments");
    first = from;
    last = to;
}

Point& Line::First() {
    if (first == -1) platform::FatalAppExit("Line::First() - size not set yet");
    return NthPoint(first);
}

Point& Line::Last() {
    if (last == -1) platform::FatalAppExit("Line::Last() - size not set yet");
    return NthPoint(last - 1);
}

void Line::SetName(const char* newName) {
    CopyNameWithBlanks(name, newName);
}
