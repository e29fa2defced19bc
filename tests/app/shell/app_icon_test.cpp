// The application icon compiled into the program: every size drawn at build time is there,
// drawn as a round globe (opaque in the middle, transparent in the corners), and the main
// window carries it.
#include <QStandardPaths>
#include <QTest>

#include <memory>

#include "app/shell/app_icon.h"
#include "app/shell/main_frame.h"
#include "app/shell/velmor_app.h"

class AppIconTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void eachSizeIsARoundPicture_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) QTest::addRow("%d", size) << size;
    }
    void eachSizeIsARoundPicture() {
        QFETCH(int, size);
        const QIcon icon = shell::ApplicationIcon();
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size - 1, size - 1)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }

    void mainWindowShowsIt() {
        CVelmorApp app;
        QVERIFY(app.InitInstance({"velmor"}));
        QCOMPARE(app.GetMainFrame()->windowIcon().availableSizes(),
                 shell::ApplicationIcon().availableSizes());
    }
};

QTEST_MAIN(AppIconTest)
#include "app_icon_test.moc"
