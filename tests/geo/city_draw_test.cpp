#include <gtest/gtest.h>

#include <vector>

#include "draw_helpers.h"
#include "geo/city.h"

namespace {

struct CityCase {
    const char* label;
    double latitude, longitude;
    bool square, name;
};

TEST(CityDraw, SquareOnTheNearSideNameNearTheMiddle) {
    const CityCase cases[] = {
        {"at the view centre", 0, 0, true, true},    {"44 degrees away", 44, 0, true, true},
        {"50 degrees away", 0, 50, true, false},     {"near the rim", 0, 89, true, false},
        {"on the far side", -45, 135, false, false},
    };
    for (const CityCase& c : cases) {
        SCOPED_TRACE(c.label);
        RecordedGlobe r;
        City city(c.latitude, c.longitude, "Sao_Paulo");
        city.Draw(r.globe);
        int x, y;
        city.Project(r.globe, x, y);
        const auto squares = r.dc.CallsOf(Op::Rectangle);
        ASSERT_EQ(squares.size(), c.square ? 1u : 0u);
        if (!c.square) {
            EXPECT_TRUE(r.dc.Calls().empty());
            continue;
        }
        EXPECT_EQ(squares[0].a, x - 2);
        EXPECT_EQ(squares[0].b, y - 2);
        EXPECT_EQ(squares[0].c, x + 2);
        EXPECT_EQ(squares[0].d, y + 2);
        EXPECT_EQ(squares[0].pen, (RecordingDC::PenValue{PS_SOLID, 1, 0x00FFFF}));
        EXPECT_EQ(squares[0].brush, 0x00FFFFu);
        EXPECT_EQ(squares[0].font, LabelFont());
        const auto texts = r.dc.CallsOf(Op::TextOut);
        ASSERT_EQ(texts.size(), c.name ? 1u : 0u);
        if (c.name) {
            EXPECT_EQ(texts[0].text, "Sao Paulo");
            EXPECT_EQ(texts[0].a, x);
            EXPECT_EQ(texts[0].b, y);
            EXPECT_EQ(texts[0].textColour, 0u);
            EXPECT_EQ(texts[0].bkMode, TRANSPARENT);
        }
        ExpectObjectsReleased(r.dc);
    }
}

TEST(CityDraw, ObjectsAreSelectedAndRestoredInOrder) {
    RecordedGlobe r;
    City(0, 0, "Accra").Draw(r.globe);
    std::vector<Op> ops;
    for (const auto& call : r.dc.Calls()) ops.push_back(call.op);
    EXPECT_EQ(ops, (std::vector<Op>{Op::SelectPen, Op::SelectFont, Op::SelectBrush, Op::Rectangle,
                                    Op::SetTextColor, Op::SetBkMode, Op::TextOut, Op::SelectFont,
                                    Op::SelectBrush, Op::SelectPen}));
    ExpectObjectsReleased(r.dc);
}

}  // namespace
