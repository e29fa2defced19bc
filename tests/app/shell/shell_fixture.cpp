#include "shell_fixture.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

#include "app/shell/main_frame.h"
#include "app/shell/shell_identity.h"
#include "app/shell/velmor_view.h"

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

class Paint_Counter::Filter : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
    int count = 0;
};

Paint_Counter::Paint_Counter(QWidget* widget)
    : m_filter(std::make_unique<Filter>()), m_widget(widget) {
    m_widget->installEventFilter(m_filter.get());
}

Paint_Counter::~Paint_Counter() {
    m_widget->removeEventFilter(m_filter.get());
}

int Paint_Counter::Count() const {
    return m_filter->count;
}
