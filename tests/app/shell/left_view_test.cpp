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

class LeftViewTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<CVelmorApp> m_app;
    CLeftView* m_tree = nullptr;
    CVelmorDoc* m_doc = nullptr;

  private slots:
    void initTestCase() { PrepareTestSettings(); }

    void init() {
        m_app = StartProgram();
        QVERIFY(m_app != nullptr);
        m_tree = m_app->GetMainFrame()->GetTreeView();
        m_doc = m_app->GetDocument();
    }

    void cleanup() { m_app.reset(); }

    void isAFlatListWithoutDecoration() {
        QVERIFY(m_tree->isHeaderHidden());
        QVERIFY(!m_tree->rootIsDecorated());
        QCOMPARE(m_tree->columnCount(), 1);
    }

    void showsNothingWithoutAnEclipse() {
        m_tree->OnDraw(nullptr);
        QCOMPARE(m_tree->topLevelItemCount(), 0);
    }

    void rebuildingTwiceLeavesOneSetOfLines() {
        QVERIFY(StepEclipse(m_doc->m_eclipse, false, 2001, 1, 1, 0, 0, 0));
        m_tree->OnDraw(nullptr);
        m_tree->OnDraw(nullptr);
        const QStringList lines = m_tree->Lines();
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QString("Date = 2000 December 25"));
        QCOMPARE(lines[3], QString("Type = Partial "));
        QVERIFY(lines[4].startsWith("Magn. = "));
        for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
            QCOMPARE(m_tree->topLevelItem(i)->childCount(), 0);
        }
    }

    void printingGivesOneBlankPageAndRebuildsTheList() {
        QVERIFY(StepEclipse(m_doc->m_eclipse, true, 2001, 1, 1, 0, 0, 0));
        m_tree->clear();
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath("details.pdf");
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        m_tree->PrintTo(&printer);

        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF"));
        QCOMPARE(content.count("/Type /Page\n"), qsizetype(1));
        QCOMPARE(m_tree->Lines().value(0), QString("Date = 2001 June 21"));
    }
};

QTEST_MAIN(LeftViewTest)
#include "left_view_test.moc"
