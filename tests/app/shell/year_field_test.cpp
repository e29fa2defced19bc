// Reading the year field of the date bar.
#include <QTest>

#include "app/shell/year_field.h"

class YearFieldTest : public QObject {
    Q_OBJECT

  private slots:
    void reads_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("year");
        QTest::newRow("plain year") << "2001" << true << 2001;
        QTest::newRow("negative year from a step back") << "-500" << true << -500;
        QTest::newRow("first supported year") << "-4713" << true << -4713;
        QTest::newRow("last supported year") << "9999" << true << 9999;
        QTest::newRow("year 0 is read; the calendar refuses it") << "0" << true << 0;
        QTest::newRow("blanks around") << " 1999 " << true << 1999;
        QTest::newRow("leading zeros") << "0002001" << true << 2001;
        QTest::newRow("plus sign") << "+12" << true << 12;
        QTest::newRow("one beyond the last year") << "10000" << false << 0;
        QTest::newRow("one before the first year") << "-4714" << false << 0;
        QTest::newRow("70000 does not wrap to 4464") << "70000" << false << 0;
        QTest::newRow("65537 does not wrap to 1") << "65537" << false << 0;
        QTest::newRow("beyond 32 bits") << "4294969297" << false << 0;
        QTest::newRow("beyond 64 bits") << "123456789012345678901234567890" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("digits then letters") << "20a1" << false << 0;
        QTest::newRow("two numbers") << "20 01" << false << 0;
    }

    void reads() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(int, year);
        int16_t read = 1234;
        QCOMPARE(ReadYearField(text, read), accepted);
        QCOMPARE(int(read), accepted ? year : 1234);
    }
};

QTEST_GUILESS_MAIN(YearFieldTest)
#include "year_field_test.moc"
