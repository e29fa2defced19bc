// SPDX-License-Identifier: GPL-3.0-or-later
// What a user of the desktop program waits for, on the offscreen platform: the whole
// reaction to ">>" (the step to the next eclipse, the synchronous repaint of the map pane
// with the rebuilt overlay and world map, the rebuilt details list) and one turn of the
// globe by the Right arrow key with its synchronous repaint. Each must stay well under a
// frame of 16 ms, also with the precise picture on and a place picked (each step then
// computes the precise eclipse of a new eclipse and the place's local circumstances).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>

#include "app/shell/date_bar.h"
#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/velmor_app.h"
#include "app/shell/velmor_view.h"
#include "app/velmor_doc.h"
#include "platform/qt/vector_state.h"

namespace {

CVelmorApp* g_app = nullptr;

void SetDateBar(CMainFrame* frame, const char* year, int month, int day) {
    frame->GetDateBar()->GetYearEdit()->setText(QString::fromLatin1(year));
    frame->GetDateBar()->GetMonthList()->setCurrentIndex(
        CDateBar::FindComboItem(frame->GetDateBar()->GetMonthList(), month));
    frame->GetDateBar()->GetDayList()->setCurrentIndex(
        CDateBar::FindComboItem(frame->GetDateBar()->GetDayList(), day));
    for (QComboBox* list :
         {frame->GetDateBar()->GetHourList(), frame->GetDateBar()->GetMinuteList(),
          frame->GetDateBar()->GetSecondList()}) {
        list->setCurrentIndex(0);
    }
}

void BM_NextEclipseButton(benchmark::State& state) {
    CMainFrame* frame = g_app->GetMainFrame();
    int paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        SetDateBar(frame, "2001", 1, 1);
        g_app->GetDocument()->m_bCentreSet = true;
        state.ResumeTiming();
        frame->GetDateBar()->GetNextButton()->click();
        state.PauseTiming();
        paints += g_app->GetDocument()->m_bCentreSet;  // set again only by the repaint
        state.ResumeTiming();
    }
    if (paints != static_cast<int>(state.iterations()) ||
        frame->GetTreeView()->Lines().value(0) != QLatin1String("Date = 2001 June 21")) {
        state.SkipWithError("the step did not repaint the map or fill the list");
    }
}
BENCHMARK(BM_NextEclipseButton)->Unit(benchmark::kMillisecond);

void BM_TurnEastByArrowKey(benchmark::State& state) {
    CMainFrame* frame = g_app->GetMainFrame();
    SetDateBar(frame, "2001", 1, 1);
    frame->GetDateBar()->GetNextButton()->click();
    CVelmorDoc* document = g_app->GetDocument();
    QWidget* target = frame->GetTreeView();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    if (!document->m_bCentreSet) state.SkipWithError("the globe was never painted");
}
BENCHMARK(BM_TurnEastByArrowKey)->Unit(benchmark::kMillisecond);

// ">>" with the precise picture and a place: the steps alternate between two eclipses, so
// that each one computes its precise eclipse afresh.
void BM_NextEclipseButtonPrecise(benchmark::State& state) {
    CMainFrame* frame = g_app->GetMainFrame();
    CVelmorDoc* document = g_app->GetDocument();
    document->m_bPrecise = true;
    document->SetPlace({40.4168, -3.7038, 650.0});
    const int computedBefore = document->PreciseComputations();
    static bool second = false;  // on from the last run, whose eclipse is still kept
    for (auto _ : state) {
        state.PauseTiming();
        SetDateBar(frame, "2001", second ? 7 : 1, 1);
        second = !second;
        state.ResumeTiming();
        frame->GetDateBar()->GetNextButton()->click();
    }
    const bool computedEach =
        document->PreciseComputations() - computedBefore == static_cast<int>(state.iterations());
    const bool listed = frame->GetTreeView()->Lines().size() > 12;
    document->m_bPrecise = false;
    document->ClearPlace();
    if (!computedEach || !listed)
        state.SkipWithError("the precise eclipse was not computed for each step or not listed");
}
BENCHMARK(BM_NextEclipseButtonPrecise)->Unit(benchmark::kMillisecond);

// A turn with the precise picture on: its lines are drawn again, not computed.
void BM_TurnEastByArrowKeyPrecise(benchmark::State& state) {
    CMainFrame* frame = g_app->GetMainFrame();
    CVelmorDoc* document = g_app->GetDocument();
    document->m_bPrecise = true;
    SetDateBar(frame, "2001", 1, 1);
    frame->GetDateBar()->GetNextButton()->click();
    const int computed = document->PreciseComputations();
    QWidget* target = frame->GetTreeView();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    const bool kept = document->PreciseComputations() == computed;
    document->m_bPrecise = false;
    if (!kept) state.SkipWithError("a turn computed the precise eclipse again");
}
BENCHMARK(BM_TurnEastByArrowKeyPrecise)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    int qtArgc = 1;
    QApplication qt(qtArgc, argv);
    platform::ClearVectorUpperState();  // as the program does after starting Qt
    CVelmorApp app;
    if (!app.InitInstance({QStringLiteral("velmor")})) return 1;
    // The window at its preferred size shows the whole globe, whatever the screen.
    CMainFrame* frame = app.GetMainFrame();
    frame->resize(frame->sizeHint() + QSize(frame->findChild<QSplitter*>()->handleWidth(), 0));
    QApplication::processEvents();
    g_app = &app;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
