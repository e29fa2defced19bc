// Reading the year field of the date bar: whole numbers within the supported years only.
#include <QTest>

#include "app/shell/year_field.h"

class YearFieldTest : public QObject {
    Q_OBJECT

  private slots:
    void reads() {
        const struct {
            const char* text;
            bool accepted;
        } rows[] = {{"-4713", true},
                    {"9999", true},
                    {"-500", true},
                    {"-4714", false},
                    {"10000", false},
                    {"70000", false},  // not read as 4464
                    {"1234567890123456789012345", false}};
        for (const auto& row : rows) {
            int16_t year = 1234;
            QVERIFY2(ReadYearField(row.text, year) == row.accepted, row.text);
            QVERIFY2(year == (row.accepted ? QString(row.text).toInt() : 1234), row.text);
        }
    }
};

QTEST_GUILESS_MAIN(YearFieldTest)
#include "year_field_test.moc"
