// The main window: the date bar, the step to the previous and next eclipse, the menus, the
// accelerators and the status bar, driven as a user would on the offscreen platform.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <cmath>

#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_identity.h"
#include "app/shell/velmor_view.h"
#include "app/velmor_doc.h"
#include "shell_fixture.h"

namespace {

const QStringList kJune2001Lines = {"Date = 2001 June 21", "TD = 12:05:05", "UT-TD [s] = -103",
                                    "Type = Total "};

bool SameEclipse(const Eclipse_Record& a, const Eclipse_Record& b) {
    return a.valid == b.valid && a.year == b.year && a.month == b.month && a.day == b.day &&
           a.hour == b.hour && a.minute == b.minute && a.second == b.second && a.type == b.type &&
           a.magnitude == b.magnitude && a.jde == b.jde;
}

bool SameDateBar(const Date_Bar_Values& a, const Date_Bar_Values& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

QStringList ActionTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text();
    return texts;
}

QMenu* MenuTitled(const QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions()) {
        if (action->text() == title) return action->menu();
    }
    return nullptr;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<CVelmorApp> m_app;
    CMainFrame* m_frame = nullptr;
    CVelmorDoc* m_doc = nullptr;

    // Steps from 1 January 2001 to the total eclipse of 21 June 2001 and lets the map take
    // its centre.
    void StepToJune2001() {
        SetDateBar(m_frame, "2001", 1, 1, 0, 0, 0);
        QTest::mouseClick(m_frame->GetNextButton(), Qt::LeftButton);
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        QVERIFY(m_doc->m_bCentreSet);
    }

    // Focuses `widget` in the active main window.
    void FocusOn(QWidget* widget) {
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        widget->setFocus(Qt::OtherFocusReason);
        QTRY_VERIFY(widget->hasFocus());
    }

  private slots:
    void initTestCase() { PrepareTestSettings(); }

    void init() {
        m_app = StartProgram();
        QVERIFY(m_app != nullptr);
        m_frame = m_app->GetMainFrame();
        m_doc = m_app->GetDocument();
        QVERIFY(m_frame != nullptr && m_doc != nullptr);
    }

    void cleanup() {
        m_app.reset();
        m_frame = nullptr;
        m_doc = nullptr;
    }

    void startsWithTheClockInTheDateBar() {
        const QDateTime before = QDateTime::currentDateTime().addSecs(-5);
        // The window in init() was built a moment ago; read what it shows.
        const Date_Bar_Values shown = ReadDateBar(m_frame);
        const QDateTime after = QDateTime::currentDateTime();
        const QDateTime read(QDate(shown.year.toInt(), shown.month, shown.day),
                             QTime(shown.hour, shown.minute, shown.second));
        QVERIFY2(read.isValid(), qPrintable(shown.year));
        QVERIFY2(read >= before.addSecs(-60) && read <= after,
                 qPrintable(read.toString(Qt::ISODate)));
    }

    void startsWithEmptyListAndBlankMap() {
        QCOMPARE(m_doc->m_eclipse.valid, 0);
        QCOMPARE(m_doc->m_bCentreSet, 0);
        QVERIFY(m_frame->GetTreeView()->Lines().isEmpty());
        const QImage map = GrabMap(m_frame);
        const QColor background = m_frame->GetMapView()->palette().color(QPalette::Base);
        QCOMPARE(CountPixels(map, background), map.width() * map.height());
        QCOMPARE(CountPixels(map, kDiscColour), 0);
    }

    void titleNamesTheUntitledDocument() {
        QCOMPARE(m_frame->windowTitle(),
                 QString("Untitled - ") + QString::fromLatin1(shell::kWindowTitleField));
    }

    void dateBarLists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("month") << "IDC_MONTH" << 1 << 12;
        QTest::newRow("day") << "IDC_DAY" << 1 << 31;
        QTest::newRow("hour") << "IDC_HOUR" << 0 << 23;
        QTest::newRow("minute") << "IDC_MINUTE" << 0 << 59;
        QTest::newRow("second") << "IDC_SECOND" << 0 << 59;
    }

    void dateBarLists() {
        QFETCH(QString, name);
        QFETCH(int, first);
        QFETCH(int, last);
        auto* list = m_frame->findChild<QComboBox*>(name);
        QVERIFY(list != nullptr);
        QVERIFY(!list->isEditable());
        QCOMPARE(list->count(), last - first + 1);
        for (int i = 0; i < list->count(); ++i) {
            const int number = first + i;
            QCOMPARE(list->itemData(i).toInt(), number);
            const QString text = name == "IDC_MONTH"
                                     ? QLocale(QLocale::English).standaloneMonthName(number)
                                     : QString::number(number);
            QCOMPARE(list->itemText(i), text);
        }
        QCOMPARE(CMainFrame::FindComboItem(list, last), last - first);
        QCOMPARE(CMainFrame::FindComboItem(list, last + 1), -1);
        QCOMPARE(CMainFrame::FindComboItem(list, -1), -1);
    }

    void dateBarIsAMovableBarAtTheTop() {
        QToolBar* bar = m_frame->GetDateBar();
        QVERIFY(bar->isMovable());
        QCOMPARE(m_frame->toolBarArea(bar), Qt::TopToolBarArea);
        QVERIFY(bar->isVisible());
        for (QWidget* control :
             std::initializer_list<QWidget*>{m_frame->GetYearEdit(), m_frame->GetNextButton()}) {
            QVERIFY(bar->isAncestorOf(control));
        }
        QCOMPARE(m_frame->GetPrevButton()->text(), QString("<<"));
        QCOMPARE(m_frame->GetNextButton()->text(), QString(">>"));
    }

    void tabWalksTheDateBarInOrder() {
        FocusOn(m_frame->GetYearEdit());
        const QStringList expected = {"IDC_MONTH",  "IDC_DAY",  "IDC_HOUR", "IDC_MINUTE",
                                      "IDC_SECOND", "IDC_PREV", "IDC_NEXT"};
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void nextFrom2001FindsTheTotalEclipseOfJune() {
        SetDateBar(m_frame, "2001", 1, 1, 0, 0, 0);
        QTest::mouseClick(m_frame->GetNextButton(), Qt::LeftButton);

        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        const Date_Bar_Values shown = ReadDateBar(m_frame);
        QCOMPARE(shown.year, QString("2001"));
        QCOMPARE(shown.month, 6);
        QCOMPARE(shown.day, 21);
        QCOMPARE(shown.hour, 12);
        QCOMPARE(shown.minute, 5);
        QCOMPARE(shown.second, 5);

        // The map repainted during the step and took the sub-solar point as its centre.
        QCOMPARE(m_doc->m_bCentreSet, 1);
        QVERIFY(std::fabs(m_doc->m_dCentreLat - 23.44) < 0.1);
        QVERIFY(m_doc->m_dCentreLon >= -180.0 && m_doc->m_dCentreLon <= 180.0);

        const QImage map = GrabMap(m_frame);
        QVERIFY2(CountPixels(map, kDiscColour) > 200000, "the globe's disc is not drawn");
        QVERIFY2(CountPixels(map, kOverlayColour) > 500, "the eclipse is not drawn");
        const QColor background = m_frame->GetMapView()->palette().color(QPalette::Base);
        QCOMPARE(map.pixelColor(map.width() - 1, 0), background);  // outside the disc
        QCOMPARE(map.pixelColor(320, 320).rgb() == background.rgb(), false);
    }

    void repeatedStepsWalkFromEclipseToEclipse_data() {
        QTest::addColumn<QString>("presses");
        QTest::addColumn<QString>("dateLine");
        QTest::addColumn<QString>("typeLine");
        QTest::newRow(">>") << ">>"
                            << "Date = 2001 June 21"
                            << "Type = Total ";
        QTest::newRow(">> >>") << ">> >>"
                               << "Date = 2001 December 14"
                               << "Type = Annular ";
        QTest::newRow(">> >> <<") << ">> >> <<"
                                  << "Date = 2001 June 21"
                                  << "Type = Total ";
        QTest::newRow("<<") << "<<"
                            << "Date = 2000 December 25"
                            << "Type = Partial ";
        QTest::newRow("<< >>") << "<< >>"
                               << "Date = 2001 June 21"
                               << "Type = Total ";
    }

    void repeatedStepsWalkFromEclipseToEclipse() {
        QFETCH(QString, presses);
        QFETCH(QString, dateLine);
        QFETCH(QString, typeLine);
        SetDateBar(m_frame, "2001", 1, 1, 0, 0, 0);
        for (const QString& press : presses.split(' ')) {
            QPushButton* button =
                press == ">>" ? m_frame->GetNextButton() : m_frame->GetPrevButton();
            QTest::mouseClick(button, Qt::LeftButton);
        }
        const QStringList lines = m_frame->GetTreeView()->Lines();
        QVERIFY(lines.size() >= 4);
        QCOMPARE(lines[0], dateLine);
        QCOMPARE(lines[3], typeLine);
        QCOMPARE(lines.size(), typeLine == "Type = Partial " ? 5 : 4);
        if (lines.size() == 5) QVERIFY(lines[4].startsWith("Magn. = "));
        // The date bar shows what the list shows.
        const Date_Bar_Values shown = ReadDateBar(m_frame);
        QCOMPARE(QString("Date = %1 %2 %3")
                     .arg(shown.year, QLocale(QLocale::English).standaloneMonthName(shown.month))
                     .arg(shown.day),
                 dateLine);
    }

    void steppingBackBeyondAD1ShowsAMinusSign() {
        SetDateBar(m_frame, "1", 1, 1, 0, 0, 0);
        QTest::mouseClick(m_frame->GetPrevButton(), Qt::LeftButton);
        QCOMPARE(m_frame->GetYearEdit()->text(), QString("-1"));
        QVERIFY(m_frame->GetTreeView()->Lines().value(0).startsWith("Date = -1 "));
        // The negative year is read back as such.
        const double jde = m_doc->m_eclipse.jde;
        QTest::mouseClick(m_frame->GetPrevButton(), Qt::LeftButton);
        QVERIFY(m_doc->m_eclipse.jde < jde);
        QVERIFY(m_frame->GetYearEdit()->text().startsWith('-'));
    }

    void invalidDateChangesNothingButTheRecordedCentre_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::newRow("31 April") << "2001" << 4 << 31;
        QTest::newRow("29 February 1900") << "1900" << 2 << 29;
        QTest::newRow("10 October 1582, in the calendar gap") << "1582" << 10 << 10;
        QTest::newRow("year 0") << "0" << 1 << 1;
        QTest::newRow("empty year") << "" << 1 << 1;
        QTest::newRow("year 10000") << "10000" << 1 << 1;
        QTest::newRow("year -4714") << "-4714" << 1 << 1;
        QTest::newRow("year 70000, not read as 4464") << "70000" << 1 << 1;
        QTest::newRow("year 65537, not read as 1") << "65537" << 1 << 1;
        QTest::newRow("year of 25 digits") << "1234567890123456789012345" << 1 << 1;
    }

    void invalidDateChangesNothingButTheRecordedCentre() {
        QFETCH(QString, year);
        QFETCH(int, month);
        QFETCH(int, day);
        StepToJune2001();
        m_frame->OnViewEast();
        const Eclipse_Record record = m_doc->m_eclipse;
        const double latitude = m_doc->m_dCentreLat;
        const double longitude = m_doc->m_dCentreLon;
        const QStringList lines = m_frame->GetTreeView()->Lines();
        SetDateBar(m_frame, year, month, day, 3, 4, 5);
        const Date_Bar_Values entered = ReadDateBar(m_frame);
        Paint_Counter paints(m_frame->GetMapView());

        QTest::mouseClick(m_frame->GetNextButton(), Qt::LeftButton);

        QCOMPARE(m_doc->m_bCentreSet, 0);
        QVERIFY(SameEclipse(m_doc->m_eclipse, record));
        QCOMPARE(m_doc->m_dCentreLat, latitude);
        QCOMPARE(m_doc->m_dCentreLon, longitude);
        QCOMPARE(m_frame->GetTreeView()->Lines(), lines);
        QVERIFY(SameDateBar(ReadDateBar(m_frame), entered));
        QCOMPARE(paints.Count(), 0);
    }

    void theCentreIsTakenAfreshAfterARefusedStep() {
        StepToJune2001();
        const double subSolarLongitude = m_doc->m_dCentreLon;
        m_frame->OnViewEast();
        QCOMPARE(m_doc->m_dCentreLon, subSolarLongitude + 30.0);
        SetDateBar(m_frame, "2001", 4, 31, 0, 0, 0);
        QTest::mouseClick(m_frame->GetNextButton(), Qt::LeftButton);
        // Until a paint takes the centre again, turning does nothing.
        m_frame->OnViewEast();
        QCOMPARE(m_doc->m_bCentreSet, 0);
        QCOMPARE(m_doc->m_dCentreLon, subSolarLongitude + 30.0);
        m_frame->GetMapView()->repaint();
        QCOMPARE(m_doc->m_bCentreSet, 1);
        QCOMPARE(m_doc->m_dCentreLon, subSolarLongitude);
    }

    void turningStepsAndBounds_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<double>("newLatitude");
        QTest::addColumn<double>("newLongitude");
        QTest::addColumn<int>("repaints");
        QTest::newRow("East from 0") << int(Qt::Key_Right) << 0.0 << 0.0 << 0.0 << 30.0 << 1;
        QTest::newRow("East from 330 reaches 360")
            << int(Qt::Key_Right) << 0.0 << 330.0 << 0.0 << 360.0 << 1;
        QTest::newRow("East from 360 wraps to 30")
            << int(Qt::Key_Right) << 0.0 << 360.0 << 0.0 << 30.0 << 1;
        QTest::newRow("East from -75, no wrap")
            << int(Qt::Key_Right) << 0.0 << -75.0 << 0.0 << -45.0 << 1;
        QTest::newRow("West from 0 wraps to 330")
            << int(Qt::Key_Left) << 0.0 << 0.0 << 0.0 << 330.0 << 1;
        QTest::newRow("West from 360") << int(Qt::Key_Left) << 0.0 << 360.0 << 0.0 << 330.0 << 1;
        QTest::newRow("West from -75 wraps to 255")
            << int(Qt::Key_Left) << 0.0 << -75.0 << 0.0 << 255.0 << 1;
        QTest::newRow("North from 0") << int(Qt::Key_Up) << 0.0 << 10.0 << 15.0 << 10.0 << 1;
        QTest::newRow("North from 80 stops at 90")
            << int(Qt::Key_Up) << 80.0 << 10.0 << 90.0 << 10.0 << 1;
        QTest::newRow("North at 90 changes nothing")
            << int(Qt::Key_Up) << 90.0 << 10.0 << 90.0 << 10.0 << 0;
        QTest::newRow("South from 0") << int(Qt::Key_Down) << 0.0 << 10.0 << -15.0 << 10.0 << 1;
        QTest::newRow("South from -85 stops at -90")
            << int(Qt::Key_Down) << -85.0 << 10.0 << -90.0 << 10.0 << 1;
        QTest::newRow("South at -90 changes nothing")
            << int(Qt::Key_Down) << -90.0 << 10.0 << -90.0 << 10.0 << 0;
    }

    void turningStepsAndBounds() {
        QFETCH(int, key);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(double, newLatitude);
        QFETCH(double, newLongitude);
        QFETCH(int, repaints);
        StepToJune2001();
        m_doc->m_dCentreLat = latitude;
        m_doc->m_dCentreLon = longitude;
        FocusOn(m_frame->GetTreeView());
        Paint_Counter paints(m_frame->GetMapView());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(m_doc->m_dCentreLat, newLatitude);
        QCOMPARE(m_doc->m_dCentreLon, newLongitude);
        QCOMPARE(paints.Count(), repaints);  // the repaint happened before the key returned
    }

    void turnedMapShowsTheNewCentre() {
        StepToJune2001();
        m_doc->m_dCentreLon = 100.0;
        const QImage before = GrabMap(m_frame);
        FocusOn(m_frame->GetTreeView());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QVERIFY(GrabMap(m_frame) != before);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(m_doc->m_dCentreLon, 100.0);
        QCOMPARE(GrabMap(m_frame), before);
    }

    void arrowKeysTurnFromEveryControl_data() {
        QTest::addColumn<QString>("control");
        for (const char* name :
             {"IDC_YEAR", "IDC_MONTH", "IDC_DAY", "IDC_HOUR", "IDC_MINUTE", "IDC_SECOND",
              "IDC_PREV", "IDC_NEXT", "CLeftView", "CVelmorView"}) {
            QTest::newRow(name) << name;
        }
    }

    void arrowKeysTurnFromEveryControl() {
        QFETCH(QString, control);
        StepToJune2001();
        m_doc->m_dCentreLat = 10.0;
        m_doc->m_dCentreLon = 100.0;
        auto* widget = m_frame->findChild<QWidget*>(control);
        QVERIFY(widget != nullptr);
        FocusOn(widget);
        const Date_Bar_Values shown = ReadDateBar(m_frame);

        QTest::keyClick(widget, Qt::Key_Right);
        QCOMPARE(m_doc->m_dCentreLon, 130.0);
        QTest::keyClick(widget, Qt::Key_Left);
        QTest::keyClick(widget, Qt::Key_Left);
        QCOMPARE(m_doc->m_dCentreLon, 70.0);
        QTest::keyClick(widget, Qt::Key_Up);
        QCOMPARE(m_doc->m_dCentreLat, 25.0);
        QTest::keyClick(widget, Qt::Key_Down);
        QTest::keyClick(widget, Qt::Key_Down);
        QCOMPARE(m_doc->m_dCentreLat, -5.0);
        // The control itself did not take the keys.
        QVERIFY(SameDateBar(ReadDateBar(m_frame), shown));
        QVERIFY(widget->hasFocus());
    }

    void arrowKeysWithAModifierDoNotTurn() {
        StepToJune2001();
        m_doc->m_dCentreLon = 100.0;
        FocusOn(m_frame->GetTreeView());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(m_doc->m_dCentreLon, 100.0);
    }

    void turningBeforeAnyEclipseDoesNothing() {
        FocusOn(m_frame->GetTreeView());
        Paint_Counter paints(m_frame->GetMapView());
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QCOMPARE(m_doc->m_bCentreSet, 0);
        QCOMPARE(paints.Count(), 0);
        QCOMPARE(CountPixels(GrabMap(m_frame), kDiscColour), 0);
    }

    void menusHoldTheirItems() {
        QMenu* file = MenuTitled(m_frame->menuBar(), "&File");
        QMenu* view = MenuTitled(m_frame->menuBar(), "&View");
        QVERIFY(file != nullptr && view != nullptr);
        QCOMPARE(ActionTexts(file), QStringList({"E&xit"}));
        QCOMPARE(ActionTexts(view),
                 QStringList({"&Status Bar", "", "< West", "> East", "^ North", "v South"}));
    }

    void viewMenuTurns_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<double>("newLatitude");
        QTest::addColumn<double>("newLongitude");
        QTest::newRow("< West") << "< West" << 0.0 << 330.0;
        QTest::newRow("> East") << "> East" << 0.0 << 30.0;
        QTest::newRow("^ North") << "^ North" << 15.0 << 0.0;
        QTest::newRow("v South") << "v South" << -15.0 << 0.0;
    }

    void viewMenuTurns() {
        QFETCH(QString, item);
        QFETCH(double, newLatitude);
        QFETCH(double, newLongitude);
        StepToJune2001();
        m_doc->m_dCentreLat = 0.0;
        m_doc->m_dCentreLon = 0.0;
        QMenu* view = MenuTitled(m_frame->menuBar(), "&View");
        QAction* action = nullptr;
        for (QAction* candidate : view->actions()) {
            if (candidate->text() == item) action = candidate;
        }
        QVERIFY(action != nullptr);
        Paint_Counter paints(m_frame->GetMapView());
        action->trigger();
        QCOMPARE(m_doc->m_dCentreLat, newLatitude);
        QCOMPARE(m_doc->m_dCentreLon, newLongitude);
        QCOMPARE(paints.Count(), 1);
    }

    void statusBarHasItsPanesAndCanBeHidden() {
        QCOMPARE(m_frame->GetMessagePane()->text(), QString("Ready"));
        QCOMPARE(m_frame->GetCapsIndicator()->text(), QString("CAP"));
        QCOMPARE(m_frame->GetNumIndicator()->text(), QString("NUM"));
        QCOMPARE(m_frame->GetScrollIndicator()->text(), QString("SCRL"));
        // The offscreen platform does not tell the lock keys' state: dimmed.
        QVERIFY(!m_frame->GetCapsIndicator()->isEnabled());
        QVERIFY(!m_frame->GetNumIndicator()->isEnabled());
        QVERIFY(!m_frame->GetScrollIndicator()->isEnabled());

        QVERIFY(m_frame->statusBar()->isVisible());
        auto* toggle = m_frame->findChild<QAction*>("ID_VIEW_STATUS_BAR");
        QVERIFY(toggle != nullptr);
        toggle->trigger();
        QVERIFY(!m_frame->statusBar()->isVisible());
        toggle->trigger();
        QVERIFY(m_frame->statusBar()->isVisible());
    }

    void editingAcceleratorsDoNothing_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+V paste") << int(Qt::Key_V) << int(Qt::ControlModifier);
        QTest::newRow("Shift+Insert paste") << int(Qt::Key_Insert) << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl+X cut") << int(Qt::Key_X) << int(Qt::ControlModifier);
        QTest::newRow("Shift+Delete cut") << int(Qt::Key_Delete) << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl+Z undo") << int(Qt::Key_Z) << int(Qt::ControlModifier);
        QTest::newRow("Alt+Backspace undo") << int(Qt::Key_Backspace) << int(Qt::AltModifier);
        QTest::newRow("Ctrl+C copy") << int(Qt::Key_C) << int(Qt::ControlModifier);
        QTest::newRow("Ctrl+Insert copy") << int(Qt::Key_Insert) << int(Qt::ControlModifier);
    }

    void editingAcceleratorsDoNothing() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QApplication::clipboard()->setText("1234");
        QLineEdit* year = m_frame->GetYearEdit();
        year->setText("1999");
        FocusOn(year);
        year->selectAll();
        QTest::keyClick(year, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(year->text(), QString("1999"));
        QCOMPARE(QApplication::clipboard()->text(), QString("1234"));
    }

    void yearFieldTakesDigitsOnly() {
        QLineEdit* year = m_frame->GetYearEdit();
        year->clear();
        FocusOn(year);
        QTest::keyClicks(year, "-2a0 0.1");
        QCOMPARE(year->text(), QString("2001"));
        // A minus sign from a step back may stay while the digits are edited.
        year->setText("-500");
        year->end(false);
        QTest::keyClick(year, Qt::Key_Backspace);
        QCOMPARE(year->text(), QString("-50"));
    }

    void helpKeysShowTheHelpWindow_data() {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F1") << int(Qt::NoModifier);
        QTest::newRow("Shift+F1") << int(Qt::ShiftModifier);
    }

    void helpKeysShowTheHelpWindow() {
        QFETCH(int, modifiers);
        FocusOn(m_frame->GetYearEdit());
        QTest::keyClick(m_frame->GetYearEdit(), Qt::Key_F1, Qt::KeyboardModifiers(modifiers));
        QDialog* help = m_frame->GetHelpWindow();
        QVERIFY(help != nullptr);
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        auto* text = help->findChild<QLabel*>("HelpText");
        QVERIFY(text != nullptr);
        QVERIFY(text->text().contains("dynamical time"));
        QVERIFY(text->text().contains("&lt;&lt;"));
        QVERIFY(text->text().contains("Left and Right"));
    }

    void paneKeysMoveBetweenTheLists() {
        FocusOn(m_frame->GetTreeView());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(m_frame->GetMapView()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(m_frame->GetTreeView()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(m_frame->GetMapView()->hasFocus());
    }

    void controlsCarryAccessibleNames() {
        StepToJune2001();
        QAccessibleInterface* prev =
            QAccessible::queryAccessibleInterface(m_frame->GetPrevButton());
        QAccessibleInterface* next =
            QAccessible::queryAccessibleInterface(m_frame->GetNextButton());
        QVERIFY(prev != nullptr && next != nullptr);
        QCOMPARE(prev->text(QAccessible::Name), QString("<<"));
        QCOMPARE(next->text(QAccessible::Name), QString(">>"));
        QVERIFY(next->actionInterface() != nullptr);

        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(m_frame->GetTreeView());
        QVERIFY(tree != nullptr);
        QStringList names;
        // The list's rows are laid out by the event loop.
        QTRY_VERIFY(tree->childCount() > 1);
        for (int i = 0; i < tree->childCount(); ++i) {
            QAccessibleInterface* line = tree->child(i);
            if (line->role() == QAccessible::TreeItem) names << line->text(QAccessible::Name);
        }
        QCOMPARE(names, kJune2001Lines);
    }

    void newDocumentKeepsTheEclipse() {
        StepToJune2001();
        m_frame->OnViewNorth();
        const Eclipse_Record record = m_doc->m_eclipse;
        const double latitude = m_doc->m_dCentreLat;
        const double longitude = m_doc->m_dCentreLon;
        FocusOn(m_frame->GetTreeView());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(SameEclipse(m_doc->m_eclipse, record));
        QCOMPARE(m_doc->m_bCentreSet, 1);
        QCOMPARE(m_doc->m_dCentreLat, latitude);
        QCOMPARE(m_doc->m_dCentreLon, longitude);
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        QCOMPARE(m_frame->windowTitle(),
                 QString("Untitled - ") + QString::fromLatin1(shell::kWindowTitleField));
        QVERIFY(CountPixels(GrabMap(m_frame), kOverlayColour) > 500);
    }

    void opensShowingTheWholeGlobe() {
        QVERIFY(m_frame->GetMapView()->width() >= CVelmorView::kMapExtentPixels);
        QVERIFY(m_frame->GetMapView()->height() >= CVelmorView::kMapExtentPixels);
        // And the details list is wide enough for its longest line.
        const QFontMetrics metrics = m_frame->GetTreeView()->fontMetrics();
        QVERIFY(m_frame->GetTreeView()->viewport()->width() >
                metrics.horizontalAdvance("Type = Total Annular ; Noncentral "));
    }

    void resizingKeepsTheMapInPlace() {
        StepToJune2001();
        const QImage before = GrabMap(m_frame);
        m_frame->resize(m_frame->width() + 150, m_frame->height() + 90);
        QTRY_VERIFY(m_frame->GetMapView()->width() >= before.width() + 150);
        const QImage after = GrabMap(m_frame);
        QCOMPARE(after.copy(before.rect()), before);
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
