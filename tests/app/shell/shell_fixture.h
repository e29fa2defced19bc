// Helpers for the desktop shell's tests on the offscreen platform: starting the program
// with its settings kept in the test area, driving the main window's date bar and
// looking at the map pane's pixels.
#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

#include "app/shell/velmor_app.h"

class CMainFrame;
class CVelmorDoc;

// Settings go to the test area and start empty. Call once before any test starts.
void PrepareTestSettings();

// A started program (an ordinary start unless `arguments` say otherwise), its window
// shown and exposed when there is one.
std::unique_ptr<CVelmorApp> StartProgram(const QStringList& arguments = {"velmor"});

struct Date_Bar_Values {
    QString year;
    int month, day, hour, minute, second;  // item data of the selection, -1 without one
    // "year-month-day hour:minute:second" with the numbers as they are.
    QString Text() const;
};

void SetDateBar(CMainFrame* frame, const QString& year, int month, int day, int hour, int minute,
                int second);
Date_Bar_Values ReadDateBar(const CMainFrame* frame);

// The map pane as it paints now.
QImage GrabMap(CMainFrame* frame);
int CountPixels(const QImage& image, const QColor& colour);

// Colours of the map: the globe's disc and the eclipse overlay.
inline const QColor kDiscColour(40, 166, 254);
inline const QColor kOverlayColour(0, 255, 0);

// The details list after ">>" from 1 January 2001 00:00:00.
inline const QStringList kJune2001Lines = {"Date = 2001 June 21", "TD = 12:05:05",
                                           "UT-TD [s] = -103", "Type = Total "};

// Base of the tests that drive a started program's main window; each test calls Open() in
// its init() and Close() in its cleanup().
class Frame_Test : public QObject {
  protected:
    bool Open();
    void Close();
    // Sets the date bar to 1 January of `year`, 00:00:00, and clicks the buttons named in
    // `presses` ("<<" or ">>", separated by blanks) in turn.
    void Step(const QString& year, const QString& presses);
    // Focuses `widget` in the active main window.
    bool FocusOn(QWidget* widget);

    std::unique_ptr<CVelmorApp> m_app;
    CMainFrame* m_frame = nullptr;
    CVelmorDoc* m_doc = nullptr;
};

// Counts the paints a widget receives while this lives.
class Paint_Counter : public QObject {
  public:
    explicit Paint_Counter(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return m_count; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++m_count;
        return false;
    }

  private:
    int m_count = 0;
};
