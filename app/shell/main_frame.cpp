// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "app/shell/app_icon.h"
#include "app/shell/command_ids.h"
#include "app/shell/date_bar.h"
#include "app/shell/help_window.h"
#include "app/shell/latin_keys.h"
#include "app/shell/left_view.h"
#include "app/shell/lock_keys.h"
#include "app/shell/shell_identity.h"
#include "app/shell/velmor_app.h"
#include "app/shell/velmor_view.h"
#include "app/shell/view_settings.h"
#include "app/velmor_doc.h"
#include "astro/eclipse_step.h"
#include "besselian/visible_eclipse.h"

namespace {

struct Accelerator {
    int key;
    Qt::KeyboardModifiers modifiers;
    int command;
};

// The accelerator table, in its order. The arrow keys carry no modifier.
const Accelerator kAccelerators[] = {
    {Qt::Key_C, Qt::ControlModifier, ID_EDIT_COPY},
    {Qt::Key_N, Qt::ControlModifier, ID_FILE_NEW},
    {Qt::Key_O, Qt::ControlModifier, ID_FILE_OPEN},
    {Qt::Key_P, Qt::ControlModifier, ID_FILE_PRINT},
    {Qt::Key_S, Qt::ControlModifier, ID_FILE_SAVE},
    {Qt::Key_V, Qt::ControlModifier, ID_EDIT_PASTE},
    {Qt::Key_Backspace, Qt::AltModifier, ID_EDIT_UNDO},
    {Qt::Key_Delete, Qt::ShiftModifier, ID_EDIT_CUT},
    {Qt::Key_Down, Qt::NoModifier, ID_VIEW_SOUTH},
    {Qt::Key_F1, Qt::NoModifier, ID_HELP},
    {Qt::Key_F1, Qt::ShiftModifier, ID_CONTEXT_HELP},
    {Qt::Key_F6, Qt::NoModifier, ID_NEXT_PANE},
    {Qt::Key_F6, Qt::ShiftModifier, ID_PREV_PANE},
    {Qt::Key_Insert, Qt::ControlModifier, ID_EDIT_COPY},
    {Qt::Key_Insert, Qt::ShiftModifier, ID_EDIT_PASTE},
    {Qt::Key_Left, Qt::NoModifier, ID_VIEW_WEST},
    {Qt::Key_Right, Qt::NoModifier, ID_VIEW_EAST},
    {Qt::Key_Up, Qt::NoModifier, ID_VIEW_NORTH},
    {Qt::Key_X, Qt::ControlModifier, ID_EDIT_CUT},
    {Qt::Key_Z, Qt::ControlModifier, ID_EDIT_UNDO},
};

// The modifiers an accelerator is matched on.
constexpr Qt::KeyboardModifiers kAcceleratorModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

QLabel* NewIndicator(const char* objectName, const char* text, QWidget* parent) {
    auto* indicator = new QLabel(QLatin1String(text), parent);
    indicator->setObjectName(QLatin1String(objectName));
    indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    indicator->setAlignment(Qt::AlignCenter);
    indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(QLatin1String(text)) +
                               12);
    indicator->setEnabled(false);
    return indicator;
}

}  // namespace

CMainFrame::CMainFrame(CVelmorDoc* document, CVelmorApp* application)
    : m_pDocument(document), m_pApp(application) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowIcon(shell::ApplicationIcon());
    OnCreate();
    OnCreateClient();
    CreateMenus();
    SetDocumentTitle(QString::fromLatin1(shell::kUntitledName));
    resize(DefaultSize());
    // What the user switched on in earlier runs.
    m_pDocument->m_bPrecise = shell::LoadPreciseFlag();
    m_pPreciseAction->setChecked(m_pDocument->m_bPrecise);
    besselian::Geodetic_Place place;
    if (shell::LoadPlace(place)) m_pDocument->SetPlace(place);
    m_pNextVisibleAction->setEnabled(m_pDocument->m_bPlaceSet);
    m_pPrevVisibleAction->setEnabled(m_pDocument->m_bPlaceSet);
    GetMapView()->SetPlaceChangedHandler([this] { OnPlaceChanged(); });
    // The accelerators are looked at before any control of this window sees a key.
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
}

void CMainFrame::OnCreate() {
    m_wndDlgBar = new CDateBar;
    connect(m_wndDlgBar->GetNextButton(), &QPushButton::clicked, this, [this] { OnNextEclipse(); });
    connect(m_wndDlgBar->GetPrevButton(), &QPushButton::clicked, this, [this] { OnPrevEclipse(); });

    m_wndReBar = new QToolBar(QStringLiteral("Date"), this);
    m_wndReBar->setObjectName(QStringLiteral("ReBar"));
    m_wndReBar->setMovable(true);
    m_wndReBar->setFloatable(false);
    m_wndReBar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    m_wndReBar->addWidget(m_wndDlgBar);
    addToolBar(Qt::TopToolBarArea, m_wndReBar);

    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setObjectName(QStringLiteral("StatusBar"));
    m_pMessagePane = new QLabel(QStringLiteral("Ready"), m_wndStatusBar);
    m_pMessagePane->setObjectName(QStringLiteral("MessagePane"));
    m_wndStatusBar->addWidget(m_pMessagePane, 1);
    m_pCapsIndicator = NewIndicator("ID_INDICATOR_CAPS", "CAP", m_wndStatusBar);
    m_pNumIndicator = NewIndicator("ID_INDICATOR_NUM", "NUM", m_wndStatusBar);
    m_pScrollIndicator = NewIndicator("ID_INDICATOR_SCRL", "SCRL", m_wndStatusBar);
    m_wndStatusBar->addPermanentWidget(m_pCapsIndicator);
    m_wndStatusBar->addPermanentWidget(m_pNumIndicator);
    m_wndStatusBar->addPermanentWidget(m_pScrollIndicator);
    setStatusBar(m_wndStatusBar);
    UpdateLockIndicators();
}

void CMainFrame::OnCreateClient() {
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_wndSplitter->setObjectName(QStringLiteral("Splitter"));
    auto* tree = new CLeftView(m_pDocument, m_wndSplitter);
    auto* map = new CVelmorView(m_pDocument, m_wndSplitter);
    m_wndSplitter->addWidget(tree);
    m_wndSplitter->addWidget(map);
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    m_wndSplitter->setSizes({tree->sizeHint().width(), map->sizeHint().width()});
    setCentralWidget(m_wndSplitter);
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("ID_APP_EXIT"));
    connect(exit, &QAction::triggered, this, [this] { OnCommand(ID_APP_EXIT); });

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* statusBarToggle = view->addAction(QStringLiteral("&Status Bar"));
    statusBarToggle->setObjectName(QStringLiteral("ID_VIEW_STATUS_BAR"));
    statusBarToggle->setCheckable(true);
    statusBarToggle->setChecked(true);
    connect(statusBarToggle, &QAction::triggered, this, [this] { OnCommand(ID_VIEW_STATUS_BAR); });
    connect(view, &QMenu::aboutToShow, this, [this, statusBarToggle] {
        statusBarToggle->setChecked(m_wndStatusBar->isVisibleTo(this));
    });
    view->addSeparator();
    const struct {
        const char* text;
        const char* name;
        int command;
    } turns[] = {
        {"< West", "ID_VIEW_WEST", ID_VIEW_WEST},
        {"> East", "ID_VIEW_EAST", ID_VIEW_EAST},
        {"^ North", "ID_VIEW_NORTH", ID_VIEW_NORTH},
        {"v South", "ID_VIEW_SOUTH", ID_VIEW_SOUTH},
    };
    for (const auto& turn : turns) {
        QAction* action = view->addAction(QLatin1String(turn.text));
        action->setObjectName(QLatin1String(turn.name));
        const int command = turn.command;
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    }
    view->addSeparator();
    const struct {
        const char* text;
        const char* name;
        const char* accessibleName;
        int command;
        QAction** action;
    } extras[] = {
        {"Next Eclipse &Visible Here", "ID_VIEW_NEXT_VISIBLE", "Next eclipse visible here",
         ID_VIEW_NEXT_VISIBLE, &m_pNextVisibleAction},
        {"Previous Eclipse V&isible Here", "ID_VIEW_PREV_VISIBLE", "Previous eclipse visible here",
         ID_VIEW_PREV_VISIBLE, &m_pPrevVisibleAction},
        {"&Precise", "ID_VIEW_PRECISE", "Precise eclipse", ID_VIEW_PRECISE, &m_pPreciseAction},
    };
    for (const auto& extra : extras) {
        if (extra.command == ID_VIEW_PRECISE) view->addSeparator();
        QAction* action = view->addAction(QString::fromLatin1(extra.text));
        action->setObjectName(QLatin1String(extra.name));
        action->setStatusTip(QString::fromLatin1(extra.accessibleName));
        action->setWhatsThis(QString::fromLatin1(extra.accessibleName));
        const int command = extra.command;
        connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
        *extra.action = action;
    }
    m_pPreciseAction->setCheckable(true);
    m_pNextVisibleAction->setEnabled(false);
    m_pPrevVisibleAction->setEnabled(false);
}

QSize CMainFrame::DefaultSize() const {
    // The splitter's hint holds both panes at their preferred widths (the map pane's is
    // the whole globe) but not the handle between them.
    QSize size = sizeHint() + QSize(m_wndSplitter->handleWidth(), 0);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) size = size.boundedTo(screen->availableGeometry().size());
    return size;
}

CVelmorView* CMainFrame::GetMapView() const {
    return dynamic_cast<CVelmorView*>(m_wndSplitter->widget(1));
}

CLeftView* CMainFrame::GetTreeView() const {
    return dynamic_cast<CLeftView*>(m_wndSplitter->widget(0));
}

void CMainFrame::StepToEclipse(bool forward) {
    m_pDocument->m_bCentreSet = false;
    Civil_Date_Time from;
    if (!m_wndDlgBar->Read(from) || !StepEclipse(m_pDocument->m_eclipse, forward, from)) return;
    ShowSteppedEclipse();
}

void CMainFrame::ShowSteppedEclipse() {
    m_wndDlgBar->Show(m_pDocument->m_eclipse.dateTime);
    GetMapView()->repaint();
    GetTreeView()->OnDraw(nullptr);
}

void CMainFrame::StepToVisibleEclipse(bool forward) {
    CVelmorDoc* document = m_pDocument;
    if (!document->m_bPlaceSet) return;
    document->m_bCentreSet = false;
    Civil_Date_Time from;
    if (!m_wndDlgBar->Read(from)) return;
    Eclipse_Record record = document->m_eclipse;
    // A place that sees few eclipses can take a second or so.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Cursor_Restorer {
        ~Cursor_Restorer() { QApplication::restoreOverrideCursor(); }
    } restorer;
    for (int i = 0; i < kVisibleSearchEclipses; ++i) {
        if (!StepEclipse(record, forward, from)) return;
        besselian::Besselian_Elements elements;
        besselian::Local_Circumstances local;
        if (besselian::LocalCircumstancesNear(record.jde, document->m_place,
                                              document->m_preciseOptions, elements, local) &&
            besselian::IsVisible(local)) {
            document->m_eclipse = record;
            ShowSteppedEclipse();
            return;
        }
        from = record.dateTime;
    }
}

void CMainFrame::OnViewPrecise() {
    m_pDocument->m_bPrecise = !m_pDocument->m_bPrecise;
    m_pPreciseAction->setChecked(m_pDocument->m_bPrecise);
    shell::SavePreciseFlag(m_pDocument->m_bPrecise);
    GetMapView()->repaint();
    GetTreeView()->OnDraw(nullptr);
}

void CMainFrame::OnPlaceChanged() {
    shell::SavePlace(m_pDocument->m_bPlaceSet, m_pDocument->m_place);
    m_pNextVisibleAction->setEnabled(m_pDocument->m_bPlaceSet);
    m_pPrevVisibleAction->setEnabled(m_pDocument->m_bPlaceSet);
    GetTreeView()->OnDraw(nullptr);
}

void CMainFrame::OnViewEast() {
    GetMapView()->TurnEast();
}
void CMainFrame::OnViewWest() {
    GetMapView()->TurnWest();
}
void CMainFrame::OnViewNorth() {
    GetMapView()->TurnNorth();
}
void CMainFrame::OnViewSouth() {
    GetMapView()->TurnSouth();
}

bool CMainFrame::OnCommand(int command) {
    switch (command) {
        case ID_VIEW_EAST:
            OnViewEast();
            return true;
        case ID_VIEW_WEST:
            OnViewWest();
            return true;
        case ID_VIEW_NORTH:
            OnViewNorth();
            return true;
        case ID_VIEW_SOUTH:
            OnViewSouth();
            return true;
        case ID_VIEW_PRECISE:
            OnViewPrecise();
            return true;
        case ID_VIEW_NEXT_VISIBLE:
            StepToVisibleEclipse(true);
            return true;
        case ID_VIEW_PREV_VISIBLE:
            StepToVisibleEclipse(false);
            return true;
        case ID_FILE_NEW:
            if (m_pApp != nullptr) m_pApp->OnFileNew();
            return true;
        case ID_FILE_OPEN:
            if (m_pApp != nullptr) m_pApp->OnFileOpen();
            return true;
        case ID_FILE_SAVE:
            if (m_pApp != nullptr) m_pApp->OnFileSave();
            return true;
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_DIRECT:
            GetTreeView()->OnFilePrint();
            return true;
        case ID_FILE_PRINT_PREVIEW:
            GetTreeView()->OnFilePrintPreview();
            return true;
        case ID_APP_EXIT:
            close();
            return true;
        case ID_VIEW_STATUS_BAR:
            m_wndStatusBar->setVisible(!m_wndStatusBar->isVisibleTo(this));
            return true;
        case ID_HELP:
        case ID_CONTEXT_HELP:
            OnHelp();
            return true;
        case ID_NEXT_PANE:
            OnNextPane(true);
            return true;
        case ID_PREV_PANE:
            OnNextPane(false);
            return true;
        case ID_EDIT_COPY:
        case ID_EDIT_CUT:
        case ID_EDIT_PASTE:
        case ID_EDIT_UNDO:
            // Nothing here copies, cuts, pastes or undoes.
            return true;
        default:
            return false;
    }
}

int CMainFrame::AcceleratorCommand(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & kAcceleratorModifiers;
    for (const Accelerator& accelerator : kAccelerators) {
        if (accelerator.key == key && accelerator.modifiers == held) return accelerator.command;
    }
    return 0;
}

int CMainFrame::AcceleratorCommand(const QKeyEvent& key) const {
    const int command = AcceleratorCommand(key.key(), key.modifiers());
    // Keys below 256 are Latin-1 characters, those from Qt::Key_Escape on have no
    // character: only a character of another script is looked up.
    const bool otherScript = key.key() > 0xFF && key.key() < Qt::Key_Escape;
    if (command != 0 || !otherScript) return command;
    // The X server's keymap is compiled when first needed.
    if (!m_bKeyboardLayoutsKnown) {
        m_pKeyboardLayouts = Latin_Key_Finder::ForX11Display();
        m_bKeyboardLayoutsKnown = true;
    }
    if (m_pKeyboardLayouts == nullptr) return 0;
    const int latin = m_pKeyboardLayouts->LatinKey(key.nativeScanCode(), key.modifiers());
    return latin != 0 ? AcceleratorCommand(latin, key.modifiers()) : 0;
}

void CMainFrame::SetKeyboardLayouts(std::unique_ptr<Latin_Key_Finder> layouts) {
    m_pKeyboardLayouts = std::move(layouts);
    m_bKeyboardLayoutsKnown = true;
}

void CMainFrame::SetDocumentTitle(const QString& title) {
    setWindowTitle(title + QStringLiteral(" - ") + QString::fromLatin1(shell::kWindowTitleField));
}

void CMainFrame::OnHelp() {
    if (m_pHelpWindow == nullptr) m_pHelpWindow = CreateHelpWindow(this);
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
    m_pHelpWindow->activateWindow();
}

void CMainFrame::OnNextPane(bool) {
    // Two panes: the next and the previous pane are the same, the one without the focus.
    CLeftView* tree = GetTreeView();
    CVelmorView* map = GetMapView();
    if (tree->hasFocus()) {
        map->setFocus(Qt::OtherFocusReason);
    } else {
        tree->setFocus(Qt::OtherFocusReason);
    }
}

void CMainFrame::UpdateLockIndicators() {
    const Lock_Key_State state = QueryLockKeys();
    m_pCapsIndicator->setEnabled(state.capsLock);
    m_pNumIndicator->setEnabled(state.numLock);
    m_pScrollIndicator->setEnabled(state.scrollLock);
}

bool CMainFrame::HandleKeyPress(QObject* watched, QKeyEvent* key) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    if (QApplication::activeModalWidget() != nullptr) return false;
    // The menu bar with the keyboard (after Alt), and an open menu, which hands Left and
    // Right to the menu bar to move to the neighbouring menu, keep their keys; so does an
    // open drop-down list.
    if (qobject_cast<QMenuBar*>(widget) != nullptr || QApplication::activePopupWidget() != nullptr)
        return false;
    const int command = AcceleratorCommand(*key);
    if (command == 0) return false;
    OnCommand(command);
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return HandleKeyPress(watched, static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_CapsLock ||
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_NumLock ||
                static_cast<QKeyEvent*>(event)->key() == Qt::Key_ScrollLock) {
                UpdateLockIndicators();
            }
            return false;
        default:
            return false;
    }
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) UpdateLockIndicators();
    QMainWindow::changeEvent(event);
}
