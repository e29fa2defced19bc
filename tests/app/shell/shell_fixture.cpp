#include "shell_fixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include "app/shell/main_frame.h"
#include "app/shell/shell_identity.h"
#include "app/shell/velmor_view.h"
#include "app/velmor_doc.h"

void PrepareTestSettings() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QString::fromLatin1(shell::kOrganisationName),
              QString::fromLatin1(shell::kApplicationName))
        .clear();
}

std::unique_ptr<CVelmorApp> StartProgram(const QStringList& arguments) {
    auto app = std::make_unique<CVelmorApp>();
    if (!app->InitInstance(arguments)) return nullptr;
    if (CMainFrame* frame = app->GetMainFrame()) {
        frame->activateWindow();
        if (!QTest::qWaitForWindowExposed(frame)) return nullptr;
    }
    return app;
}

void SetDateBar(CMainFrame* frame, const QString& year, int month, int day, int hour, int minute,
                int second) {
    frame->GetYearEdit()->setText(year);
    frame->GetMonthList()->setCurrentIndex(CMainFrame::FindComboItem(frame->GetMonthList(), month));
    frame->GetDayList()->setCurrentIndex(CMainFrame::FindComboItem(frame->GetDayList(), day));
    frame->GetHourList()->setCurrentIndex(CMainFrame::FindComboItem(frame->GetHourList(), hour));
    frame->GetMinuteList()->setCurrentIndex(
        CMainFrame::FindComboItem(frame->GetMinuteList(), minute));
    frame->GetSecondList()->setCurrentIndex(
        CMainFrame::FindComboItem(frame->GetSecondList(), second));
}

namespace {

int Selected(const QComboBox* list) {
    return list->currentIndex() < 0 ? -1 : list->currentData().toInt();
}

}  // namespace

Date_Bar_Values ReadDateBar(const CMainFrame* frame) {
    return {frame->GetYearEdit()->text(),     Selected(frame->GetMonthList()),
            Selected(frame->GetDayList()),    Selected(frame->GetHourList()),
            Selected(frame->GetMinuteList()), Selected(frame->GetSecondList())};
}

QString Date_Bar_Values::Text() const {
    return QString("%1-%2-%3 %4:%5:%6")
        .arg(year)
        .arg(month)
        .arg(day)
        .arg(hour)
        .arg(minute)
        .arg(second);
}

bool Frame_Test::Open() {
    m_app = StartProgram();
    m_frame = m_app ? m_app->GetMainFrame() : nullptr;
    m_doc = m_app ? m_app->GetDocument() : nullptr;
    return m_frame != nullptr && m_doc != nullptr;
}

void Frame_Test::Close() {
    m_app.reset();
    m_frame = nullptr;
    m_doc = nullptr;
}

void Frame_Test::Step(const QString& year, const QString& presses) {
    SetDateBar(m_frame, year, 1, 1, 0, 0, 0);
    for (const QString& press : presses.split(' ', Qt::SkipEmptyParts)) {
        QTest::mouseClick(press == ">>" ? m_frame->GetNextButton() : m_frame->GetPrevButton(),
                          Qt::LeftButton);
    }
}

bool Frame_Test::FocusOn(QWidget* widget) {
    m_frame->activateWindow();
    if (!QTest::qWaitForWindowActive(m_frame)) return false;
    widget->setFocus(Qt::OtherFocusReason);
    return QTest::qWaitFor([widget] { return widget->hasFocus(); });
}

QImage GrabMap(CMainFrame* frame) {
    return frame->GetMapView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int CountPixels(const QImage& image, const QColor& colour) {
    const QRgb wanted = colour.rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] | 0xFF000000u) == wanted) ++count;
        }
    }
    return count;
}
