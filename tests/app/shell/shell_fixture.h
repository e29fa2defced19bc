// Helpers for the desktop shell's tests on the offscreen platform: starting the program
// with its settings kept in the test area, setting and reading the date bar, and looking
// at the map pane's pixels.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <memory>

#include "app/shell/velmor_app.h"

class CMainFrame;
class QWidget;

// Settings go to the test area and start empty. Call once before any test starts.
void PrepareTestSettings();

// A started program (an ordinary start unless `arguments` say otherwise), its window
// shown and exposed when there is one.
std::unique_ptr<CVelmorApp> StartProgram(const QStringList& arguments = {"velmor"});

struct Date_Bar_Values {
    QString year;
    int month, day, hour, minute, second;  // item data of the selection, -1 without one
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

// Counts the paints a widget receives while it lives.
class Paint_Counter {
  public:
    explicit Paint_Counter(QWidget* widget);
    ~Paint_Counter();
    int Count() const;

  private:
    class Filter;
    std::unique_ptr<Filter> m_filter;
    QWidget* m_widget;
};
