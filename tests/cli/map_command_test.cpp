#include "cli/map_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class MapCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/velmor_map_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = std::string(pattern) + "/";
    }
    void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }
    bool Exists(const std::string& name) const { return access((m_dir + name).c_str(), F_OK) == 0; }
    std::string m_dir;
};

TEST_F(MapCommandTest, DrawsTheWorldIntoA640PixelPng) {
    ASSERT_EQ(RunMapCommand({"-o", m_dir + "world.png"}), 0);
    QImage image(QString::fromStdString(m_dir + "world.png"));
    ASSERT_EQ(image.width(), 640);
    ASSERT_EQ(image.height(), 640);
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_EQ(image.pixel(0, 0), white);
    EXPECT_EQ(image.pixel(639, 639), white);
    EXPECT_EQ(image.pixel(1, 320), white);
    EXPECT_EQ(image.pixel(320, 2), qRgb(0, 0, 0));  // the disc's outline
    EXPECT_EQ(image.pixel(320, 638), white);        // bottom row excluded
    EXPECT_EQ(image.pixel(320, 637), qRgb(0, 0, 0));
    // Mid-Atlantic south of Ghana (about 0 N, 10 W) is sea: the disc's colour.
    EXPECT_EQ(image.pixel(265, 322), qRgb(40, 166, 254));
    // Something is drawn in black (coasts) and yellow (cities).
    int black = 0, yellow = 0;
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 640; ++x) {
            black += image.pixel(x, y) == qRgb(0, 0, 0);
            yellow += image.pixel(x, y) == qRgb(255, 255, 0);
        }
    EXPECT_GT(black, 5000);
    EXPECT_GT(yellow, 100);
}

TEST_F(MapCommandTest, CentreTurnsTheGlobe) {
    ASSERT_EQ(RunMapCommand({"--centre", "0,0", "-o", m_dir + "a.png"}), 0);
    ASSERT_EQ(RunMapCommand({"--centre", "-33.5,151", "-o", m_dir + "b.png"}), 0);
    ASSERT_EQ(RunMapCommand({"-o", m_dir + "c.png"}), 0);
    QImage a(QString::fromStdString(m_dir + "a.png"));
    QImage b(QString::fromStdString(m_dir + "b.png"));
    QImage c(QString::fromStdString(m_dir + "c.png"));
    EXPECT_NE(a, b);
    EXPECT_EQ(a, c);  // 0,0 is the default
}

TEST_F(MapCommandTest, WritesSvg) {
    ASSERT_EQ(RunMapCommand({"-o", m_dir + "world.svg", "--centre", "52,21"}), 0);
    FILE* f = std::fopen((m_dir + "world.svg").c_str(), "r");
    ASSERT_NE(f, nullptr);
    char head[256] = {};
    EXPECT_GT(std::fread(head, 1, sizeof head - 1, f), 0u);
    std::fclose(f);
    EXPECT_NE(std::string(head).find("<?xml"), std::string::npos);
}

int CountGreen(const QImage& image) {
    int green = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) green += image.pixel(x, y) == qRgb(0, 255, 0);
    return green;
}

// The total eclipse of 11 August 1999: found by stepping, drawn over the world in green,
// with the globe facing the sub-solar point (northern summer: the North Pole is in view, so
// the grid's top end lies below the disc's top). A given centre turns it as the user would.
TEST_F(MapCommandTest, DrawsTheEclipseFoundByStepping) {
    ASSERT_EQ(RunMapCommand({"--from", "1999-08-01", "--next", "-o", m_dir + "a.png"}), 0);
    ASSERT_EQ(RunMapCommand({"--jde", "2451401.961376", "-o", m_dir + "b.png"}), 0);
    ASSERT_EQ(
        RunMapCommand({"--jde", "2451401.961376", "--centre", "-30,-120", "-o", m_dir + "c.png"}),
        0);
    ASSERT_EQ(RunMapCommand({"--centre", "-30,-120", "-o", m_dir + "d.png"}), 0);
    QImage a(QString::fromStdString(m_dir + "a.png"));
    QImage b(QString::fromStdString(m_dir + "b.png"));
    QImage c(QString::fromStdString(m_dir + "c.png"));
    QImage d(QString::fromStdString(m_dir + "d.png"));
    EXPECT_GT(CountGreen(a), 2000);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_EQ(CountGreen(d), 0);              // the world alone
    EXPECT_LT(CountGreen(c), CountGreen(a));  // the shadow's track is mostly out of view
}

struct ErrorCase {
    const char* label;
    std::vector<std::string> args;
    const char* says;
};

TEST_F(MapCommandTest, ErrorsSayOneLineAndWriteNothing) {
    const ErrorCase cases[] = {
        {"no output", {"--centre", "0,0"}, "missing -o"},
        {"no arguments", {}, "missing -o"},
        {"centre without a comma", {"--centre", "10", "-o", "x.png"}, "--centre wants"},
        {"centre with words", {"--centre", "north,0", "-o", "x.png"}, "--centre wants"},
        {"latitude beyond the pole", {"--centre", "91,0", "-o", "x.png"}, "--centre wants"},
        {"centre without value", {"-o", "x.png", "--centre"}, "--centre needs"},
        {"two centres", {"--centre", "1,1", "--centre", "2,2", "-o", "x.png"}, "twice"},
        {"unknown option", {"--zoom", "2", "-o", "x.png"}, "unknown argument '--zoom'"},
        {"other picture kind", {"-o", "x.jpg"}, "must end in .png or .svg"},
        {"output without value", {"-o"}, "-o needs"},
        {"invalid date", {"--from", "2001-02-30", "--next", "-o", "x.png"}, "invalid date"},
        {"date without direction", {"--from", "2001-01-01", "-o", "x.png"}, "--next"},
        {"instant and date", {"--jde", "2451401.9", "--prev", "-o", "x.png"}, "excludes"},
        {"instant out of range", {"--jde", "-5000", "-o", "x.png"}, "invalid instant"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<std::string> args = c.args;
        for (std::string& a : args)
            if (a == "x.png" || a == "x.jpg") a = m_dir + a;
        testing::internal::CaptureStderr();
        EXPECT_EQ(RunMapCommand(args), 2);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        EXPECT_EQ(said.rfind("velmor-cli map: ", 0), 0u) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;  // one line
        EXPECT_FALSE(Exists("x.png"));
        EXPECT_FALSE(Exists("x.jpg"));
    }
}

TEST_F(MapCommandTest, AnUnwritablePlaceIsReportedWithoutLeftovers) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunMapCommand({"-o", m_dir + "missing/world.png"}), 2);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot write"), std::string::npos) << said;
    EXPECT_FALSE(Exists("missing"));
}

}  // namespace
