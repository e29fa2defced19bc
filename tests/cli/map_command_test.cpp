// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/map_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <tuple>

namespace {

// Runs the map command with args and "-o" a temporary FILE.ext, and returns the file's bytes.
QByteArray Draw(std::vector<std::string> args, const std::string& ext = ".png") {
    const std::string path = testing::TempDir() + "velmor-map-" + std::to_string(getpid()) + ext;
    args.insert(args.begin(), "map");
    args.insert(args.end(), {"-o", path});
    EXPECT_EQ(RunCommandLine(args, {MapCommand()}, "test"), 0);
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.remove();
    return bytes;
}

int CountPixels(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    return n;
}

// The sea at about 0 N, 10 W has the disc's colour. The total eclipse of 11 August 1999 is
// drawn in green on the globe turned to the sub-solar point; a given centre turns most of its
// track away.
TEST(MapCommand, DrawsTheWorldAndTheEclipse) {
    const QRgb WHITE = qRgb(255, 255, 255), BLACK = qRgb(0, 0, 0), GREEN = qRgb(0, 255, 0);
    const QImage world = QImage::fromData(Draw({}));
    ASSERT_EQ(world.size(), QSize(640, 640));
    const std::tuple<int, int, QRgb> pixels[] = {
        {0, 0, WHITE},     {639, 639, WHITE}, {320, 638, WHITE},  // outside, excluded bottom edge
        {320, 637, BLACK}, {320, 2, BLACK},   {265, 322, qRgb(40, 166, 254)}};  // outline, sea
    for (const auto& [x, y, colour] : pixels) EXPECT_EQ(world.pixel(x, y), colour) << x << "," << y;
    EXPECT_EQ(CountPixels(world, GREEN), 0);
    const int facing =
        CountPixels(QImage::fromData(Draw({"--from", "1999-08-01", "--next"})), GREEN);
    EXPECT_GT(facing, 2000);
    const QByteArray turned = Draw({"--from", "1999-08-01", "--next", "--centre", "-30,-120"});
    EXPECT_LT(CountPixels(QImage::fromData(turned), GREEN), facing);
    EXPECT_EQ(Draw({"--centre=-30,-120", "--next", "--from=1999-08-01"}), turned);
    EXPECT_TRUE(Draw({"--centre", "52,21"}, ".svg").startsWith("<?xml"));
}

// --precise draws the precise engine's lines in red over the eclipse's green ones, and
// nothing more for an eclipse whose penumbra misses the Earth in the engine (3 November
// 3205, a grazing partial of the lunation method).
TEST(MapCommand, DrawsThePreciseLinesOverTheEclipse) {
    const QRgb RED = qRgb(220, 0, 40), GREEN = qRgb(0, 255, 0);
    const QImage plain = QImage::fromData(Draw({"--from", "2024-04-01", "--next"}));
    const QImage precise = QImage::fromData(Draw({"--from", "2024-04-01", "--next", "--precise"}));
    EXPECT_EQ(CountPixels(plain, RED), 0);
    EXPECT_GT(CountPixels(precise, RED), 1000);
    // The green lines are still there, under the red ones.
    EXPECT_GT(CountPixels(precise, GREEN), CountPixels(plain, GREEN) / 2);
    EXPECT_EQ(Draw({"--jde", "2891968.932685", "--precise"}), Draw({"--jde", "2891968.932685"}));
}

}  // namespace
