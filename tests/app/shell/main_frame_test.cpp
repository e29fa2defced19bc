// The main window driven as a user would on the offscreen platform: the start-up state, the
// steps between eclipses, turning the globe and the new-document command.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xkbcommon/xkbcommon.h>

#include <memory>

#include "app/shell/command_ids.h"
#include "app/shell/date_bar.h"
#include "app/shell/latin_keys.h"
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

// The 2 x 2 blocks of device pixels of `image` that are not of one colour.
int MixedBlocks(const QImage& image) {
    int mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb c = image.pixel(x, y);
            mixed += image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c ||
                     image.pixel(x + 1, y + 1) != c;
        }
    }
    return mixed;
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

std::unique_ptr<Latin_Key_Finder> UsRuLayouts() {
    return std::make_unique<Latin_Key_Finder>("evdev", "pc105", "us,ru", "", "");
}

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
        QCOMPARE(m_doc->m_bCentreSet, false);
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

    void stepsAtTheEndsOfTheYears_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("shown");     // date bar after the step
        QTest::addColumn<QString>("dateLine");  // first line of the list
        QTest::addColumn<bool>("stepsOn");      // a second step in the direction finds one
        QTest::newRow("back past AD 1") << "1 1 1 0 0 0" << false << "-1 12 14 18 18 17"
                                        << "Date = -1 December 14" << true;
        QTest::newRow("past 9999") << "9999 12 31 23 59 59" << true << "10000 3 30 1 59 15"
                                   << "Date = 10000 March 30" << false;
    }

    void stepsAtTheEndsOfTheYears() {
        QFETCH(QString, from);
        QFETCH(bool, forward);
        QFETCH(QString, shown);
        QFETCH(QString, dateLine);
        QFETCH(bool, stepsOn);
        QPushButton* button = forward ? m_frame->GetDateBar()->GetNextButton()
                                      : m_frame->GetDateBar()->GetPrevButton();
        SetDateBar(m_frame, from);
        Press(button);
        QCOMPARE(DateBar(m_frame), shown);
        QCOMPARE(m_frame->GetTreeView()->Lines().value(0), dateLine);
        // The year shown is read back as it stands: a negative year steps on, 10000 is
        // out of range and refused, leaving everything but the recorded centre.
        const double jde = m_doc->m_eclipse.jde;
        Press(button);
        QCOMPARE(m_doc->m_eclipse.jde != jde, stepsOn);
        QCOMPARE(DateBar(m_frame) != shown, stepsOn);
        QCOMPARE(m_doc->m_bCentreSet, stepsOn);
        if (stepsOn) QVERIFY(m_doc->m_eclipse.jde < jde && m_doc->m_eclipse.dateTime.year == -1);
    }

    void menuTextsAndOrder() {
        QStringList shown;
        for (const QAction* menu : m_frame->menuBar()->actions()) {
            shown << menu->text();
            for (const QAction* item : menu->menu()->actions()) {
                shown << "  " + (item->isSeparator() ? QString("-") : item->text());
            }
        }
        QCOMPARE(shown, QStringList({"&File", "  E&xit", "&View", "  &Status Bar", "  -",
                                     "  < West", "  > East", "  ^ North", "  v South", "  -",
                                     "  Next Eclipse &Visible Here",
                                     "  Previous Eclipse V&isible Here", "  -", "  &Precise"}));
    }

    void acceleratorTable_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("command");
        const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier,
                                    shift = Qt::ShiftModifier, alt = Qt::AltModifier;
        const struct {
            const char* label;
            int key;
            Qt::KeyboardModifiers modifiers;
            int command;
        } rows[] = {
            {"Ctrl+C", Qt::Key_C, ctrl, ID_EDIT_COPY},
            {"Ctrl+N", Qt::Key_N, ctrl, ID_FILE_NEW},
            {"Ctrl+O", Qt::Key_O, ctrl, ID_FILE_OPEN},
            {"Ctrl+P", Qt::Key_P, ctrl, ID_FILE_PRINT},
            {"Ctrl+S", Qt::Key_S, ctrl, ID_FILE_SAVE},
            {"Ctrl+V", Qt::Key_V, ctrl, ID_EDIT_PASTE},
            {"Alt+Backspace", Qt::Key_Backspace, alt, ID_EDIT_UNDO},
            {"Shift+Delete", Qt::Key_Delete, shift, ID_EDIT_CUT},
            {"Down", Qt::Key_Down, none, ID_VIEW_SOUTH},
            {"F1", Qt::Key_F1, none, ID_HELP},
            {"Shift+F1", Qt::Key_F1, shift, ID_CONTEXT_HELP},
            {"F6", Qt::Key_F6, none, ID_NEXT_PANE},
            {"Shift+F6", Qt::Key_F6, shift, ID_PREV_PANE},
            {"Ctrl+Insert", Qt::Key_Insert, ctrl, ID_EDIT_COPY},
            {"Shift+Insert", Qt::Key_Insert, shift, ID_EDIT_PASTE},
            {"Left", Qt::Key_Left, none, ID_VIEW_WEST},
            {"Right", Qt::Key_Right, none, ID_VIEW_EAST},
            {"Up", Qt::Key_Up, none, ID_VIEW_NORTH},
            {"Ctrl+X", Qt::Key_X, ctrl, ID_EDIT_CUT},
            {"Ctrl+Z", Qt::Key_Z, ctrl, ID_EDIT_UNDO},
            // Other modifiers make other keys; the keypad's flag is no modifier.
            {"Shift+Down: none", Qt::Key_Down, shift, 0},
            {"Ctrl+Shift+N: none", Qt::Key_N, ctrl | shift, 0},
            {"N: none", Qt::Key_N, none, 0},
            {"Up on the keypad", Qt::Key_Up, Qt::KeypadModifier, ID_VIEW_NORTH},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.label) << row.key << row.modifiers << row.command;
        }
    }

    void acceleratorTable() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, command);
        QCOMPARE(m_frame->AcceleratorCommand(QKeyEvent(QEvent::KeyPress, key, modifiers)), command);
    }

    void acceleratorsOnARussianLayout_data() {
        // X11 key codes of the physical keys (Linux key code + 8) and what they give on
        // the first layout, "us".
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<int>("latinKey");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("command");
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+C") << 54u << int(Qt::Key_C) << ctrl << ID_EDIT_COPY;
        QTest::newRow("Ctrl+N") << 57u << int(Qt::Key_N) << ctrl << ID_FILE_NEW;
        QTest::newRow("Ctrl+O") << 32u << int(Qt::Key_O) << ctrl << ID_FILE_OPEN;
        QTest::newRow("Ctrl+P") << 33u << int(Qt::Key_P) << ctrl << ID_FILE_PRINT;
        QTest::newRow("Ctrl+S") << 39u << int(Qt::Key_S) << ctrl << ID_FILE_SAVE;
        QTest::newRow("Ctrl+V") << 55u << int(Qt::Key_V) << ctrl << ID_EDIT_PASTE;
        QTest::newRow("Ctrl+X") << 53u << int(Qt::Key_X) << ctrl << ID_EDIT_CUT;
        QTest::newRow("Ctrl+Z") << 52u << int(Qt::Key_Z) << ctrl << ID_EDIT_UNDO;
        QTest::newRow("Ctrl+Shift+N: none")
            << 57u << int(Qt::Key_N) << (ctrl | Qt::ShiftModifier) << 0;
        QTest::newRow("N: none") << 57u << int(Qt::Key_N) << Qt::KeyboardModifiers() << 0;
    }

    void acceleratorsOnARussianLayout() {
        QFETCH(quint32, scanCode);
        QFETCH(int, latinKey);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, command);
        const QKeyEvent latin = UsRuKeyEvent(scanCode, 0, modifiers);
        const QKeyEvent russian = UsRuKeyEvent(scanCode, 1, modifiers);
        QCOMPARE(latin.key(), latinKey);
        QVERIFY2(russian.key() >= 0x400 && russian.key() < 0x500, "not a Cyrillic letter");
        QCOMPARE(m_frame->AcceleratorCommand(russian), 0);  // without the keyboard's layouts
        m_frame->SetKeyboardLayouts(UsRuLayouts());
        QCOMPARE(m_frame->AcceleratorCommand(russian), command);
        QCOMPARE(m_frame->AcceleratorCommand(latin), command);
    }

    void ctrlNOnARussianLayoutRunsNew() {
        QTemporaryDir folder;
        QFile file(folder.filePath("notes.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(m_app->OpenDocumentFile(file.fileName()));
        m_frame->SetKeyboardLayouts(UsRuLayouts());
        QKeyEvent press = UsRuKeyEvent(57, 1, Qt::ControlModifier);  // the key of N
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        QApplication::sendEvent(m_frame->GetTreeView(), &press);
        QCOMPARE(m_frame->windowTitle(), QString("Untitled - Velmor (velmor@example.org)"));
    }

    void menusKeepTheirKeys_data() {
        QTest::addColumn<QString>("opening");  // "Alt", a menu's or a list's name
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("active");  // the menu or list item active after the key
        QTest::newRow("Alt, then Right moves from File to View")
            << "Alt" << int(Qt::Key_Right) << "bar: &View";
        QTest::newRow("Right in the open File menu opens View")
            << "&File" << int(Qt::Key_Right) << "menu: &View";
        QTest::newRow("Left in the open View menu opens File")
            << "&View" << int(Qt::Key_Left) << "menu: &File";
        QTest::newRow("Down in the open View menu moves to its first item")
            << "&View" << int(Qt::Key_Down) << "item: &Status Bar";
        QTest::newRow("Down in the open month list moves to the next month")
            << "IDC_MONTH" << int(Qt::Key_Down) << "list: February";
    }

    void menusKeepTheirKeys() {
        QFETCH(QString, opening);
        QFETCH(int, key);
        QFETCH(QString, active);
        StepFrom2001();
        QComboBox* month = m_frame->GetDateBar()->GetMonthList();
        month->setCurrentIndex(0);
        const double latitude = m_doc->m_dCentreLat, longitude = m_doc->m_dCentreLon;
        QVERIFY(FocusOn(m_frame->GetTreeView()));
        QMenuBar* bar = m_frame->menuBar();
        if (opening == "Alt") {
            QTest::keyClick(m_frame->GetTreeView(), Qt::Key_Alt);
            QVERIFY(bar->hasFocus());
        } else if (opening == "IDC_MONTH") {
            month->showPopup();
        } else {
            for (QAction* menu : bar->actions()) {
                if (menu->text() == opening) {
                    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu).center());
                }
            }
        }
        if (opening != "Alt") QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QWidget* popup = QApplication::activePopupWidget();
        QWidget* target = popup == nullptr                  ? QApplication::focusWidget()
                          : popup->focusWidget() != nullptr ? popup->focusWidget()
                                                            : popup;
        QTest::keyClick(target, Qt::Key(key));
        if (opening == "IDC_MONTH") QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QString shown;
        if (active.startsWith("bar: ") && bar->activeAction() != nullptr) {
            shown = "bar: " + bar->activeAction()->text();
        } else if (active.startsWith("menu: ") && menu != nullptr) {
            shown = "menu: " + menu->title();
        } else if (active.startsWith("item: ") && menu != nullptr && menu->activeAction()) {
            shown = "item: " + menu->activeAction()->text();
        } else if (active.startsWith("list: ")) {
            shown = "list: " + month->currentText();
        }
        QCOMPARE(shown, active);
        QCOMPARE(m_doc->m_dCentreLat, latitude);
        QCOMPARE(m_doc->m_dCentreLon, longitude);
        while (QApplication::activePopupWidget() != nullptr) {
            QApplication::activePopupWidget()->close();
        }
    }

    // Run with QT_SCALE_FACTOR=2.
    void sharpMapOnAScaledDisplay() {
        CVelmorView* map = m_frame->GetMapView();
        const qreal ratio = map->devicePixelRatioF();
        if (ratio < 2) QSKIP("needs a display scaled by 2 (QT_SCALE_FACTOR=2)");
        m_frame->resize(m_frame->sizeHint() + QSize(200, 200));
        QTRY_VERIFY(map->width() >= 640 && map->height() >= 640);
        StepFrom2001();
        const QImage image = map->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), map->size() * ratio);
        // The disc keeps its place in the pane's pixels: from 2 to 638 across its middle.
        const int middle = int(320 * ratio);
        const QRgb background = map->palette().color(QPalette::Base).rgb();
        int left = 0, right = image.width() - 1;
        while (left < image.width() && image.pixel(left, middle) == background) ++left;
        while (right > 0 && image.pixel(right, middle) == background) --right;
        QCOMPARE(left, int(2 * ratio));
        QCOMPARE(right, int(638 * ratio) - 1);
        // Lines and text at the device's resolution, not blown up pixel by pixel.
        QVERIFY2(MixedBlocks(image) > 2000, qPrintable(QString::number(MixedBlocks(image))));
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
