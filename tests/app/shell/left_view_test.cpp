// The details list: rebuilding from the document's eclipse and printing.
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/velmor_doc.h"
#include "astro/eclipse_step.h"
#include "shell_fixture.h"

class LeftViewTest : public Frame_Test {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestSettings(); }
    void init() { QVERIFY(Open()); }
    void cleanup() { Close(); }

    void rebuildingGivesOneFlatSetOfLines() {
        CLeftView* tree = m_frame->GetTreeView();
        QVERIFY(tree->isHeaderHidden() && !tree->rootIsDecorated());
        QCOMPARE(tree->columnCount(), 1);
        tree->OnDraw(nullptr);
        QCOMPARE(tree->topLevelItemCount(), 0);
        QVERIFY(StepEclipse(m_doc->m_eclipse, false, 2001, 1, 1, 0, 0, 0));
        tree->OnDraw(nullptr);
        tree->OnDraw(nullptr);
        const QStringList lines = tree->Lines();
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QString("Date = 2000 December 25"));
        QVERIFY(lines[4].startsWith("Magn. = "));
        QCOMPARE(tree->topLevelItemCount(), 5);
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QCOMPARE(tree->topLevelItem(i)->childCount(), 0);
        }
    }

    void printingGivesOneBlankPageAndRebuildsTheList() {
        QVERIFY(StepEclipse(m_doc->m_eclipse, true, 2001, 1, 1, 0, 0, 0));
        m_frame->GetTreeView()->clear();
        QTemporaryDir folder;
        const QString path = folder.filePath("details.pdf");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        m_frame->GetTreeView()->PrintTo(&printer);

        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF"));
        QCOMPARE(content.count("/Type /Page\n"), qsizetype(1));
        QCOMPARE(m_frame->GetTreeView()->Lines(), kJune2001Lines);
    }
};

QTEST_MAIN(LeftViewTest)
#include "left_view_test.moc"
