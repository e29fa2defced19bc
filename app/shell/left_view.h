// SPDX-License-Identifier: GPL-3.0-or-later
// The details list: the left pane of the main window, a tree control used as a flat list
// in which every line of the current eclipse's details is a top-level item (date, time in
// dynamical time, UT - TD, type, and the magnitude of a partial eclipse), followed by the
// precise engine's lines when the document's precise flag is on and by what is seen at
// the place picked on the globe while there is one (app/details_lines.h). It is empty
// until the first eclipse has been found and is rebuilt by the main window after each
// successful step. It also prints: a blank page, after which the list is rebuilt.
#pragma once

#include <QTreeWidget>

class CDC;
class CVelmorDoc;
class QPrinter;

class CLeftView : public QTreeWidget {
  public:
    explicit CLeftView(CVelmorDoc* document, QWidget* parent = nullptr);

    CVelmorDoc* GetDocument() const { return m_pDocument; }

    // Rebuilds the list from the document's eclipse record; `dc` is not used and may be
    // null. While the document holds no eclipse the list stays empty.
    void OnDraw(CDC* dc);

    // Run again by a new-document or open-document command; the list keeps its lines.
    void OnInitialUpdate();

    // The lines as shown, top to bottom.
    QStringList Lines() const;

    // Print and print preview: a page without content through Qt's print support, then
    // the list is rebuilt. OnFilePrint and OnFilePrintPreview ask the user in dialogs;
    // PrintTo prints on a printer that is already set up; false if it cannot be used.
    void OnFilePrint();
    void OnFilePrintPreview();
    bool PrintTo(QPrinter* printer);

    QSize sizeHint() const override;

  private:
    CVelmorDoc* m_pDocument;
};
