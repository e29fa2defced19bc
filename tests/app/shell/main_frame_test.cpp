// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a user would on the offscreen platform: the start-up state and
// the window's icon, the steps between eclipses and at the ends of the years, turning the
// globe by keys, menu and mouse, the menus, the accelerators on any keyboard layout, the
// map on a scaled display, the precise picture, the place picked on the globe and the
// steps to the eclipses seen from it. Each test starts the program as on a first start.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <xkbcommon/xkbcommon.h>

#include <cmath>
#include <memory>
#include <tuple>

#include "app/details_lines.h"
#include "app/shell/command_ids.h"
#include "app/shell/date_bar.h"
#include "app/shell/latin_keys.h"
#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/velmor_app.h"
#include "app/shell/velmor_view.h"
#include "app/shell/view_settings.h"
#include "app/velmor_doc.h"
#include "shell_test_support.h"

namespace {

const QStringList kJune2001Lines = {"Date = 2001 June 21", "TD = 12:05:05", "UT-TD [s] = -103",
                                    "Type = Total "};

QList<QComboBox*> DateBarLists(const CDateBar* bar) {
    return {bar->GetMonthList(), bar->GetDayList(), bar->GetHourList(), bar->GetMinuteList(),
            bar->GetSecondList()};
}

// The date bar as "year month day hour minute second", numbers from the lists' item data.
QString DateBar(const CMainFrame* frame) {
    QStringList parts{frame->GetDateBar()->GetYearEdit()->text()};
    for (const QComboBox* list : DateBarLists(frame->GetDateBar()))
        parts << list->currentData().toString();
    return parts.join(' ');
}

void SetDateBar(CMainFrame* frame, const QString& text) {
    const QStringList parts = text.split(' ');
    frame->GetDateBar()->GetYearEdit()->setText(parts[0]);
    const QList<QComboBox*> lists = DateBarLists(frame->GetDateBar());
    for (int i = 0; i < 5; ++i)
        lists[i]->setCurrentIndex(CDateBar::FindComboItem(lists[i], parts[i + 1].toInt()));
}

QImage MapImage(const CMainFrame* frame) {
    return frame->GetMapView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
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

QStringList ToQStrings(const std::vector<std::string>& lines) {
    QStringList out;
    for (const std::string& line : lines) out << QString::fromStdString(line);
    return out;
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The key event X11 delivers for the physical key `scanCode` with layout `layout` of the
// keyboard's layouts "us,ru" active: its key is that layout's character.
QKeyEvent UsRuKeyEvent(quint32 scanCode, xkb_layout_index_t layout,
                       Qt::KeyboardModifiers modifiers) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names = {"evdev", "pc105", "us,ru", "", ""};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_state* state = xkb_state_new(keymap);
    xkb_state_update_mask(state, 0, 0, 0, 0, 0, layout);
    const xkb_keysym_t symbol = xkb_state_key_get_one_sym(state, scanCode);
    xkb_state_unref(state);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    const QChar character(char16_t(xkb_keysym_to_utf32(symbol)));
    const quint32 group = layout << 13;  // the layout's bits in an X11 key event's state
    return QKeyEvent(QEvent::KeyPress, character.toUpper().unicode(), modifiers, scanCode, symbol,
                     group, QString(character));
}

struct Turn {
    const char* label;
    const char* action;
    Qt::Key key;
    double latitude, longitude, newLatitude, newLongitude;  // degrees
};

struct Accelerator {
    const char* label;
    int key;
    Qt::KeyboardModifiers modifiers;
    int command;       // 0: none
    quint32 scanCode;  // X11 key code of a letter key, pressed on the layouts "us,ru"; or 0
};

struct Mouse {
    const char* label;
    QPoint at, by;                     // the press, and the movement to the release
    double latitude, longitude;        // the globe's centre before, degrees
    double newLatitude, newLongitude;  // and after
    bool placeSet;                     // after: a place picked, or kept
};

}  // namespace

Q_DECLARE_METATYPE(Turn)
Q_DECLARE_METATYPE(Accelerator)
Q_DECLARE_METATYPE(Mouse)

class MainFrameTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_settingsFolder;
    std::unique_ptr<CVelmorApp> m_app;
    CMainFrame* m_frame = nullptr;
    CVelmorDoc* m_doc = nullptr;

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
    bool FocusOn(QWidget* widget) {
        widget->setFocus(Qt::OtherFocusReason);
        return QTest::qWaitFor([widget] { return widget->hasFocus(); });
    }
    // The eclipse, the globe's centre, the list and the date bar.
    QVariantList Shown() const {
        return {m_doc->m_eclipse.jde, m_doc->m_dCentreLat, m_doc->m_dCentreLon,
                m_frame->GetTreeView()->Lines(), DateBar(m_frame)};
    }

  private slots:
    void initTestCase() { UseSettingsIn(m_settingsFolder); }
    void init() {
        ClearSettings();
        Start();
    }
    void cleanup() { m_app.reset(); }

    void startUpState() {
        // Before any eclipse is shown a click picks no place; without a place the steps to
        // the eclipses seen from it are disabled and do nothing.
        QTest::mouseClick(m_frame->GetMapView(), Qt::LeftButton, {}, QPoint(320, 320));
        m_frame->OnCommand(ID_VIEW_NEXT_VISIBLE);
        QVERIFY(!m_doc->m_bPlaceSet && !m_frame->GetNextVisibleAction()->isEnabled());
        const QDateTime shown = QDateTime::fromString(DateBar(m_frame), "yyyy M d H m s");
        const qint64 age = shown.secsTo(QDateTime::currentDateTime());
        QVERIFY2(shown.isValid() && age >= 0 && age <= 65, qPrintable(DateBar(m_frame)));
        QVERIFY(m_frame->GetTreeView()->Lines().isEmpty());
        CVelmorView* map = m_frame->GetMapView();
        QCOMPARE(CountPixels(MapImage(m_frame), map->palette().color(QPalette::Base).rgb()),
                 map->width() * map->height());
        // Nothing turns before a paint has recorded a centre.
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        Paint_Counter paints(map);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
            QTest::keyClick(m_frame->GetTreeView(), key);
        QCOMPARE(paints.count, 0);
        QCOMPARE(m_doc->m_dCentreLat, 0.0);
        QCOMPARE(m_doc->m_dCentreLon, 0.0);
        // The window's icon: each size drawn at build time, a round globe (opaque in the
        // middle, transparent in the corners).
        const QIcon icon = m_frame->windowIcon();
        QCOMPARE(icon.availableSizes().size(), 8);
        const QImage image = icon.pixmap(QSize(16, 16), 1.0).toImage();
        QCOMPARE(qAlpha(image.pixel(0, 0)) + qAlpha(image.pixel(15, 15)), 0);
        QCOMPARE(qAlpha(image.pixel(8, 8)), 255);
    }

    // Steps through the date bar's buttons, each from the date bar's date: a typed date, or
    // the instant the last step showed. A refused step ("-": an invalid date, or a year
    // beyond -4713 ... 9999 that a step showed) changes nothing but the recorded centre.
    void steps_data() {
        QTest::addColumn<QStringList>("steps");  // ">" next, "<" previous, or a typed date
        QTest::addColumn<QStringList>("shown");  // the date bar after each step, or "-"
        const QString from2001 = "2001 1 1 0 0 0", june2001 = "2001 6 21 12 5 5";
        QTest::newRow("on from 2001 and back")
            << QStringList{from2001, ">", ">", "<", "<"}
            << QStringList{june2001, "2001 12 14 20 53 24", june2001, "2000 12 25 17 36 28"};
        QTest::newRow("back past AD 1") << QStringList{"1 1 1 0 0 0", "<", "<"}
                                        << QStringList{"-1 12 14 18 18 17", "-1 7 19 20 43 37"};
        QTest::newRow("past 9999, then refused") << QStringList{"9999 12 31 23 59 59", ">", ">"}
                                                 << QStringList{"10000 3 30 1 59 15", "-"};
        for (const char* date : {"2001 4 31 3 4 5", "-4714 12 31 0 0 0", "10000 1 1 0 0 0",
                                 "1234567890123456789012345 1 1 3 4 5"}) {
            QTest::addRow("%s refused", date)
                << QStringList{from2001, ">", date, ">"} << QStringList{june2001, "-"};
        }
    }
    void steps() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, shown);
        for (const QString& step : steps) {
            if (step.size() > 1) {
                SetDateBar(m_frame, step);
                continue;
            }
            if (m_doc->m_bCentreSet) m_frame->OnViewEast();
            const QVariantList before = Shown();
            Paint_Counter paints(m_frame->GetMapView());
            StepFrom(DateBar(m_frame), step == ">");
            const QString expected = shown.takeFirst();
            if (expected == "-") {
                QCOMPARE(Shown(), before);
                QCOMPARE(m_doc->m_bCentreSet, false);
                QCOMPARE(paints.count, 0);
                // The next paint takes the sub-solar point afresh, undoing the turn.
                m_frame->GetMapView()->repaint();
                QCOMPARE(m_doc->m_dCentreLon, before[2].toDouble() - 30.0);
                continue;
            }
            // The list shows the instant put in the date bar, the map the globe and eclipse.
            QCOMPARE(DateBar(m_frame), expected);
            const QStringList at = expected.split(' ');
            QCOMPARE(m_frame->GetTreeView()->Lines().mid(0, 2),
                     QStringList({QString("Date = %1 %2 %3")
                                      .arg(at[0], QLocale::c().monthName(at[1].toInt()), at[2]),
                                  QString::asprintf("TD = %02d:%02d:%02d", at[3].toInt(),
                                                    at[4].toInt(), at[5].toInt())}));
            const QImage map = MapImage(m_frame);
            QCOMPARE_GT(CountPixels(map, qRgb(40, 166, 254)), 200000);  // the globe
            QCOMPARE_GT(CountPixels(map, qRgb(0, 255, 0)), 250);        // the eclipse
        }
    }

    // By the arrow keys wherever the focus is, also in the date bar's controls (which do not
    // get the keys), or by the menu.
    void turningStepsAndBounds_data() {
        QTest::addColumn<Turn>("turn");
        QTest::addColumn<QString>("by");  // "menu", else the key in "details" or a control
        const Turn turns[] = {
            {"East 330 to 360", "ID_VIEW_EAST", Qt::Key_Right, 0, 330, 0, 360},
            {"East 360 wraps to 30", "ID_VIEW_EAST", Qt::Key_Right, 0, 360, 0, 30},
            {"West 0 wraps to 330", "ID_VIEW_WEST", Qt::Key_Left, 0, 0, 0, 330},
            {"North 80 stops at 90", "ID_VIEW_NORTH", Qt::Key_Up, 80, 10, 90, 10},
            {"North at 90 stays", "ID_VIEW_NORTH", Qt::Key_Up, 90, 10, 90, 10},
            {"South -85 stops at -90", "ID_VIEW_SOUTH", Qt::Key_Down, -85, 10, -90, 10},
        };
        for (const Turn& turn : turns) {
            QTest::addRow("key, %s", turn.label) << turn << "details";
            QTest::addRow("menu, %s", turn.label) << turn << "menu";
        }
        QTest::newRow("key in the month list, North")
            << Turn{"", "", Qt::Key_Up, 10, 100, 25, 100} << "IDC_MONTH";
    }
    void turningStepsAndBounds() {
        QFETCH(Turn, turn);
        QFETCH(QString, by);
        StepFrom("2001 1 1 0 0 0");
        m_doc->m_dCentreLat = turn.latitude;
        m_doc->m_dCentreLon = turn.longitude;
        QWidget* focus =
            by.startsWith("IDC_") ? m_frame->findChild<QWidget*>(by) : m_frame->GetTreeView();
        QVERIFY(focus != nullptr && FocusOn(focus));
        const QString shown = DateBar(m_frame);
        Paint_Counter paints(m_frame->GetMapView());
        if (by == "menu") {
            m_frame->findChild<QAction*>(turn.action)->trigger();
        } else {
            QTest::keyClick(focus, turn.key);
        }
        QCOMPARE(m_doc->m_dCentreLat, turn.newLatitude);
        QCOMPARE(m_doc->m_dCentreLon, turn.newLongitude);
        // Repainted before the command returned, and only when the centre moved.
        const bool moved = turn.newLatitude != turn.latitude || turn.newLongitude != turn.longitude;
        QCOMPARE(paints.count, int(moved));
        QCOMPARE(DateBar(m_frame), shown);
        QVERIFY(focus->hasFocus());
    }

    // With the status tips of the items that have one.
    void menuTextsAndOrder() {
        QStringList shown;
        for (const QAction* menu : m_frame->menuBar()->actions()) {
            shown << menu->text();
            for (const QAction* item : menu->menu()->actions()) {
                const QString tip =
                    item->statusTip().isEmpty() ? "" : " (" + item->statusTip() + ")";
                shown << "  " + (item->isSeparator() ? QString("-") : item->text()) + tip;
            }
        }
        QCOMPARE(shown, QStringList({"&File", "  E&xit", "&View", "  &Status Bar", "  -",
                                     "  < West", "  > East", "  ^ North", "  v South", "  -",
                                     "  Next Eclipse &Visible Here (Next eclipse visible here)",
                                     "  Previous Eclipse V&isible Here (Previous eclipse "
                                     "visible here)",
                                     "  -", "  &Precise (Precise eclipse)"}));
    }

    // A row with a scan code is also pressed on the Russian layout of "us,ru", where the key
    // reported is a Cyrillic letter: its accelerator is found through the keyboard's layouts.
    void acceleratorTable_data() {
        const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier,
                                    shift = Qt::ShiftModifier, alt = Qt::AltModifier;
        const Accelerator rows[] = {
            {"Ctrl+C", Qt::Key_C, ctrl, ID_EDIT_COPY, 54},
            {"Ctrl+N", Qt::Key_N, ctrl, ID_FILE_NEW, 57},
            {"Ctrl+O", Qt::Key_O, ctrl, ID_FILE_OPEN, 32},
            {"Ctrl+P", Qt::Key_P, ctrl, ID_FILE_PRINT, 33},
            {"Ctrl+S", Qt::Key_S, ctrl, ID_FILE_SAVE, 39},
            {"Ctrl+V", Qt::Key_V, ctrl, ID_EDIT_PASTE, 55},
            {"Alt+Backspace", Qt::Key_Backspace, alt, ID_EDIT_UNDO, 0},
            {"Shift+Delete", Qt::Key_Delete, shift, ID_EDIT_CUT, 0},
            {"Down", Qt::Key_Down, none, ID_VIEW_SOUTH, 0},
            {"F1", Qt::Key_F1, none, ID_HELP, 0},
            {"Shift+F1", Qt::Key_F1, shift, ID_CONTEXT_HELP, 0},
            {"F6", Qt::Key_F6, none, ID_NEXT_PANE, 0},
            {"Shift+F6", Qt::Key_F6, shift, ID_PREV_PANE, 0},
            {"Ctrl+Insert", Qt::Key_Insert, ctrl, ID_EDIT_COPY, 0},
            {"Shift+Insert", Qt::Key_Insert, shift, ID_EDIT_PASTE, 0},
            {"Left", Qt::Key_Left, none, ID_VIEW_WEST, 0},
            {"Right", Qt::Key_Right, none, ID_VIEW_EAST, 0},
            {"Up", Qt::Key_Up, none, ID_VIEW_NORTH, 0},
            {"Ctrl+X", Qt::Key_X, ctrl, ID_EDIT_CUT, 53},
            {"Ctrl+Z", Qt::Key_Z, ctrl, ID_EDIT_UNDO, 52},
            // Other modifiers make other keys; the keypad's flag is no modifier.
            {"Shift+Down: none", Qt::Key_Down, shift, 0, 0},
            {"Ctrl+Shift+N: none", Qt::Key_N, ctrl | shift, 0, 57},
            {"N: none", Qt::Key_N, none, 0, 57},
            {"Up on the keypad", Qt::Key_Up, Qt::KeypadModifier, ID_VIEW_NORTH, 0},
        };
        AddRows(rows);
    }
    void acceleratorTable() {
        QFETCH(Accelerator, row);
        QCOMPARE(m_frame->AcceleratorCommand(QKeyEvent(QEvent::KeyPress, row.key, row.modifiers)),
                 row.command);
        if (row.scanCode == 0) return;
        const QKeyEvent russian = UsRuKeyEvent(row.scanCode, 1, row.modifiers);
        QCOMPARE(m_frame->AcceleratorCommand(russian), 0);  // without the keyboard's layouts
        m_frame->SetKeyboardLayouts(
            std::make_unique<Latin_Key_Finder>("evdev", "pc105", "us,ru", "", ""));
        QCOMPARE(m_frame->AcceleratorCommand(russian), row.command);
    }

    // Ctrl with the key of N on the Russian layout: a new document that keeps the eclipse,
    // the turned globe and the list.
    void ctrlNOnARussianLayoutMakesANewDocument() {
        QTemporaryDir folder;
        QVERIFY(m_app->OpenDocumentFile(EmptyFile(folder, "notes.txt")));
        StepFrom("2001 1 1 0 0 0");
        m_frame->OnViewNorth();
        const QVariantList before = Shown();
        m_frame->SetKeyboardLayouts(
            std::make_unique<Latin_Key_Finder>("evdev", "pc105", "us,ru", "", ""));
        QKeyEvent press = UsRuKeyEvent(57, 1, Qt::ControlModifier);
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        QApplication::sendEvent(m_frame->GetTreeView(), &press);
        QCOMPARE(m_frame->windowTitle(), QString("Untitled - Velmor (velmor@example.org)"));
        QCOMPARE(Shown(), before);
        QCOMPARE_GT(CountPixels(MapImage(m_frame), qRgb(0, 255, 0)), 500);
    }

    // Pressed from the month list. The menu bar, an open menu and an open list keep their
    // keys: the globe does not turn.
    void menusKeepTheirKeys_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("active");  // the menu or item active after the keys
        QTest::newRow("Alt, then Right moves from File to View")
            << QKeySequence(Qt::Key_Alt, Qt::Key_Right) << "bar: &View";
        QTest::newRow("Right in the open File menu opens View")
            << QKeySequence("Alt+F, Right") << "menu: &View";
        QTest::newRow("Down in the open View menu moves to its next item")
            << QKeySequence("Alt+V, Down") << "item: < West";
        QTest::newRow("Down in the open month list moves to the next month")
            << QKeySequence("Alt+Down, Down, Return") << "list: February";
    }
    void menusKeepTheirKeys() {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, active);
        StepFrom("2001 1 1 0 0 0");
        QComboBox* month = m_frame->GetDateBar()->GetMonthList();
        month->setCurrentIndex(0);
        QVERIFY(FocusOn(month));
        const QVariantList before = Shown();
        for (int i = 0; i < keys.count(); ++i) {
            QWidget* popup = QApplication::activePopupWidget();
            QWidget* target = popup == nullptr                  ? QApplication::focusWidget()
                              : popup->focusWidget() != nullptr ? popup->focusWidget()
                                                                : popup;
            QTest::keyClick(target, keys[i].key(), keys[i].keyboardModifiers());
        }
        QMenuBar* bar = m_frame->menuBar();
        const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QAction* item = menu != nullptr ? menu->activeAction() : nullptr;
        const QStringList state = {
            "bar: " + (bar->activeAction() != nullptr ? bar->activeAction()->text() : ""),
            "menu: " + (menu != nullptr ? menu->title() : ""),
            "item: " + (item != nullptr ? item->text() : ""), "list: " + month->currentText()};
        QVERIFY2(state.contains(active), qPrintable(state.join(", ")));
        QCOMPARE(Shown().mid(0, 3), before.mid(0, 3));
        while (QApplication::activePopupWidget() != nullptr)
            QApplication::activePopupWidget()->close();
    }

    // Run with QT_SCALE_FACTOR=2.
    void sharpMapOnAScaledDisplay() {
        CVelmorView* map = m_frame->GetMapView();
        const qreal ratio = map->devicePixelRatioF();
        if (ratio < 2) QSKIP("needs a display scaled by 2 (QT_SCALE_FACTOR=2)");
        m_frame->resize(m_frame->sizeHint() + QSize(200, 200));
        QTRY_VERIFY(map->width() >= 640 && map->height() >= 640);
        StepFrom("2001 1 1 0 0 0");
        const QImage image = MapImage(m_frame);
        QCOMPARE(image.size(), map->size() * ratio);
        // The disc keeps its place in the pane's pixels: from 2 to 638 across its middle.
        const int middle = int(320 * ratio);
        const QRgb background = map->palette().color(QPalette::Base).rgb();
        int left = 0, right = image.width() - 1;
        while (left < image.width() && image.pixel(left, middle) == background) ++left;
        while (right > 0 && image.pixel(right, middle) == background) --right;
        QCOMPARE(left, int(2 * ratio));
        QCOMPARE(right, int(638 * ratio) - 1);
        // Lines and text at the device's resolution, not blown up pixel by pixel: count the
        // 2 x 2 blocks of device pixels that are not of one colour.
        int mixed = 0;
        for (int y = 0; y + 1 < image.height(); y += 2) {
            for (int x = 0; x + 1 < image.width(); x += 2) {
                const QRgb c = image.pixel(x, y);
                mixed += image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c ||
                         image.pixel(x + 1, y + 1) != c;
            }
        }
        QCOMPARE_GT(mixed, 2000);
    }

    // Off on a first start; the menu item switches the picture and the lines on and off, is
    // remembered for the next start, and with the flag off everything is as it was, to the
    // pixel.
    void preciseItemTogglesAndIsRemembered() {
        QAction* precise = m_frame->GetPreciseAction();
        QVERIFY(precise->isCheckable() && !precise->isChecked() && !m_doc->m_bPrecise);
        StepFrom("2001 1 1 0 0 0");
        const QImage plain = MapImage(m_frame);

        precise->trigger();
        QVERIFY(precise->isChecked() && m_doc->m_bPrecise && shell::LoadPreciseFlag());
        const QStringList lines = m_frame->GetTreeView()->Lines();
        QCOMPARE(lines, kJune2001Lines +
                            ToQStrings(PreciseDetailLines(m_doc->GetPreciseEclipse().global)));
        QCOMPARE(lines.size(), 12);
        const QImage withPrecise = MapImage(m_frame);
        const COLORREF red = PRECISE_LINE_COLOUR;
        QCOMPARE_GT(CountPixels(withPrecise, qRgb(GetRValue(red), GetGValue(red), GetBValue(red))),
                    300);
        // Computed once for the eclipse, however often the map is painted and the list rebuilt.
        m_frame->OnViewEast();
        m_frame->GetTreeView()->OnDraw(nullptr);
        QCOMPARE(m_doc->PreciseComputations(), 1);

        // The next start comes up with it on.
        m_app.reset();
        Start();
        QVERIFY(m_frame->GetPreciseAction()->isChecked() && m_doc->m_bPrecise);
        StepFrom("2001 1 1 0 0 0");
        QCOMPARE(MapImage(m_frame), withPrecise);
        QCOMPARE(m_frame->GetTreeView()->Lines(), lines);

        m_frame->OnCommand(ID_VIEW_PRECISE);
        QVERIFY(!m_frame->GetPreciseAction()->isChecked() && !shell::LoadPreciseFlag());
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
        QCOMPARE(MapImage(m_frame), plain);
    }

    // A press and release without a movement of the drag distance is a click: on the disc
    // it picks the place under the pointer, off the disc it clears the place. A longer
    // movement turns the globe, within the bounds of the turning commands, and picks nothing.
    void mouseOnTheGlobe_data() {
        const double k = CVelmorView::kDragDegreesPerPixel;
        const Mouse rows[] = {
            {"click on the disc's centre", {320, 320}, {0, 0}, 10, 30, 10, 30, true},
            {"short move, a click", {320, 320}, {1, 1}, 10, 30, 10, 30, true},
            {"click just beyond the rim", {320, 320 + 319}, {0, 0}, 10, 30, 10, 30, false},
            {"drag right: west in view", {320, 320}, {100, 0}, 0, 100, 0, 100 - 100 * k, true},
            {"drag right across 0 to 360", {320, 320}, {100, 0}, 0, 10, 0, 370 - 100 * k, true},
            {"drag far down stops at 90", {320, 320}, {0, 1000}, 10, 30, 90, 30, true},
            {"drag far up stops at -90", {320, 320}, {30, -1000}, 10, 30, -90, 30 - 30 * k, true},
        };
        AddRows(rows);
    }
    void mouseOnTheGlobe() {
        QFETCH(Mouse, row);
        CVelmorView* map = m_frame->GetMapView();
        StepFrom("2001 1 1 0 0 0");
        QTest::mouseClick(map, Qt::LeftButton, Qt::NoModifier, QPoint(320, 300));
        const besselian::Geodetic_Place first = m_doc->m_place;
        QVERIFY(m_doc->m_bPlaceSet);

        m_doc->m_dCentreLat = row.latitude;
        m_doc->m_dCentreLon = row.longitude;
        const bool click = row.by.manhattanLength() < QApplication::startDragDistance();
        Paint_Counter paints(map);
        SendMouse(map, QEvent::MouseButtonPress, row.at, Qt::LeftButton);
        SendMouse(map, QEvent::MouseMove, row.at + row.by / 2, Qt::LeftButton);
        QCOMPARE(paints.count > 0, !click);  // a drag repaints as the mouse moves
        SendMouse(map, QEvent::MouseMove, row.at + row.by, Qt::LeftButton);
        SendMouse(map, QEvent::MouseButtonRelease, row.at + row.by, Qt::NoButton);
        // The map shows the new centre: the next paint keeps it.
        map->repaint();
        QCOMPARE_LT(std::fabs(m_doc->m_dCentreLat - row.newLatitude), 1e-9);
        QCOMPARE_LT(std::fabs(m_doc->m_dCentreLon - row.newLongitude), 1e-9);

        QCOMPARE(m_doc->m_bPlaceSet, row.placeSet);
        besselian::Geodetic_Place kept;
        QCOMPARE(shell::LoadPlace(kept), row.placeSet);
        QCOMPARE(
            m_frame->GetTreeView()->Lines(),
            kJune2001Lines + (row.placeSet ? ToQStrings(LocalDetailLines(
                                                 m_doc->m_place, m_doc->GetLocalCircumstances()))
                                           : QStringList()));
        if (!row.placeSet) return;
        const QPointF place(kept.latitudeDeg, kept.longitudeDeg);
        QCOMPARE(place, QPointF(m_doc->m_place.latitudeDeg, m_doc->m_place.longitudeDeg));
        // A drag keeps the place; a click puts it under the pointer and marks it there.
        QCOMPARE(place == QPointF(first.latitudeDeg, first.longitudeDeg), !click);
        if (click) QCOMPARE(MapImage(m_frame).pixel(row.at), qRgb(0, 0, 0));
    }

    // From Madrid: the annular eclipse of 2026 February 17 is seen only in Antarctica; the
    // total one of 2026 August 12 deeply partial in Madrid; 2025 March 29 partial there.
    void visibleHereSteps() {
        for (const auto& [forward, dateLine, plainStepDateLine] :
             {std::tuple{true, "Date = 2026 August 12", "Date = 2026 February 17"},
              std::tuple{false, "Date = 2025 March 29", "Date = 2025 September 21"}}) {
            // The place from the settings, as a later start finds it.
            m_app.reset();
            shell::SavePlace(true, {40.4168, -3.7038, 650.0});
            Start();
            StepFrom("2026 1 1 0 0 0", forward);
            QCOMPARE(m_frame->GetTreeView()->Lines().value(0), QString(plainStepDateLine));
            SetDateBar(m_frame, "2026 1 1 0 0 0");
            (forward ? m_frame->GetNextVisibleAction() : m_frame->GetPrevVisibleAction())
                ->trigger();
            const QStringList lines = m_frame->GetTreeView()->Lines();
            QCOMPARE(lines.value(0), QString(dateLine));
            // The date bar shows the eclipse as a step does, and the list what Madrid sees.
            const Civil_Date_Time& at = m_doc->m_eclipse.dateTime;
            QCOMPARE(DateBar(m_frame), QString::asprintf("%d %d %d %d %d %d", at.year, at.month,
                                                         at.day, at.hour, at.minute, at.second));
            QVERIFY(lines.contains("Seen = Partial"));
            QVERIFY(besselian::IsVisible(*m_doc->GetLocalCircumstances()));
        }
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
