#include "core/error.h"
#include "core/render/labelnumbers.h"

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

    void priceInJapaneseCurrencyFormat()
    {
        const QLocale japan(QLocale::Japanese, QLocale::Japan);
        QCOMPARE(formatPrice(1280, japan), u"￥1,280"_qs);
        QCOMPARE(formatPrice(1234567, japan), u"￥1,234,567"_qs);
        QCOMPARE(formatPrice(-98, japan), u"(￥98)"_qs);
    }
};

QTEST_MAIN(TestLabelNumbers)
#include "tst_labelnumbers.moc"
