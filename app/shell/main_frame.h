// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: from top to bottom the date bar (date_bar.h; in a movable tool bar with
// its gripper),
// a splitter with the details list (CLeftView) on the left and the map pane (CVelmorView)
// on the right, and the status bar with its message pane and the "CAP", "NUM" and "SCRL"
// indicators. It owns the step to the previous or next eclipse, from reading the date bar
// to refreshing both panes, and routes the menus and the keyboard accelerators to their
// handlers. The accelerators come before the controls: the arrow keys turn the globe
// wherever the focus is in this window, also in the date bar.
//
// The date bar's year, month, day, hour, minute and second are a civil date and time
// taken as dynamical time (TD). At start-up they show the local date and time of the clock.
#pragma once

#include <QMainWindow>

#include <memory>

class CDateBar;
class CLeftView;
class CVelmorApp;
class CVelmorDoc;
class CVelmorView;
class Latin_Key_Finder;
class QAction;
class QDialog;
class QKeyEvent;
class QLabel;
class QSplitter;
class QStatusBar;
class QToolBar;

class CMainFrame : public QMainWindow {
  public:
    // `application` runs the document commands (new, open, save); may be null, in which
    // case those commands do nothing.
    CMainFrame(CVelmorDoc* document, CVelmorApp* application);
    ~CMainFrame() override;

    CVelmorView* GetMapView() const;
    CLeftView* GetTreeView() const;

    // The date bar, and the tool bar that holds it.
    CDateBar* GetDateBar() const { return m_wndDlgBar; }
    QToolBar* GetReBar() const { return m_wndReBar; }

    // The status bar's message pane and its lock-key indicators.
    QLabel* GetMessagePane() const { return m_pMessagePane; }
    QLabel* GetCapsIndicator() const { return m_pCapsIndicator; }
    QLabel* GetNumIndicator() const { return m_pNumIndicator; }
    QLabel* GetScrollIndicator() const { return m_pScrollIndicator; }

    // The step to the previous (forward false) or next eclipse from the date bar's date:
    // clears the document's recorded centre, reads the date bar, steps, shows the found
    // instant in the date bar, repaints the map pane before going on and rebuilds the
    // details list. An invalid date changes nothing else.
    void StepToEclipse(bool forward);
    void OnNextEclipse() { StepToEclipse(true); }
    void OnPrevEclipse() { StepToEclipse(false); }
    // As StepToEclipse, but on past the eclipses that the document's place does not see
    // (no phase with the Sun above the horizon there, by the precise engine), looking at
    // no more than kVisibleSearchEclipses. Does nothing while no place is set; when none
    // of them is seen, changes nothing but the recorded centre.
    static constexpr int kVisibleSearchEclipses = 500;
    void StepToVisibleEclipse(bool forward);
    // Switches the document's precise flag, remembers it and redraws both panes.
    void OnViewPrecise();
    // The View menu's items of these commands.
    QAction* GetPreciseAction() const { return m_pPreciseAction; }
    QAction* GetNextVisibleAction() const { return m_pNextVisibleAction; }
    QAction* GetPrevVisibleAction() const { return m_pPrevVisibleAction; }

    void OnViewEast();
    void OnViewWest();
    void OnViewNorth();
    void OnViewSouth();

    // Runs a command by its identifier (command_ids.h). Commands that have no handler
    // here (copy, cut, paste, undo) do nothing. Returns false for an unknown identifier.
    bool OnCommand(int command);

    // The command of the accelerator table for a key and its modifiers; 0 if none.
    static int AcceleratorCommand(int key, Qt::KeyboardModifiers modifiers);
    // The command that a key press runs: by the key reported, or, when that is a
    // character of another script, by the Latin key of the same physical key in the
    // keyboard's layouts. 0 if none.
    int AcceleratorCommand(const QKeyEvent& key) const;

    // The keyboard's layouts for that lookup, instead of those the X server announces
    // (read at the first lookup; elsewhere there are none). Null: none.
    void SetKeyboardLayouts(std::unique_ptr<Latin_Key_Finder> layouts);

    // Shows "<document title> - <window title field>" in the caption.
    void SetDocumentTitle(const QString& title);

    // The help window (F1, Shift+F1); null until first shown.
    QDialog* GetHelpWindow() const { return m_pHelpWindow; }

    // Reads the lock keys again and shows their state in the indicators.
    void UpdateLockIndicators();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // No tool bar menu: the date bar cannot be hidden.
    QMenu* createPopupMenu() override { return nullptr; }

  private:
    // Shows the document's eclipse after a step: the date bar, the map, the list.
    void ShowSteppedEclipse();
    void OnCreate();
    void OnCreateClient();
    void CreateMenus();
    QSize DefaultSize() const;
    void OnHelp();
    void OnNextPane(bool forward);
    bool HandleKeyPress(QObject* watched, QKeyEvent* key);
    // After the map pane picked or cleared the place: remembers it, enables the steps to
    // visible eclipses and rebuilds the details list.
    void OnPlaceChanged();

    CVelmorDoc* m_pDocument;
    CVelmorApp* m_pApp;

    QSplitter* m_wndSplitter = nullptr;
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndReBar = nullptr;
    CDateBar* m_wndDlgBar = nullptr;

    QLabel* m_pMessagePane = nullptr;
    QLabel* m_pCapsIndicator = nullptr;
    QLabel* m_pNumIndicator = nullptr;
    QLabel* m_pScrollIndicator = nullptr;

    QDialog* m_pHelpWindow = nullptr;
    QAction* m_pPreciseAction = nullptr;
    QAction* m_pNextVisibleAction = nullptr;
    QAction* m_pPrevVisibleAction = nullptr;
    // The keyboard's layouts, once looked for (null: none known).
    mutable std::unique_ptr<Latin_Key_Finder> m_pKeyboardLayouts;
    mutable bool m_bKeyboardLayoutsKnown = false;
};
