#include "platform/access/accesstextforms.h"
#include "platform/access/querytext.h"

#include <QDate>
#include <QTest>

#include <limits>

using namespace hakobee;

namespace {

double accessDays(QDate date, int hours = 0, int minutes = 0, int seconds = 0)
{
    return double(QDate(1899, 12, 30).daysTo(date)) +
           (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

} // namespace

class TestAccessText : public QObject
{
    Q_OBJECT

private slots:
    void fullWidthBlanksOutsideQuotesAreBlanks_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("expected");
        // The example query the data source screen shows, followed by its table.
        QTest::newRow("example")
            << QStringLiteral(
                   "select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from Master")
            << QStringLiteral(
                   "select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価 from Master");
        QTest::newRow("quoted text kept") << QStringLiteral("select '　' as a　from t")
                                          << QStringLiteral("select '　' as a from t");
        QTest::newRow("doubled quote stays inside") << QStringLiteral("select 'it''s　x'　from t")
                                                    << QStringLiteral("select 'it''s　x' from t");
        QTest::newRow("bracketed name kept") << QStringLiteral("select [名　称]　from t")
                                             << QStringLiteral("select [名　称] from t");
        QTest::newRow("double-quoted name kept") << QStringLiteral("select \"名　称\"　from t")
                                                 << QStringLiteral("select \"名　称\" from t");
        QTest::newRow("comment kept") << QStringLiteral("select a　from t --　x\n　")
                                      << QStringLiteral("select a from t --　x\n ");
        QTest::newRow("unclosed quote")
            << QStringLiteral("select '　") << QStringLiteral("select '　");
    }

    void fullWidthBlanksOutsideQuotesAreBlanks()
    {
        QFETCH(QString, query);
        QFETCH(QString, expected);
        QCOMPARE(withFullWidthBlanksAsBlanks(query), expected);
    }

    void currencyIsExact_data()
    {
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1234.5") << qint64(12'345'000) << QStringLiteral("1234.5");
        QTest::newRow("smallest unit") << qint64(1) << QStringLiteral("0.0001");
        QTest::newRow("whole") << qint64(10'000) << QStringLiteral("1");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
        QTest::newRow("negative") << qint64(-12'345) << QStringLiteral("-1.2345");
        QTest::newRow("largest") << std::numeric_limits<qint64>::max()
                                 << QStringLiteral("922337203685477.5807");
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min()
                                  << QStringLiteral("-922337203685477.5808");
    }

    void currencyIsExact()
    {
        QFETCH(qint64, stored);
        QFETCH(QString, expected);
        QCOMPARE(accesstext::currency(stored), expected);
    }

    void numbersShowTheirSignificantDigits_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("single 1.1") << double(1.1f) << 7 << QStringLiteral("1.1");
        QTest::newRow("double sum") << 0.1 + 0.2 << 15 << QStringLiteral("0.3");
        QTest::newRow("third") << 1.0 / 3 << 15 << QStringLiteral("0.333333333333333");
        QTest::newRow("hundred") << 100.0 << 15 << QStringLiteral("100");
        QTest::newRow("negative") << -2.5 << 15 << QStringLiteral("-2.5");
        QTest::newRow("15 digits plain")
            << 123456789012345.0 << 15 << QStringLiteral("123456789012345");
        QTest::newRow("1E+15") << 1e15 << 15 << QStringLiteral("1E+15");
        QTest::newRow("large") << 1.5e20 << 15 << QStringLiteral("1.5E+20");
        QTest::newRow("small plain") << 0.00001 << 15 << QStringLiteral("0.00001");
        QTest::newRow("small exponent") << 0.000002 << 15 << QStringLiteral("2E-06");
        QTest::newRow("single large") << double(16777216.0f) << 7 << QStringLiteral("1.677722E+07");
        QTest::newRow("rounds up a digit") << 9.99999999 << 7 << QStringLiteral("10");
        QTest::newRow("zero") << 0.0 << 15 << QStringLiteral("0");
    }

    void numbersShowTheirSignificantDigits()
    {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, expected);
        QCOMPARE(accesstext::number(value, digits), expected);
    }

    void datesShowAsJapaneseWindowsDoes_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("expected");
        QTest::newRow("date and time")
            << accessDays(QDate(2024, 3, 5), 14, 7, 9) << QStringLiteral("2024/03/05 14:07:09");
        QTest::newRow("hour without zero")
            << accessDays(QDate(2024, 3, 5), 9, 5, 3) << QStringLiteral("2024/03/05 9:05:03");
        QTest::newRow("midnight") << accessDays(QDate(2024, 3, 5)) << QStringLiteral("2024/03/05");
        QTest::newRow("time alone") << 0.5 << QStringLiteral("12:00:00");
        QTest::newRow("zero") << 0.0 << QStringLiteral("0:00:00");
        QTest::newRow("before 1899/12/30") << -1.25 << QStringLiteral("1899/12/29 6:00:00");
        QTest::newRow("rounds into next day")
            << accessDays(QDate(2024, 12, 31)) + 0.9999999999 << QStringLiteral("2025/01/01");
        QTest::newRow("leap day") << accessDays(QDate(2024, 2, 29), 23, 59, 59)
                                  << QStringLiteral("2024/02/29 23:59:59");
        QTest::newRow("not a date") << 1e300 << QStringLiteral("1E+300");
    }

    void datesShowAsJapaneseWindowsDoes()
    {
        QFETCH(double, days);
        QFETCH(QString, expected);
        QCOMPARE(accesstext::dateTime(days), expected);
    }
};

QTEST_GUILESS_MAIN(TestAccessText)
#include "tst_accesstext.moc"
