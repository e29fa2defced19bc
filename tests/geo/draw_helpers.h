// Shared by the drawing tests: the document's globe drawing into a recording device
// context, and checks on what was recorded.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "geo/globe.h"
#include "platform/recording_dc.h"

using Op = RecordingDC::Op;

struct RecordedGlobe {
    RecordingDC dc;
    Globe globe{320.0, 320.0, 318.0, 0.0, 0.0, 0.0};
    RecordedGlobe() { globe.SetDC(&dc); }
};

// The segments drawn, as (x0, y0, x1, y1).
inline std::vector<std::vector<int>> Segments(const RecordingDC& dc) {
    std::vector<std::vector<int>> out;
    for (const auto& call : dc.CallsOf(Op::LineTo)) out.push_back({call.a, call.b, call.c, call.d});
    return out;
}

// After an operation: the stock objects are selected again and nothing was deleted while
// selected.
inline void ExpectObjectsReleased(const RecordingDC& dc) {
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.ObjectFaults(), 0);
}

inline RecordingDC::FontValue LabelFont() {
    return {12, "Arial"};
}
