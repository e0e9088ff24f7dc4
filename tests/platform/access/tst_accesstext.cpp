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
            << u"select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from Master"_qs
            << u"select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価 from Master"_qs;
        QTest::newRow("quoted text kept")
            << u"select '　' as a　from t"_qs << u"select '　' as a from t"_qs;
        QTest::newRow("doubled quote stays inside")
            << u"select 'it''s　x'　from t"_qs << u"select 'it''s　x' from t"_qs;
        QTest::newRow("bracketed name kept")
            << u"select [名　称]　from t"_qs << u"select [名　称] from t"_qs;
        QTest::newRow("double-quoted name kept")
            << u"select \"名　称\"　from t"_qs << u"select \"名　称\" from t"_qs;
        QTest::newRow("comment kept")
            << u"select a　from t --　x\n　"_qs << u"select a from t --　x\n "_qs;
        QTest::newRow("unclosed quote") << u"select '　"_qs << u"select '　"_qs;
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
        QTest::newRow("1234.5") << qint64(12'345'000) << u"1234.5"_qs;
        QTest::newRow("smallest unit") << qint64(1) << u"0.0001"_qs;
        QTest::newRow("whole") << qint64(10'000) << u"1"_qs;
        QTest::newRow("zero") << qint64(0) << u"0"_qs;
        QTest::newRow("negative") << qint64(-12'345) << u"-1.2345"_qs;
        QTest::newRow("largest") << std::numeric_limits<qint64>::max()
                                 << u"922337203685477.5807"_qs;
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min()
                                  << u"-922337203685477.5808"_qs;
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
        QTest::newRow("single 1.1") << double(1.1f) << 7 << u"1.1"_qs;
        QTest::newRow("double sum") << 0.1 + 0.2 << 15 << u"0.3"_qs;
        QTest::newRow("third") << 1.0 / 3 << 15 << u"0.333333333333333"_qs;
        QTest::newRow("hundred") << 100.0 << 15 << u"100"_qs;
        QTest::newRow("negative") << -2.5 << 15 << u"-2.5"_qs;
        QTest::newRow("15 digits plain") << 123456789012345.0 << 15 << u"123456789012345"_qs;
        QTest::newRow("1E+15") << 1e15 << 15 << u"1E+15"_qs;
        QTest::newRow("large") << 1.5e20 << 15 << u"1.5E+20"_qs;
        QTest::newRow("small plain") << 0.00001 << 15 << u"0.00001"_qs;
        QTest::newRow("small exponent") << 0.000002 << 15 << u"2E-06"_qs;
        QTest::newRow("single large") << double(16777216.0f) << 7 << u"1.677722E+07"_qs;
        QTest::newRow("rounds up a digit") << 9.99999999 << 7 << u"10"_qs;
        QTest::newRow("zero") << 0.0 << 15 << u"0"_qs;
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
            << accessDays(QDate(2024, 3, 5), 14, 7, 9) << u"2024/03/05 14:07:09"_qs;
        QTest::newRow("hour without zero")
            << accessDays(QDate(2024, 3, 5), 9, 5, 3) << u"2024/03/05 9:05:03"_qs;
        QTest::newRow("midnight") << accessDays(QDate(2024, 3, 5)) << u"2024/03/05"_qs;
        QTest::newRow("time alone") << 0.5 << u"12:00:00"_qs;
        QTest::newRow("zero") << 0.0 << u"0:00:00"_qs;
        QTest::newRow("before 1899/12/30") << -1.25 << u"1899/12/29 6:00:00"_qs;
        QTest::newRow("rounds into next day")
            << accessDays(QDate(2024, 12, 31)) + 0.9999999999 << u"2025/01/01"_qs;
        QTest::newRow("leap day") << accessDays(QDate(2024, 2, 29), 23, 59, 59)
                                  << u"2024/02/29 23:59:59"_qs;
        QTest::newRow("not a date") << 1e300 << u"1E+300"_qs;
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
