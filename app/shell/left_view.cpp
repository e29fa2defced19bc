// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/left_view.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <string>

#include "app/details_lines.h"
#include "app/velmor_doc.h"
#include "platform/qt/painter_dc.h"

namespace {

// The longest line the list can show, to size the pane so that no line is cut off.
constexpr char kWidestLine[] = "Type = Total Annular ; Noncentral ";
// Room for the item's margins and a vertical scroll bar, pixels.
constexpr int kLineMarginPixels = 32;

}  // namespace

CLeftView::CLeftView(CVelmorDoc* document, QWidget* parent)
    : QTreeWidget(parent), m_pDocument(document) {
    setObjectName(QStringLiteral("CLeftView"));
    setColumnCount(1);
    // Hidden, but read out by assistive tools as the column's name.
    setHeaderLabel(QStringLiteral("Eclipse details"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAccessibleName(QStringLiteral("Eclipse details"));
}

void CLeftView::OnDraw(CDC*) {
    clear();
    const Eclipse_Record& record = m_pDocument->m_eclipse;
    if (!record.valid) return;
    std::vector<std::string> lines = DetailLines(record);
    if (m_pDocument->m_bPrecise) {
        const std::vector<std::string> precise =
            PreciseDetailLines(m_pDocument->GetGlobalCircumstances());
        lines.insert(lines.end(), precise.begin(), precise.end());
    }
    if (m_pDocument->m_bPlaceSet) {
        const std::vector<std::string> local =
            LocalDetailLines(m_pDocument->m_place, m_pDocument->GetLocalCircumstances());
        lines.insert(lines.end(), local.begin(), local.end());
    }
    for (const std::string& line : lines) {
        auto* item = new QTreeWidgetItem(this);
        item->setText(0, QString::fromStdString(line));
    }
}

void CLeftView::OnInitialUpdate() {
    viewport()->update();
}

QStringList CLeftView::Lines() const {
    QStringList lines;
    for (int i = 0; i < topLevelItemCount(); ++i) lines << topLevelItem(i)->text(0);
    return lines;
}

void CLeftView::OnFilePrint() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintTo(&printer);
}

void CLeftView::OnFilePrintPreview() {
    QPrinter printer;
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintTo(target); });
    dialog.exec();
}

bool CLeftView::PrintTo(QPrinter* printer) {
    QPainter painter;
    if (!painter.begin(printer)) return false;
    {
        PainterDC dc(painter);
        OnDraw(&dc);
    }
    return painter.end();
}

QSize CLeftView::sizeHint() const {
    const QSize base = QTreeWidget::sizeHint();
    const int width =
        fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestLine)) + kLineMarginPixels;
    return QSize(width, base.height());
}
