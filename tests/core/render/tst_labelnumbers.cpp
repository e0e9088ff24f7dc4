#include "core/error.h"
#include "core/render/labelnumbers.h"

#include <QScopeGuard>
#include <QTest>

using namespace hakobee;

class TestLabelNumbers : public QObject
{
    Q_OBJECT

private slots:
    void decimalTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << u"12"_qs << true << 12.0;
        QTest::newRow("blanks around") << u" -1.5 "_qs << true << -1.5;
        QTest::newRow("currency column") << u"1280.0000"_qs << true << 1280.0;
        QTest::newRow("empty") << QString() << false << 0.0;
        QTest::newRow("blank") << u" "_qs << false << 0.0;
        QTest::newRow("letters") << u"abc"_qs << false << 0.0;
        QTest::newRow("full-width digits") << u"１２"_qs << false << 0.0;
        QTest::newRow("not a number") << u"nan"_qs << false << 0.0;
    }
    void decimalTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        if (valid) {
            QCOMPARE(parseDecimalText(text, u"値"_qs), value);
            return;
        }
        try {
            parseDecimalText(text, u"価格"_qs);
            QFAIL("accepted");
        } catch (const Error& error) {
            QCOMPARE(error.description(), u"価格「%1」が数値ではありません。"_qs.arg(text));
        }
    }

    void roundingHalvesToEven()
    {
        QCOMPARE(roundHalfToEven(2.5), 2);
        QCOMPARE(roundHalfToEven(3.5), 4);
        QCOMPARE(roundHalfToEven(3.6), 4);
        QCOMPARE(roundHalfToEven(49.5), 50);
        QCOMPARE(roundHalfToEven(-0.5), 0);
        QCOMPARE(roundHalfToEven(0.49), 0);
    }

    void labelNumbersIgnoreTheLocale_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << u"12"_qs << true << 12.0;
        QTest::newRow("decimals") << u" -1.5 "_qs << true << -1.5;
        QTest::newRow("currency column") << u"1280.0000"_qs << true << 1280.0;
        QTest::newRow("grouped") << u"1,280"_qs << true << 1280.0;
        QTest::newRow("decimal comma") << u"1,5"_qs << false << 0.0;
        QTest::newRow("empty") << QString() << false << 0.0;
        QTest::newRow("full-width digits") << u"１２"_qs << false << 0.0;
        QTest::newRow("infinite") << u"inf"_qs << false << 0.0;
    }
    void labelNumbersIgnoreTheLocale()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        // A locale with a decimal comma and a point between thousands
        // changes nothing.
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restore = qScopeGuard([&] { QLocale::setDefault(previous); });
        if (valid) {
            QCOMPARE(parseLabelNumber(text, u"価格"_qs), value);
            return;
        }
        QVERIFY_THROWS_EXCEPTION(Error, parseLabelNumber(text, u"価格"_qs));
    }

    void priceIsAlwaysYen_data()
    {
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1280") << 1280.0 << u"¥1,280"_qs;
        QTest::newRow("zero") << 0.0 << u"¥0"_qs;
        QTest::newRow("negative") << -98.0 << u"-¥98"_qs;
        QTest::newRow("three digits") << 398.0 << u"¥398"_qs;
        QTest::newRow("millions") << 1234567.0 << u"¥1,234,567"_qs;
        QTest::newRow("largest currency") << 922337203685477.0 << u"¥922,337,203,685,477"_qs;
        QTest::newRow("half up") << 0.5 << u"¥1"_qs;
        QTest::newRow("half away from zero") << 2.5 << u"¥3"_qs;
        QTest::newRow("negative half") << -0.5 << u"-¥1"_qs;
        QTest::newRow("fraction to zero") << -0.4 << u"¥0"_qs;
        QTest::newRow("fraction") << 1280.49 << u"¥1,280"_qs;
        QTest::newRow("negative thousands") << -1280.5 << u"-¥1,281"_qs;
    }
    void priceIsAlwaysYen()
    {
        QFETCH(double, price);
        QFETCH(QString, expected);
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const auto restore = qScopeGuard([&] { QLocale::setDefault(previous); });
        QCOMPARE(formatPrice(price), expected);
        QCOMPARE(formatPrice(price).at(formatPrice(price).startsWith(u'-') ? 1 : 0), QChar(0x00A5));
    }
};

QTEST_MAIN(TestLabelNumbers)
#include "tst_labelnumbers.moc"
