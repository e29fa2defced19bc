// The precise picture, the place picked on the globe and the steps to the eclipses seen from
// it, driven through the main window on the offscreen platform. Each test starts from a
// settings store without the map's settings, as on a first start; the store is a folder of
// this test's own, so that the shell's other tests, which may run at the same time, never
// see what these write.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

#include "app/details_lines.h"
#include "app/shell/command_ids.h"
#include "app/shell/date_bar.h"
#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_identity.h"
#include "app/shell/velmor_app.h"
#include "app/shell/velmor_view.h"
#include "app/shell/view_settings.h"
#include "app/velmor_doc.h"

namespace {

const QStringList kJune2001Lines = {"Date = 2001 June 21", "TD = 12:05:05", "UT-TD [s] = -103",
                                    "Type = Total "};

// The date bar as "year month day hour minute second".
QString DateBar(const CMainFrame* frame) {
    CDateBar* bar = frame->GetDateBar();
    QStringList parts{bar->GetYearEdit()->text()};
    for (const QComboBox* list : {bar->GetMonthList(), bar->GetDayList(), bar->GetHourList(),
                                  bar->GetMinuteList(), bar->GetSecondList()})
        parts << list->currentData().toString();
    return parts.join(' ');
}

void SetDateBar(CMainFrame* frame, const QString& text) {
    const QStringList parts = text.split(' ');
    CDateBar* bar = frame->GetDateBar();
    bar->GetYearEdit()->setText(parts[0]);
    QComboBox* lists[] = {bar->GetMonthList(), bar->GetDayList(), bar->GetHourList(),
                          bar->GetMinuteList(), bar->GetSecondList()};
    for (int i = 0; i < 5; ++i)
        lists[i]->setCurrentIndex(CDateBar::FindComboItem(lists[i], parts[i + 1].toInt()));
}

QImage MapImage(CMainFrame* frame) {
    return frame->GetMapView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QStringList ToQStrings(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines) out << QString::fromStdString(line);
    return out;
}

struct Paint_Counter : QObject {
    explicit Paint_Counter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void ClearMapSettings() {
    QSettings(QString::fromLatin1(shell::kOrganisationName),
              QString::fromLatin1(shell::kApplicationName))
        .remove(QLatin1String(shell::kMapSettingsGroup));
}

const besselian::Geodetic_Place kMadrid{40.4168, -3.7038, 650.0};

}  // namespace

class PreciseViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CVelmorApp> m_app;
    CMainFrame* m_frame = nullptr;
    CVelmorDoc* m_doc = nullptr;
    QTemporaryDir m_settingsFolder;

    void Start() {
        m_app = std::make_unique<CVelmorApp>();
        QVERIFY(m_app->InitInstance({"velmor"}));
        m_frame = m_app->GetMainFrame();
        m_doc = m_app->GetDocument();
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
    }
    void StepFrom(const QString& date, bool forward = true) {
        SetDateBar(m_frame, date);
        QTest::mouseClick(forward ? m_frame->GetDateBar()->GetNextButton()
                                  : m_frame->GetDateBar()->GetPrevButton(),
                          Qt::LeftButton);
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_settingsFolder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsFolder.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsFolder.path());
    }
    void init() {
        ClearMapSettings();
        Start();
    }
    void cleanup() {
        m_app.reset();
        ClearMapSettings();
    }

    // Off on a first start; the menu item switches the picture and the lines on and off, is
    // remembered for the next start, and with the flag off everything is as it was, to the
    // pixel.
    void preciseItemTogglesAndIsRemembered() {
        QAction* precise = m_frame->GetPreciseAction();
        QVERIFY(precise->isCheckable());
        QVERIFY(!precise->isChecked());
        QVERIFY(!m_doc->m_bPrecise);
        StepFrom("2001 1 1 0 0 0");
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        const QImage plain = MapImage(m_frame);

        precise->trigger();
        QVERIFY(precise->isChecked());
        QVERIFY(m_doc->m_bPrecise);
        QVERIFY(shell::LoadPreciseFlag());
        const QStringList lines = m_frame->GetTreeView()->Lines();
        QCOMPARE(lines.mid(0, 4), kJune2001Lines);
        QCOMPARE(lines.mid(4), ToQStrings(PreciseDetailLines(m_doc->GetPreciseEclipse().global)));
        QVERIFY(lines.size() == 12);
        const QImage withPrecise = MapImage(m_frame);
        int red = 0;
        for (int y = 0; y < withPrecise.height(); ++y)
            for (int x = 0; x < withPrecise.width(); ++x)
                red += withPrecise.pixel(x, y) == qRgb(GetRValue(PRECISE_LINE_COLOUR),
                                                       GetGValue(PRECISE_LINE_COLOUR),
                                                       GetBValue(PRECISE_LINE_COLOUR));
        QVERIFY2(red > 300, qPrintable(QString::number(red)));

        // The next start comes up with it on.
        m_app.reset();
        Start();
        QVERIFY(m_frame->GetPreciseAction()->isChecked());
        QVERIFY(m_doc->m_bPrecise);
        StepFrom("2001 1 1 0 0 0");
        QCOMPARE(MapImage(m_frame), withPrecise);
        QCOMPARE(m_frame->GetTreeView()->Lines(), lines);

        m_frame->OnCommand(ID_VIEW_PRECISE);
        QVERIFY(!m_frame->GetPreciseAction()->isChecked());
        QVERIFY(!shell::LoadPreciseFlag());
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        QCOMPARE(MapImage(m_frame), plain);
    }

    // ">>" with the flag on computes the precise eclipse once for each eclipse, however
    // often the map is painted and the list rebuilt.
    void precisePictureIsComputedOncePerEclipse() {
        m_frame->GetPreciseAction()->trigger();
        StepFrom("2017 8 1 0 0 0");
        QCOMPARE(m_doc->PreciseComputations(), 1);
        m_frame->OnViewEast();
        m_frame->GetMapView()->repaint();
        m_frame->GetTreeView()->OnDraw(nullptr);
        QCOMPARE(m_doc->PreciseComputations(), 1);
        // 2017 August 21: greatest eclipse at 18:25:29.7 UT by NASA's tables (ΔT 70.3 s);
        // within 1 s.
        const QString greatest = m_frame->GetTreeView()->Lines().value(4);
        QVERIFY2(greatest.startsWith("Greatest UT = 18:25:"), qPrintable(greatest));
        QVERIFY(std::fabs(greatest.mid(20).toDouble() - 29.7) < 1.0);
        QTest::mouseClick(m_frame->GetDateBar()->GetNextButton(), Qt::LeftButton);
        QCOMPARE(m_doc->PreciseComputations(), 2);
    }

    void clickPicksOrClearsThePlace_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("picks");
        QTest::newRow("the disc's centre") << QPoint(320, 320) << true;
        QTest::newRow("near the rim") << QPoint(320 + 310, 320) << true;
        QTest::newRow("a corner, off the disc") << QPoint(5, 5) << false;
        QTest::newRow("just beyond the rim") << QPoint(320, 320 + 319) << false;
    }

    void clickPicksOrClearsThePlace() {
        QFETCH(QPoint, at);
        QFETCH(bool, picks);
        CVelmorView* map = m_frame->GetMapView();
        // Before any eclipse is shown a click does nothing.
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, QPoint(320, 320));
        QVERIFY(!m_doc->m_bPlaceSet);
        QVERIFY(!m_frame->GetNextVisibleAction()->isEnabled());
        StepFrom("2001 1 1 0 0 0");
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, QPoint(320, 300));
        QVERIFY(m_doc->m_bPlaceSet);
        Paint_Counter paints(map);
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(m_doc->m_bPlaceSet, picks);
        QVERIFY(paints.count >= 1);
        QCOMPARE(m_frame->GetNextVisibleAction()->isEnabled(), picks);
        QCOMPARE(m_frame->GetPrevVisibleAction()->isEnabled(), picks);
        besselian::Geodetic_Place kept;
        QCOMPARE(shell::LoadPlace(kept), picks);
        const QStringList lines = m_frame->GetTreeView()->Lines();
        QCOMPARE(lines.mid(0, 4), kJune2001Lines);
        if (!picks) {
            QCOMPARE(lines.size(), 4);
            return;
        }
        QCOMPARE(kept.latitudeDeg, m_doc->m_place.latitudeDeg);
        QCOMPARE(kept.longitudeDeg, m_doc->m_place.longitudeDeg);
        QCOMPARE(lines.mid(4),
                 ToQStrings(LocalDetailLines(m_doc->m_place, m_doc->GetLocalCircumstances())));
        // The point picked is drawn where the click was.
        Globe globe(MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_RADIUS_PIXELS, 0,
                    m_doc->m_dCentreLat, m_doc->m_dCentreLon);
        int x, y;
        QVERIFY(
            Point(m_doc->m_place.latitudeDeg, m_doc->m_place.longitudeDeg).Project(globe, x, y) >
            0);
        QVERIFY(std::abs(x - at.x()) <= 1 && std::abs(y - at.y()) <= 1);
        const QImage image = MapImage(m_frame);
        QCOMPARE(image.pixel(at), qRgb(0, 0, 0));  // the mark's black centre
        // The next start has the place.
        m_app.reset();
        Start();
        QVERIFY(m_doc->m_bPlaceSet);
        QCOMPARE(m_doc->m_place.latitudeDeg, kept.latitudeDeg);
        QVERIFY(m_frame->GetNextVisibleAction()->isEnabled());
    }

    void dragTurnsWithinBounds_data() {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QPoint>("by");
        QTest::addColumn<double>("newLatitude");
        QTest::addColumn<double>("newLongitude");
        const double k = CVelmorView::kDragDegreesPerPixel;
        QTest::newRow("right: the west comes into view")
            << 0.0 << 100.0 << QPoint(100, 0) << 0.0 << 100.0 - 100 * k;
        QTest::newRow("left: the east comes into view")
            << 20.0 << 100.0 << QPoint(-50, 0) << 20.0 << 100.0 + 50 * k;
        QTest::newRow("right across 0 wraps to 360")
            << 0.0 << 10.0 << QPoint(100, 0) << 0.0 << 370.0 - 100 * k;
        QTest::newRow("down: the north comes into view")
            << 10.0 << 30.0 << QPoint(0, 100) << 10.0 + 100 * k << 30.0;
        QTest::newRow("far down stops at 90") << 10.0 << 30.0 << QPoint(0, 1000) << 90.0 << 30.0;
        QTest::newRow("far up stops at -90")
            << 10.0 << 30.0 << QPoint(30, -1000) << -90.0 << 30.0 - 30 * k;
    }

    void dragTurnsWithinBounds() {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(QPoint, by);
        QFETCH(double, newLatitude);
        QFETCH(double, newLongitude);
        CVelmorView* map = m_frame->GetMapView();
        StepFrom("2001 1 1 0 0 0");
        m_doc->m_dCentreLat = latitude;
        m_doc->m_dCentreLon = longitude;
        const QPoint from(320, 320);
        Paint_Counter paints(map);
        SendMouse(map, QEvent::MouseButtonPress, from, Qt::LeftButton);
        SendMouse(map, QEvent::MouseMove, from + by / 2, Qt::LeftButton);
        const int paintsHalfWay = paints.count;
        SendMouse(map, QEvent::MouseMove, from + by, Qt::LeftButton);
        SendMouse(map, QEvent::MouseButtonRelease, from + by, Qt::NoButton);
        QVERIFY(std::fabs(m_doc->m_dCentreLat - newLatitude) < 1e-9);
        QVERIFY2(std::fabs(m_doc->m_dCentreLon - newLongitude) < 1e-9,
                 qPrintable(QString::number(m_doc->m_dCentreLon)));
        QVERIFY(paintsHalfWay >= 1);  // repainted as the mouse moved
        QVERIFY(paints.count >= paintsHalfWay);
        QVERIFY(!m_doc->m_bPlaceSet);  // a drag picks nothing
        // The map shows the new centre: the next paint keeps it.
        map->repaint();
        QVERIFY(std::fabs(m_doc->m_dCentreLat - newLatitude) < 1e-9);
    }

    // A movement shorter than the drag distance is a click: it picks and turns nothing.
    void smallMovementPicks() {
        CVelmorView* map = m_frame->GetMapView();
        StepFrom("2001 1 1 0 0 0");
        const double latitude = m_doc->m_dCentreLat, longitude = m_doc->m_dCentreLon;
        const QPoint from(320, 320), to(321, 321);
        QVERIFY((to - from).manhattanLength() < QApplication::startDragDistance());
        SendMouse(map, QEvent::MouseButtonPress, from, Qt::LeftButton);
        SendMouse(map, QEvent::MouseMove, to, Qt::LeftButton);
        SendMouse(map, QEvent::MouseButtonRelease, to, Qt::NoButton);
        QCOMPARE(m_doc->m_dCentreLat, latitude);
        QCOMPARE(m_doc->m_dCentreLon, longitude);
        QVERIFY(m_doc->m_bPlaceSet);
    }

    void visibleHereSteps_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("dateLine");
        QTest::addColumn<QString>("plainStepDateLine");  // where ">>" or "<<" goes instead
        // Madrid: the annular eclipse of 2026 February 17 is seen only in Antarctica; the
        // total one of 2026 August 12 deeply partial in Madrid; 2025 March 29 partial there.
        QTest::newRow("next from 2026") << "2026 1 1 0 0 0" << true << "Date = 2026 August 12"
                                        << "Date = 2026 February 17";
        QTest::newRow("previous from 2026") << "2026 1 1 0 0 0" << false << "Date = 2025 March 29"
                                            << "Date = 2025 September 21";
        QTest::newRow("next from 2026 August 13")
            << "2026 8 13 0 0 0" << true << "Date = 2027 August 2"
            << "Date = 2027 February 6";
    }

    void visibleHereSteps() {
        QFETCH(QString, from);
        QFETCH(bool, forward);
        QFETCH(QString, dateLine);
        QFETCH(QString, plainStepDateLine);
        // Disabled and without effect while no place is set.
        QVERIFY(!m_frame->GetNextVisibleAction()->isEnabled());
        SetDateBar(m_frame, from);
        m_frame->OnCommand(forward ? ID_VIEW_NEXT_VISIBLE : ID_VIEW_PREV_VISIBLE);
        QCOMPARE(DateBar(m_frame), from);
        QVERIFY(!m_doc->m_eclipse.valid);

        // The place from the settings, as a later start finds it.
        m_app.reset();
        shell::SavePlace(true, kMadrid);
        Start();
        QVERIFY(m_frame->GetNextVisibleAction()->isEnabled());
        QVERIFY(m_frame->GetPrevVisibleAction()->isEnabled());
        StepFrom(from, forward);
        QCOMPARE(m_frame->GetTreeView()->Lines().value(0), plainStepDateLine);
        SetDateBar(m_frame, from);
        (forward ? m_frame->GetNextVisibleAction() : m_frame->GetPrevVisibleAction())->trigger();
        const QStringList lines = m_frame->GetTreeView()->Lines();
        QCOMPARE(lines.value(0), dateLine);
        // The date bar shows the eclipse as a step does, and the list what Madrid sees.
        const Civil_Date_Time& at = m_doc->m_eclipse.dateTime;
        QCOMPARE(DateBar(m_frame), QString::asprintf("%d %d %d %d %d %d", at.year, at.month, at.day,
                                                     at.hour, at.minute, at.second));
        QVERIFY(lines.contains("Seen = Partial"));
        QVERIFY(besselian::IsVisible(*m_doc->GetLocalCircumstances()));
    }

    // A grazing partial eclipse (2083 July 15, gamma 1.55) with the precise flag and a
    // place: lines and picture without a crash, nothing shown as NaN.
    void grazingPartialWithPreciseAndPlace() {
        m_frame->GetPreciseAction()->trigger();
        StepFrom("2001 1 1 0 0 0");
        QTest::mouseClick(m_frame->GetMapView(), Qt::LeftButton, Qt::NoModifier, QPoint(320, 320));
        StepFrom("2083 7 1 0 0 0");
        const QStringList lines = m_frame->GetTreeView()->Lines();
        QCOMPARE(lines.value(0), QString("Date = 2083 July 15"));
        QVERIFY(lines.size() > 6);
        for (const QString& line : lines) QVERIFY2(!line.contains("nan"), qPrintable(line));
        QVERIFY(!MapImage(m_frame).isNull());
    }

    void accessibleNames() {
        QCOMPARE(m_frame->GetMapView()->accessibleName(), QString("Map"));
        QVERIFY(!m_frame->GetMapView()->accessibleDescription().isEmpty());
        for (QAction* action : {m_frame->GetPreciseAction(), m_frame->GetNextVisibleAction(),
                                m_frame->GetPrevVisibleAction()})
            QVERIFY(!action->statusTip().isEmpty());
    }
};

QTEST_MAIN(PreciseViewTest)
#include "precise_view_test.moc"
