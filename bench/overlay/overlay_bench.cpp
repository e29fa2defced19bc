// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the eclipse on the map: building the overlay (601 sampled minutes), and a whole
// paint of the map pane (overlay, world and eclipse lines) into a 640 by 640 picture.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "app/velmor_doc.h"
#include "overlay/eclipse_overlay.h"
#include "platform/qt/painter_dc.h"
#include "platform/qt/vector_state.h"

namespace {

CVelmorDoc& Document() {
    static CVelmorDoc doc;
    doc.m_eclipse.jde = 2451401.96105;  // the total eclipse of 11 August 1999
    doc.m_eclipse.valid = true;
    return doc;
}

void BM_BuildOverlay(benchmark::State& state) {
    CVelmorDoc& doc = Document();
    for (auto _ : state) {
        Eclipse_Overlay overlay(doc.m_eclipse.jde, *doc.m_pGlobe, &doc);
        benchmark::DoNotOptimize(overlay.drawFlags);
    }
}
BENCHMARK(BM_BuildOverlay)->Unit(benchmark::kMillisecond);

void BM_PaintMap(benchmark::State& state) {
    CVelmorDoc& doc = Document();
    QImage image(640, 640, QImage::Format_RGB32);
    // Kept from paint to paint, as a window keeps it.
    PainterTextCache texts;
    for (auto _ : state) {
        PaintThroughDC(image, Qt::white, &texts, [&](CDC& dc) {
            doc.m_pGlobe->SetDC(&dc);
            Eclipse_Overlay overlay(doc.m_eclipse.jde, *doc.m_pGlobe, &doc);
            overlay.DrawMap();
        });
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintMap)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Starting Qt leaves the upper halves of the vector registers in use, which would
    // slow down every SSE instruction measured here.
    platform::ClearVectorUpperState();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
