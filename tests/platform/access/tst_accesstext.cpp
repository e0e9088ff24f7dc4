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

    // What of the query text is rewritten for SQLite, and what is not.
    void jetQueryTextForSqlite_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unchanged") << u"select bar, hi from Master where as2 > 100"_qs
                                   << u"select bar, hi from Master where as2 > 100"_qs;
        QTest::newRow("full-width blank")
            << u"select bar　from Master"_qs << u"select bar from Master"_qs;
        QTest::newRow("TOP at the end")
            << u"select top 5 bar from Master order by as2 desc; -- 高い順"_qs
            << u"select bar from Master order by as2 desc LIMIT 5; -- 高い順"_qs;
        QTest::newRow("TOP after DISTINCT in a subquery")
            << u"select * from (select distinct top 3 hi from Master) as t"_qs
            << u"select * from (select distinct hi from Master LIMIT 3) as t"_qs;
        QTest::newRow("& between additive operands")
            << u"select hi & '(' & as2 * 2 + 1 & ')' as x from Master where hi & mei = 'a'"_qs
            << u"select jetconcat(hi, '(', as2 * 2 + 1, ')') as x from Master where jetconcat(hi, mei) = 'a'"_qs;
        QTest::newRow("& inside functions and Not")
            << u"select iif(not a & b like 'x*', left(hi & mei, 2), c) from t"_qs
            << u"select iif(not jetconcat(a, b) like 'x*', \"left\"(jetconcat(hi, mei), 2), c) from t"_qs;
        QTest::newRow("comments between operands of & left out")
            << u"select a -- x\n & b /* y */ & c from t"_qs
            << u"select jetconcat(a, b, c) from t"_qs;
        QTest::newRow("& in quotes, names and comments kept")
            << u"select 'a&b', [a&b], `c&d` /* e&f */ from t -- g&h"_qs
            << u"select 'a&b', [a&b], `c&d` /* e&f */ from t -- g&h"_qs;
        QTest::newRow("double-quoted text") << u"select \"it's\", \"say \"\"hi\"\"\" from t"_qs
                                            << u"select 'it''s', 'say \"hi\"' from t"_qs;
        QTest::newRow("stars and Like patterns kept")
            << u"select *, count(*) from t where hi like '*茶?' and a * 2 > 1"_qs
            << u"select *, count(*) from t where hi like '*茶?' and a * 2 > 1"_qs;
        QTest::newRow("dates")
            << u"select #2024/03/05#, #2024-03-05 18:00#, #3/5/2024 6:00 PM#, #10:30:00#"_qs
            << u"select 45356, 45356.75, 45356.75, 0.4375"_qs;
        QTest::newRow("a # that is no date") << u"select a from t where b like '#' or c = #x#"_qs
                                             << u"select a from t where b like '#' or c = #x#"_qs;
        QTest::newRow("LEFT JOIN and Left()")
            << u"select left(a.x, 1) from a left join b on a.k = b.k"_qs
            << u"select \"left\"(a.x, 1) from a left join b on a.k = b.k"_qs;
    }

    void jetQueryTextForSqlite()
    {
        QFETCH(QString, query);
        QFETCH(QString, expected);
        QCOMPARE(jetQueryForSqlite(query), expected);
    }

    void columnNamesAsWritten()
    {
        QCOMPARE(jetColumnName(u"jetconcat(hi, ', ', jetconcat(a, left(b, 2)))"_qs),
                 u"hi & ', ' & a & left(b, 2)"_qs);
        QCOMPARE(jetColumnName(u"\"Left\"(bar, 2)"_qs), u"Left(bar, 2)"_qs);
        QCOMPARE(jetColumnName(u"税込売価"_qs), u"税込売価"_qs);
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
