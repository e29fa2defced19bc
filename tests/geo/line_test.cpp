#include "geo/line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geo/world_lines.h"
#include "platform/fatal.h"

namespace {

#define EXPECT_FATAL(statement, message) \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(platform::FATAL_EXIT_STATUS), message)

// size, first, last and owns, in that order.
std::vector<int> Shape(const Line& line) {
    return {line.size, line.first, line.last, line.owns};
}

TEST(Line, AllocateRangeAndResetKeepTheirBookkeeping) {
    Line line;
    EXPECT_EQ(Shape(line), (std::vector<int>{0, -1, -1, 0}));
    EXPECT_EQ(line.points, nullptr);
    EXPECT_STREQ(line.name, "");

    line.SetName("Kept");
    line.Allocate(5);  // an owned buffer of North Poles
    EXPECT_EQ(Shape(line), (std::vector<int>{5, 0, 5, 1}));
    EXPECT_STREQ(line.name, "Kept");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(line.NthPoint(i).colatitude, 0.0f);
        EXPECT_EQ(line.NthPoint(i).longitude, 0.0f);
    }
    EXPECT_EQ(&line.First(), &line.points[0]);
    EXPECT_EQ(&line.Last(), &line.points[4]);
    line.Range(1, 3);
    EXPECT_EQ(&line.First(), &line.points[1]);
    EXPECT_EQ(&line.Last(), &line.points[2]);
    line.Range(0, 0);  // empty ranges accepted
    EXPECT_EQ(Shape(line), (std::vector<int>{5, 0, 0, 1}));
    line.Range(5, 5);
    line.Range(2, 3);
    line.Allocate(6);  // the full range again
    EXPECT_EQ(Shape(line), (std::vector<int>{6, 0, 6, 1}));

    Point buffer[4];
    line.Reset(4, buffer, "");  // lent, full range
    EXPECT_EQ(line.points, buffer);
    EXPECT_EQ(Shape(line), (std::vector<int>{4, 0, 4, 0}));
    line.Range(1, 2);
    line.Reset(3, buffer, "");
    EXPECT_EQ(Shape(line), (std::vector<int>{3, 0, 3, 0}));
}

TEST(Line, NamesAreCopiedVerbatimAndSetNameBlanksUnderscores) {
    Point buffer[3];
    Line line(3, buffer, "New_York");
    EXPECT_EQ(line.points, buffer);
    EXPECT_EQ(Shape(line), (std::vector<int>{3, 0, 3, 0}));
    EXPECT_STREQ(line.name, "New_York");
    line.SetName("New_York");
    EXPECT_STREQ(line.name, "New York");
    std::string forty(40, 'q');
    forty[3] = '_';
    line.Reset(2, buffer, forty.c_str());
    EXPECT_EQ(std::string(line.name), forty.substr(0, 31));
    line.SetName(forty.c_str());
    EXPECT_EQ(std::string(line.name), "qqq " + std::string(27, 'q'));
}

TEST(Line, OnlyOwnedBuffersAreFreed) {
    // A free of the stack buffer, or a leak, shows as a failure of the sanitizer build.
    Point buffer[2] = {Point(10.0, 20.0), Point(30.0, 40.0)};
    {
        Line line(2, buffer, "");
        line.Allocate(4);
        EXPECT_NE(line.points, buffer);
        EXPECT_EQ(line.owns, 1);
        line.Allocate(100);
        line.Reset(2, buffer, "");
        EXPECT_EQ(line.owns, 0);
        line.Allocate(10);
    }
    EXPECT_EQ(buffer[1].colatitude, Point(30.0, 40.0).colatitude);
    Land* lands = new Land[3];
    for (int i = 0; i < 3; ++i) lands[i].Allocate(7);
    delete[] lands;
    Line* asLine = new River();
    asLine->Reset(2, buffer, "");
    delete asLine;  // virtual destruction, lent buffer untouched
}

TEST(LineDeathTest, EveryBrokenPreconditionEndsTheProgram) {
    Point buffer[5];
    Line line;
    EXPECT_FATAL(line.First(), "^Line::First\\(\\) - size not set yet\n$");
    EXPECT_FATAL(line.Last(), "^Line::Last\\(\\) - size not set yet\n$");
    EXPECT_FATAL(line.NthPoint(0), "^Line::NthPoint\\(\\) - illegal argument\n$");
    EXPECT_FATAL(line.Allocate(0), "^Line::Allocate\\(\\) - illegal argument\n$");
    EXPECT_FATAL(line.Allocate(-3), "^Line::Allocate\\(\\) - illegal argument\n$");
    EXPECT_FATAL(line.Reset(2, nullptr, ""), "^Line::Reset\\(\\) - NULL pointer\n$");
    // The null buffer is reported before the size.
    EXPECT_FATAL(line.Reset(0, nullptr, ""), "^Line::Reset\\(\\) - NULL pointer\n$");
    EXPECT_FATAL(line.Reset(0, buffer, ""), "^Line::Reset\\(\\) - illegal integer\n$");
    EXPECT_FATAL(Line(-1, buffer, ""), "^Line::Reset\\(\\) - illegal integer\n$");

    line.Allocate(5);
    EXPECT_FATAL(line.NthPoint(-1), "^Line::NthPoint\\(\\) - illegal argument\n$");
    EXPECT_FATAL(line.NthPoint(5), "^Line::NthPoint\\(\\) - illegal argument\n$");
    EXPECT_FATAL(line.Range(2, 6), "^Line::Range\\(\\) - illegal arguments\n$");
    EXPECT_FATAL(line.Range(-1, 2), "^Line::Range\\(\\) - illegal arguments\n$");
    EXPECT_FATAL(line.Range(3, 2), "^Line::Range\\(\\) - illegal arguments\n$");
    line.Range(0, 0);
    // An empty range has no last point: Last asks for point -1.
    EXPECT_FATAL(line.Last(), "^Line::NthPoint\\(\\) - illegal argument\n$");
    line.Range(5, 5);
    EXPECT_FATAL(line.First(), "^Line::NthPoint\\(\\) - illegal argument\n$");
}

}  // namespace
