// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geo/line.h"
#include "geo/named_point.h"
#include "tests/platform/fatal_exit.h"

TEST(Names, UnderscoresBecomeBlanksExceptThroughLineResetAndOnly31CharactersAreKept) {
    const struct {
        std::string source, blanked;
    } cases[] = {
        {"New_York", "New York"},
        {std::string(31, 'a'), std::string(31, 'a')},
        {"Llanfairpwllgwyngyll_gogerychwyrndrob", "Llanfairpwllgwyngyll gogerychwy"},
    };
    Point buffer[2];
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const char* source = c.source.c_str();
        Named_Point made(10, 20, source), reset(0, 0, "Rio_de_Janeiro_and_more");
        reset.ResetGeo(10, 20, source);
        Line line(2, buffer, "Rio_de_Janeiro_and_more");
        line.Reset(2, buffer, source);
        EXPECT_EQ(line.name, c.source.substr(0, 31));
        line.SetName(source);
        for (const char* name : {made.name, reset.name, line.name}) EXPECT_EQ(name, c.blanked);
        EXPECT_EQ(reset.colatitude, made.colatitude);
        EXPECT_EQ(reset.longitude, made.longitude);
    }
}

static Line& OwnedFive(int from, int to) {
    static Line line;
    line.Allocate(5);
    line.Range(from, to);
    return line;
}

TEST(GeoDeathTest, EveryBrokenPreconditionEndsTheProgramWithItsMessage) {
    const struct {
        const char* message;
        void (*run)();
    } cases[] = {
        {"Named_Point::Named_Point() - NULL pointer", [] { Named_Point(1, 2, nullptr); }},
        {"Named_Point::ResetGeo() - NULL pointer", [] { Named_Point().ResetGeo(1, 2, nullptr); }},
        {"Line::First() - size not set yet", [] { Line().First(); }},
        {"Line::Last() - size not set yet", [] { Line().Last(); }},
        {"Line::Allocate() - illegal argument", [] { Line().Allocate(0); }},
        {"Line::Reset() - NULL pointer", [] { Line().Reset(0, nullptr, ""); }},
        {"Line::Reset() - illegal integer", [] { Line(0, OwnedFive(0, 5).points, ""); }},
        {"Line::NthPoint() - illegal argument", [] { OwnedFive(0, 5).NthPoint(5); }},
        {"Line::NthPoint() - illegal argument", [] { OwnedFive(0, 0).Last(); }},  // point -1
        {"Line::Range() - illegal arguments", [] { OwnedFive(2, 6); }},
        {"Line::Range() - illegal arguments", [] { OwnedFive(3, 2); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_FATAL(c.run(), c.message);
    }
}
