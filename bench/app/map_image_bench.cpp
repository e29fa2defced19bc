// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the whole world map drawn into a 640 by 640 image through Qt's painter, with
// the shipped data files beside the program.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "app/velmor_doc.h"
#include "platform/qt/painter_dc.h"
#include "platform/qt/vector_state.h"

namespace {

// The globe facing latitude state.range(0), longitude state.range(1).
void BM_DrawWorldImage(benchmark::State& state) {
    CVelmorDoc doc;
    doc.m_pGlobe->SetLatitude(static_cast<double>(state.range(0)));
    doc.m_pGlobe->SetLongitude(static_cast<double>(state.range(1)));
    QImage image(640, 640, QImage::Format_RGB32);
    // Kept from paint to paint, as a window keeps it.
    PainterTextCache texts;
    for (auto _ : state) {
        PaintThroughDC(image, Qt::white, &texts, [&](CDC& dc) {
            doc.m_pGlobe->SetDC(&dc);
            doc.DrawWorld();
            doc.m_pGlobe->SetDC(nullptr);
        });
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawWorldImage)
    ->Args({0, 0})
    ->Args({52, 21})
    ->Args({40, -100})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);  // fonts
    // Starting Qt leaves the upper halves of the vector registers in use, which would
    // slow down every SSE instruction measured here.
    platform::ClearVectorUpperState();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
