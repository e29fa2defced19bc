// The main window driven as a user would on the offscreen platform: the start-up state, the
// steps between eclipses, turning the globe and the new-document command.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>

#include "app/shell/date_bar.h"
#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/velmor_app.h"
#include "app/shell/velmor_view.h"
#include "app/velmor_doc.h"

namespace {

const QStringList kJune2001Lines = {"Date = 2001 June 21", "TD = 12:05:05", "UT-TD [s] = -103",
                                    "Type = Total "};

QList<QComboBox*> Lists(const CMainFrame* frame) {
    return {frame->GetDateBar()->GetMonthList(), frame->GetDateBar()->GetDayList(),
            frame->GetDateBar()->GetHourList(), frame->GetDateBar()->GetMinuteList(),
            frame->GetDateBar()->GetSecondList()};
}

// The date bar as "year month day hour minute second", numbers from the lists' item data.
QString DateBar(const CMainFrame* frame) {
    QStringList parts{frame->GetDateBar()->GetYearEdit()->text()};
    for (const QComboBox* list : Lists(frame)) parts << list->currentData().toString();
    return parts.join(' ');
}

void SetDateBar(CMainFrame* frame, const QString& text) {
    const QStringList parts = text.split(' ');
    frame->GetDateBar()->GetYearEdit()->setText(parts[0]);
    for (int i = 0; i < 5; ++i) {
        QComboBox* list = Lists(frame)[i];
        list->setCurrentIndex(CDateBar::FindComboItem(list, parts[i + 1].toInt()));
    }
}

int CountPixels(CMainFrame* frame, const QColor& colour) {
    const QImage image =
        frame->GetMapView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour.rgb();
    }
    return count;
}

struct Paint_Counter : QObject {
    explicit Paint_Counter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

struct Turn {
    const char* label;
    const char* action;
    Qt::Key key;
    double latitude, longitude, newLatitude, newLongitude;  // degrees
};

}  // namespace

Q_DECLARE_METATYPE(Turn)

class MainFrameTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CVelmorApp> m_app;
    CMainFrame* m_frame = nullptr;
    CVelmorDoc* m_doc = nullptr;

    void Press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void StepFrom2001() {
        SetDateBar(m_frame, "2001 1 1 0 0 0");
        Press(m_frame->GetDateBar()->GetNextButton());
    }
    bool FocusOn(QWidget* widget) {
        widget->setFocus(Qt::OtherFocusReason);
        return QTest::qWaitFor([widget] { return widget->hasFocus(); });
    }

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        m_app = std::make_unique<CVelmorApp>();
        QVERIFY(m_app->InitInstance({"velmor"}));
        m_frame = m_app->GetMainFrame();
        m_doc = m_app->GetDocument();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
    }
    void cleanup() { m_app.reset(); }

    void startUpState() {
        const QStringList shown = DateBar(m_frame).split(' ');
        const QDateTime read(QDate(shown[0].toInt(), shown[1].toInt(), shown[2].toInt()),
                             QTime(shown[3].toInt(), shown[4].toInt(), shown[5].toInt()));
        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY2(read >= now.addSecs(-65) && read <= now, qPrintable(shown.join(' ')));
        QVERIFY(m_frame->GetTreeView()->Lines().isEmpty());
        const QSize size = m_frame->GetMapView()->size();
        QCOMPARE(CountPixels(m_frame, m_frame->GetMapView()->palette().color(QPalette::Base)),
                 size.width() * size.height());
        // Nothing turns before a paint has recorded a centre.
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        Paint_Counter paints(m_frame->GetMapView());
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(m_frame->GetTreeView(), key);
        }
        QCOMPARE(paints.count, 0);
        QCOMPARE(m_doc->m_dCentreLat, 0.0);
        QCOMPARE(m_doc->m_dCentreLon, 0.0);
    }

    void stepsWalkFromEclipseToEclipse() {
        StepFrom2001();
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        QCOMPARE(DateBar(m_frame), QString("2001 6 21 12 5 5"));
        QVERIFY2(CountPixels(m_frame, QColor(40, 166, 254)) > 200000, "no globe");
        QVERIFY2(CountPixels(m_frame, QColor(0, 255, 0)) > 500, "no eclipse overlay");
        // Each press steps from the instant the last one put in the date bar, which the list shows.
        const struct {
            bool next;
            const char* dateLine;
        } walk[] = {{true, "Date = 2001 December 14"},
                    {false, "Date = 2001 June 21"},
                    {false, "Date = 2000 December 25"}};
        for (const auto& step : walk) {
            Press(step.next ? m_frame->GetDateBar()->GetNextButton()
                            : m_frame->GetDateBar()->GetPrevButton());
            const QStringList lines = m_frame->GetTreeView()->Lines(),
                              bar = DateBar(m_frame).split(' ');
            QCOMPARE(lines.value(0), QString(step.dateLine));
            QCOMPARE(lines.value(1), QString::asprintf("TD = %02d:%02d:%02d", bar[3].toInt(),
                                                       bar[4].toInt(), bar[5].toInt()));
        }
    }

    void invalidDateChangesNothingButTheRecordedCentre_data() {
        QTest::addColumn<QString>("date");
        QTest::newRow("31 April") << "2001 4 31 3 4 5";
        QTest::newRow("year 70000") << "70000 1 1 3 4 5";
        QTest::newRow("year of 25 digits") << "1234567890123456789012345 1 1 3 4 5";
    }

    void invalidDateChangesNothingButTheRecordedCentre() {
        QFETCH(QString, date);
        StepFrom2001();
        m_frame->OnViewEast();
        const double jde = m_doc->m_eclipse.jde;
        const double latitude = m_doc->m_dCentreLat, longitude = m_doc->m_dCentreLon;
        const QStringList lines = m_frame->GetTreeView()->Lines();
        SetDateBar(m_frame, date);
        Paint_Counter paints(m_frame->GetMapView());
        Press(m_frame->GetDateBar()->GetNextButton());
        QCOMPARE(m_doc->m_bCentreSet, 0);
        QCOMPARE(m_doc->m_eclipse.jde, jde);
        QCOMPARE(m_doc->m_dCentreLat, latitude);
        QCOMPARE(m_doc->m_dCentreLon, longitude);
        QCOMPARE(m_frame->GetTreeView()->Lines(), lines);
        QCOMPARE(DateBar(m_frame), date);
        QCOMPARE(paints.count, 0);
        // The next paint takes the sub-solar point afresh, undoing the turn.
        m_frame->GetMapView()->repaint();
        QCOMPARE(m_doc->m_dCentreLon, longitude - 30.0);
    }

    void turningStepsAndBounds_data() {
        QTest::addColumn<Turn>("turn");
        QTest::addColumn<bool>("byMenu");  // else by the arrow key
        const Turn turns[] = {
            {"East 330 to 360", "ID_VIEW_EAST", Qt::Key_Right, 0, 330, 0, 360},
            {"East 360 wraps to 30", "ID_VIEW_EAST", Qt::Key_Right, 0, 360, 0, 30},
            {"East -75 to -45", "ID_VIEW_EAST", Qt::Key_Right, 0, -75, 0, -45},
            {"West 0 wraps to 330", "ID_VIEW_WEST", Qt::Key_Left, 0, 0, 0, 330},
            {"West 360 to 330", "ID_VIEW_WEST", Qt::Key_Left, 0, 360, 0, 330},
            {"North 80 stops at 90", "ID_VIEW_NORTH", Qt::Key_Up, 80, 10, 90, 10},
            {"North at 90 stays", "ID_VIEW_NORTH", Qt::Key_Up, 90, 10, 90, 10},
            {"South -85 stops at -90", "ID_VIEW_SOUTH", Qt::Key_Down, -85, 10, -90, 10},
        };
        for (const Turn& turn : turns) {
            QTest::addRow("key, %s", turn.label) << turn << false;
            QTest::addRow("menu, %s", turn.label) << turn << true;
        }
    }

    void turningStepsAndBounds() {
        QFETCH(Turn, turn);
        QFETCH(bool, byMenu);
        StepFrom2001();
        m_doc->m_dCentreLat = turn.latitude;
        m_doc->m_dCentreLon = turn.longitude;
        auto* action = m_frame->findChild<QAction*>(turn.action);
        QVERIFY(action != nullptr && FocusOn(m_frame->GetTreeView()));
        Paint_Counter paints(m_frame->GetMapView());
        if (byMenu) {
            action->trigger();
        } else {
            QTest::keyClick(m_frame->GetTreeView(), turn.key);
        }
        QCOMPARE(m_doc->m_dCentreLat, turn.newLatitude);
        QCOMPARE(m_doc->m_dCentreLon, turn.newLongitude);
        // Repainted before the command returned, and only when the centre moved.
        const bool moved = turn.newLatitude != turn.latitude || turn.newLongitude != turn.longitude;
        QCOMPARE(paints.count, int(moved));
    }

    void arrowKeysTurnWhileADateBarControlHasFocus_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("year") << "IDC_YEAR";
        QTest::newRow("month") << "IDC_MONTH";
    }

    void arrowKeysTurnWhileADateBarControlHasFocus() {
        QFETCH(QString, control);
        StepFrom2001();
        m_doc->m_dCentreLat = 10.0;
        m_doc->m_dCentreLon = 100.0;
        auto* widget = m_frame->findChild<QWidget*>(control);
        QVERIFY(widget != nullptr && FocusOn(widget));
        const QString shown = DateBar(m_frame);
        QTest::keyClick(widget, Qt::Key_Right);
        QTest::keyClick(widget, Qt::Key_Up);
        QCOMPARE(m_doc->m_dCentreLat, 25.0);
        QCOMPARE(m_doc->m_dCentreLon, 130.0);
        QCOMPARE(DateBar(m_frame), shown);  // the control did not take the keys
        QVERIFY(widget->hasFocus());
    }

    void newDocumentKeepsTheEclipse() {
        StepFrom2001();
        m_frame->OnViewNorth();
        const double jde = m_doc->m_eclipse.jde, latitude = m_doc->m_dCentreLat;
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        QTest::keyClick(m_frame->GetTreeView(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m_doc->m_eclipse.jde, jde);
        QCOMPARE(m_doc->m_dCentreLat, latitude);
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        QCOMPARE(m_frame->windowTitle(), QString("Untitled - Velmor (velmor@example.org)"));
        QVERIFY(CountPixels(m_frame, QColor(0, 255, 0)) > 500);
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
