// The main window driven as a user would on the offscreen platform: the date bar, the steps
// to the previous and next eclipse, turning the globe, the menus, accelerators and status bar.
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
#include <tuple>

#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_identity.h"
#include "app/shell/velmor_view.h"
#include "app/velmor_doc.h"
#include "shell_fixture.h"

namespace {

bool SameEclipse(const Eclipse_Record& a, const Eclipse_Record& b) {
    const auto fields = [](const Eclipse_Record& r) {
        return std::tie(r.valid, r.year, r.month, r.day, r.hour, r.minute, r.second, r.type,
                        r.magnitude, r.jde);
    };
    return fields(a) == fields(b);
}

QMenu* MenuTitled(const QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions()) {
        if (action->text() == title) return action->menu();
    }
    return nullptr;
}

QStringList ActionTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) texts << action->text();
    return texts;
}

QColor Background(CMainFrame* frame) {
    return frame->GetMapView()->palette().color(QPalette::Base);
}

struct Turn {
    const char* label;
    const char* menuItem;
    Qt::Key key;
    double latitude, longitude, newLatitude, newLongitude;  // degrees
};

}  // namespace

Q_DECLARE_METATYPE(Turn)

class MainFrameTest : public Frame_Test {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestSettings(); }
    void init() { QVERIFY(Open()); }
    void cleanup() { Close(); }

    void startUpState() {
        const QDateTime now = QDateTime::currentDateTime();
        const Date_Bar_Values shown = ReadDateBar(m_frame);
        const QDateTime read(QDate(shown.year.toInt(), shown.month, shown.day),
                             QTime(shown.hour, shown.minute, shown.second));
        QVERIFY2(read >= now.addSecs(-65) && read <= now, qPrintable(shown.Text()));

        // Nothing to turn before a paint has recorded a centre.
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        Paint_Counter paints(m_frame->GetMapView());
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QCOMPARE(paints.Count(), 0);
        QCOMPARE(m_doc->m_bCentreSet, 0);
        QVERIFY(m_frame->GetTreeView()->Lines().isEmpty());
        const QImage map = GrabMap(m_frame);
        QCOMPARE(CountPixels(map, Background(m_frame)), map.width() * map.height());

        // The window opens large enough for the whole globe and the longest details line.
        QVERIFY(map.width() >= CVelmorView::kMapExtentPixels);
        QVERIFY(map.height() >= CVelmorView::kMapExtentPixels);
        QVERIFY(m_frame->GetTreeView()->viewport()->width() >
                m_frame->GetTreeView()->fontMetrics().horizontalAdvance(
                    "Type = Total Annular ; Noncentral "));
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
            QCOMPARE(list->itemText(i), name == "IDC_MONTH"
                                            ? QLocale(QLocale::English).standaloneMonthName(number)
                                            : QString::number(number));
        }
        QCOMPARE(CMainFrame::FindComboItem(list, last), last - first);
        QCOMPARE(CMainFrame::FindComboItem(list, last + 1), -1);
        QCOMPARE(CMainFrame::FindComboItem(list, -1), -1);
    }

    void dateBarLayoutAndNames() {
        QToolBar* bar = m_frame->GetDateBar();
        QVERIFY(bar->isMovable() && bar->isVisible());
        QCOMPARE(m_frame->toolBarArea(bar), Qt::TopToolBarArea);
        QVERIFY(bar->isAncestorOf(m_frame->GetYearEdit()));
        QVERIFY(bar->isAncestorOf(m_frame->GetNextButton()));
        QVERIFY(FocusOn(m_frame->GetYearEdit()));
        for (const char* name : {"IDC_MONTH", "IDC_DAY", "IDC_HOUR", "IDC_MINUTE", "IDC_SECOND",
                                 "IDC_PREV", "IDC_NEXT"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(name));
        }
        QAccessibleInterface* prev =
            QAccessible::queryAccessibleInterface(m_frame->GetPrevButton());
        QAccessibleInterface* next =
            QAccessible::queryAccessibleInterface(m_frame->GetNextButton());
        QVERIFY(prev != nullptr && next != nullptr);
        QCOMPARE(prev->text(QAccessible::Name), QString("<<"));
        QCOMPARE(next->text(QAccessible::Name), QString(">>"));
        QVERIFY(next->actionInterface() != nullptr);
    }

    void nextFrom2001FindsTheTotalEclipseOfJune() {
        Step("2001", ">>");
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        QCOMPARE(ReadDateBar(m_frame).Text(), QString("2001-6-21 12:5:5"));

        // The map repainted during the step and took the sub-solar point as its centre.
        QCOMPARE(m_doc->m_bCentreSet, 1);
        QVERIFY(std::fabs(m_doc->m_dCentreLat - 23.44) < 0.1);
        QVERIFY(m_doc->m_dCentreLon >= -180.0 && m_doc->m_dCentreLon <= 180.0);
        const QImage map = GrabMap(m_frame);
        QVERIFY2(CountPixels(map, kDiscColour) > 200000, "the globe's disc is not drawn");
        QVERIFY2(CountPixels(map, kOverlayColour) > 500, "the eclipse is not drawn");
        QCOMPARE(map.pixelColor(map.width() - 1, 0), Background(m_frame));

        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(m_frame->GetTreeView());
        QVERIFY(tree != nullptr);
        QTRY_VERIFY(tree->childCount() > 1);  // rows are laid out by the event loop
        QStringList names;
        for (int i = 0; i < tree->childCount(); ++i) {
            QAccessibleInterface* line = tree->child(i);
            if (line->role() == QAccessible::TreeItem) names << line->text(QAccessible::Name);
        }
        QCOMPARE(names, kJune2001Lines);
    }

    void stepsWalkFromEclipseToEclipse() {
        const struct {
            const char* press;
            const char* dateLine;
            const char* typeLine;
        } walk[] = {{">>", "Date = 2001 June 21", "Type = Total "},
                    {">>", "Date = 2001 December 14", "Type = Annular "},
                    {"<<", "Date = 2001 June 21", "Type = Total "},
                    {"<<", "Date = 2000 December 25", "Type = Partial "},
                    {">>", "Date = 2001 June 21", "Type = Total "}};
        Step("2001", "");
        for (const auto& step : walk) {
            // Each press steps from the instant the last one put in the date bar.
            QTest::mouseClick(
                step.press == QString(">>") ? m_frame->GetNextButton() : m_frame->GetPrevButton(),
                Qt::LeftButton);
            const QStringList lines = m_frame->GetTreeView()->Lines();
            QCOMPARE(lines.size(), step.typeLine == QString("Type = Partial ") ? 5 : 4);
            QCOMPARE(lines[0], QString(step.dateLine));
            QCOMPARE(lines[3], QString(step.typeLine));
            if (lines.size() == 5) QVERIFY(lines[4].startsWith("Magn. = "));
            // The date bar shows the instant the list shows.
            const Date_Bar_Values shown = ReadDateBar(m_frame);
            QCOMPARE(
                QString("Date = %1 %2 %3")
                    .arg(shown.year, QLocale(QLocale::English).standaloneMonthName(shown.month))
                    .arg(shown.day),
                lines[0]);
        }
    }

    void steppingBackBeyondAD1ShowsAMinusSign() {
        Step("1", "<<");
        QCOMPARE(m_frame->GetYearEdit()->text(), QString("-1"));
        QVERIFY(m_frame->GetTreeView()->Lines().value(0).startsWith("Date = -1 "));
        const double jde = m_doc->m_eclipse.jde;
        QTest::mouseClick(m_frame->GetPrevButton(), Qt::LeftButton);  // reads "-1" back
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
        QTest::newRow("year 10000") << "10000" << 1 << 1;
        QTest::newRow("year 70000, not read as 4464") << "70000" << 1 << 1;
        QTest::newRow("year of 25 digits") << "1234567890123456789012345" << 1 << 1;
    }

    void invalidDateChangesNothingButTheRecordedCentre() {
        QFETCH(QString, year);
        QFETCH(int, month);
        QFETCH(int, day);
        Step("2001", ">>");
        const double subSolarLongitude = m_doc->m_dCentreLon;
        m_frame->OnViewEast();
        const Eclipse_Record record = m_doc->m_eclipse;
        const double latitude = m_doc->m_dCentreLat;
        const QStringList lines = m_frame->GetTreeView()->Lines();
        SetDateBar(m_frame, year, month, day, 3, 4, 5);
        const QString entered = ReadDateBar(m_frame).Text();
        Paint_Counter paints(m_frame->GetMapView());

        QTest::mouseClick(m_frame->GetNextButton(), Qt::LeftButton);
        QCOMPARE(m_doc->m_bCentreSet, 0);
        QVERIFY(SameEclipse(m_doc->m_eclipse, record));
        QCOMPARE(m_doc->m_dCentreLat, latitude);
        QCOMPARE(m_doc->m_dCentreLon, subSolarLongitude + 30.0);
        QCOMPARE(m_frame->GetTreeView()->Lines(), lines);
        QCOMPARE(ReadDateBar(m_frame).Text(), entered);
        QCOMPARE(paints.Count(), 0);

        // Until a paint takes the centre afresh, turning does nothing.
        m_frame->OnViewEast();
        QCOMPARE(m_doc->m_dCentreLon, subSolarLongitude + 30.0);
        m_frame->GetMapView()->repaint();
        QCOMPARE(m_doc->m_bCentreSet, 1);
        QCOMPARE(m_doc->m_dCentreLon, subSolarLongitude);
    }

    void turningStepsAndBounds_data() {
        QTest::addColumn<Turn>("turn");
        QTest::addColumn<bool>("byMenu");  // else by the key
        const Turn turns[] = {
            {"East from 0", "> East", Qt::Key_Right, 0, 0, 0, 30},
            {"East from 330 reaches 360", "> East", Qt::Key_Right, 0, 330, 0, 360},
            {"East from 360 wraps to 30", "> East", Qt::Key_Right, 0, 360, 0, 30},
            {"East from -75, no wrap", "> East", Qt::Key_Right, 0, -75, 0, -45},
            {"West from 30 reaches 0", "< West", Qt::Key_Left, 0, 30, 0, 0},
            {"West from 0 wraps to 330", "< West", Qt::Key_Left, 0, 0, 0, 330},
            {"West from 360", "< West", Qt::Key_Left, 0, 360, 0, 330},
            {"West from -75 wraps to 255", "< West", Qt::Key_Left, 0, -75, 0, 255},
            {"North from 0", "^ North", Qt::Key_Up, 0, 10, 15, 10},
            {"North from 80 stops at 90", "^ North", Qt::Key_Up, 80, 10, 90, 10},
            {"North at 90 changes nothing", "^ North", Qt::Key_Up, 90, 10, 90, 10},
            {"South from 0", "v South", Qt::Key_Down, 0, 10, -15, 10},
            {"South from -85 stops at -90", "v South", Qt::Key_Down, -85, 10, -90, 10},
            {"South at -90 changes nothing", "v South", Qt::Key_Down, -90, 10, -90, 10},
        };
        for (const Turn& turn : turns) {
            QTest::addRow("key, %s", turn.label) << turn << false;
            QTest::addRow("menu, %s", turn.label) << turn << true;
        }
    }

    void turningStepsAndBounds() {
        QFETCH(Turn, turn);
        QFETCH(bool, byMenu);
        Step("2001", ">>");
        m_doc->m_dCentreLat = turn.latitude;
        m_doc->m_dCentreLon = turn.longitude;
        const QImage before = GrabMap(m_frame);
        QAction* action = nullptr;
        for (QAction* candidate : MenuTitled(m_frame->menuBar(), "&View")->actions()) {
            if (candidate->text() == turn.menuItem) action = candidate;
        }
        QVERIFY(action != nullptr);
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        Paint_Counter paints(m_frame->GetMapView());
        if (byMenu) {
            action->trigger();
        } else {
            QTest::keyClick(QApplication::focusWidget(), turn.key);
        }
        QCOMPARE(m_doc->m_dCentreLat, turn.newLatitude);
        QCOMPARE(m_doc->m_dCentreLon, turn.newLongitude);
        // Repainted before the command returned, and only when the centre moved.
        const bool moved = turn.newLatitude != turn.latitude || turn.newLongitude != turn.longitude;
        QCOMPARE(paints.Count(), moved ? 1 : 0);
        QCOMPARE(GrabMap(m_frame) != before, moved);
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
        Step("2001", ">>");
        m_doc->m_dCentreLat = 10.0;
        m_doc->m_dCentreLon = 100.0;
        auto* widget = m_frame->findChild<QWidget*>(control);
        QVERIFY(widget != nullptr);
        QVERIFY(FocusOn(widget));
        const QString shown = ReadDateBar(m_frame).Text();
        const QImage before = GrabMap(m_frame);

        const struct {
            Qt::Key key;
            double latitude, longitude;
        } presses[] = {{Qt::Key_Right, 10, 130}, {Qt::Key_Left, 10, 100}, {Qt::Key_Left, 10, 70},
                       {Qt::Key_Up, 25, 70},     {Qt::Key_Down, 10, 70},  {Qt::Key_Down, -5, 70}};
        for (const auto& press : presses) {
            QTest::keyClick(widget, press.key);
            QCOMPARE(m_doc->m_dCentreLat, press.latitude);
            QCOMPARE(m_doc->m_dCentreLon, press.longitude);
            // Back at the first centre, the map is painted as it was.
            if (press.longitude == 100) QCOMPARE(GrabMap(m_frame), before);
        }
        // The control itself did not take the keys.
        QCOMPARE(ReadDateBar(m_frame).Text(), shown);
        QVERIFY(widget->hasFocus());
        // With a modifier they are the control's own.
        QTest::keyClick(widget, Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(widget, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(m_doc->m_dCentreLon, 70.0);
    }

    void menusAndStatusBar() {
        QMenu* file = MenuTitled(m_frame->menuBar(), "&File");
        QMenu* view = MenuTitled(m_frame->menuBar(), "&View");
        QVERIFY(file != nullptr && view != nullptr);
        QCOMPARE(ActionTexts(file), QStringList({"E&xit"}));
        QCOMPARE(ActionTexts(view),
                 QStringList({"&Status Bar", "", "< West", "> East", "^ North", "v South"}));

        QCOMPARE(m_frame->GetMessagePane()->text(), QString("Ready"));
        // The offscreen platform does not tell the lock keys' state: dimmed.
        for (QLabel* indicator : {m_frame->GetCapsIndicator(), m_frame->GetNumIndicator(),
                                  m_frame->GetScrollIndicator()}) {
            QVERIFY(!indicator->isEnabled());
        }
        QCOMPARE(m_frame->GetCapsIndicator()->text(), QString("CAP"));
        QCOMPARE(m_frame->GetNumIndicator()->text(), QString("NUM"));
        QCOMPARE(m_frame->GetScrollIndicator()->text(), QString("SCRL"));
        auto* toggle = m_frame->findChild<QAction*>("ID_VIEW_STATUS_BAR");
        QVERIFY(toggle != nullptr);
        QVERIFY(m_frame->statusBar()->isVisible());
        toggle->trigger();
        QVERIFY(!m_frame->statusBar()->isVisible());
        toggle->trigger();
        QVERIFY(m_frame->statusBar()->isVisible());
    }

    void editingAcceleratorsDoNothing_data() {
        QTest::addColumn<QString>("keys");
        for (const char* keys : {"Ctrl+V", "Shift+Ins", "Ctrl+X", "Shift+Del", "Ctrl+Z",
                                 "Alt+Backspace", "Ctrl+C", "Ctrl+Ins"}) {
            QTest::newRow(keys) << keys;
        }
    }

    void editingAcceleratorsDoNothing() {
        QFETCH(QString, keys);
        QApplication::clipboard()->setText("1234");
        QLineEdit* year = m_frame->GetYearEdit();
        year->setText("1999");
        QVERIFY(FocusOn(year));
        year->selectAll();
        QTest::keySequence(year, QKeySequence(keys));
        QCOMPARE(year->text(), QString("1999"));
        QCOMPARE(QApplication::clipboard()->text(), QString("1234"));
    }

    void yearFieldTakesDigitsOnly() {
        QLineEdit* year = m_frame->GetYearEdit();
        year->clear();
        QVERIFY(FocusOn(year));
        QTest::keyClicks(year, "-2a0 0.1");
        QCOMPARE(year->text(), QString("2001"));
        // A minus sign from a step back may stay while the digits are edited.
        year->setText("-500");
        year->end(false);
        QTest::keyClick(year, Qt::Key_Backspace);
        QCOMPARE(year->text(), QString("-50"));
    }

    void helpKeysShowTheHelpWindow() {
        QVERIFY(FocusOn(m_frame->GetYearEdit()));
        for (const char* keys : {"F1", "Shift+F1"}) {
            QTest::keySequence(m_frame->GetYearEdit(), QKeySequence(keys));
            QDialog* help = m_frame->GetHelpWindow();
            QVERIFY2(help != nullptr && help->isVisible() && !help->isModal(), keys);
            auto* text = help->findChild<QLabel*>("HelpText");
            QVERIFY(text != nullptr);
            for (const char* part : {"dynamical time", "&lt;&lt;", "Left and Right"}) {
                QVERIFY2(text->text().contains(part), part);
            }
            help->hide();
        }
    }

    void paneKeysMoveBetweenTheLists() {
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(m_frame->GetMapView()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(m_frame->GetTreeView()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(m_frame->GetMapView()->hasFocus());
    }

    void newDocumentKeepsTheEclipse() {
        Step("2001", ">>");
        m_frame->OnViewNorth();
        const Eclipse_Record record = m_doc->m_eclipse;
        const double latitude = m_doc->m_dCentreLat;
        const double longitude = m_doc->m_dCentreLon;
        QVERIFY(FocusOn(m_frame->GetTreeView()));
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

    void resizingKeepsTheMapInPlace() {
        Step("2001", ">>");
        const QImage before = GrabMap(m_frame);
        m_frame->resize(m_frame->width() + 150, m_frame->height() + 90);
        QTRY_VERIFY(m_frame->GetMapView()->width() >= before.width() + 150);
        QCOMPARE(GrabMap(m_frame).copy(before.rect()), before);
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
