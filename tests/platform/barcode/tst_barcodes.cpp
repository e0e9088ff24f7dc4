#include "core/barcode/barcodecalls.h"
#include "core/barcode/recordbarcode.h"
#include "core/error.h"
#include "platform/barcode/zintbarcodeencoder.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace hakobee;

namespace {

// EAN module patterns written out independently of zint: a 1 is a dark module.
QString eanModules(const QString& digits)
{
    static const char* const leftOdd[] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                          "0110001", "0101111", "0111011", "0110111", "0001011"};
    static const char* const firstDigitParity[] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL",
                                                   "LGLLGG", "LGGLLG", "LGGGLG", "LGLGLG",
                                                   "LGLGGL", "LGGLGL"};
    auto digit = [&](qsizetype i) {
        return digits.at(i).unicode() - u'0';
    };
    auto right = [&](int d) {
        QString code = QString::fromLatin1(leftOdd[d]);
        for (QChar& c : code)
            c = c == u'0' ? u'1' : u'0';
        return code;
    };
    auto even = [&](int d) {
        QString code = right(d);
        std::reverse(code.begin(), code.end());
        return code;
    };
    const bool ean13 = digits.size() == 13;
    const qsizetype half = ean13 ? 6 : 4;
    const qsizetype first = ean13 ? 1 : 0;
    QString modules = QString(ean13 ? 11 : 7, u'0') + u"101"_qs;
    for (qsizetype i = 0; i < half; ++i) {
        const bool odd = !ean13 || firstDigitParity[digit(0)][i] == 'L';
        modules += odd ? QString::fromLatin1(leftOdd[digit(first + i)]) : even(digit(first + i));
    }
    modules += u"01010"_qs;
    for (qsizetype i = 0; i < half; ++i)
        modules += right(digit(first + half + i));
    modules += u"101"_qs + QString(7, u'0');
    return modules;
}

QString pictureModules(const BarcodePicture& picture)
{
    QString modules(picture.widthModules(), u'0');
    for (const BarcodeBar& bar : picture.bars())
        modules.replace(bar.startModule, bar.widthModules, QString(bar.widthModules, u'1'));
    return modules;
}

} // namespace

class TestBarcodes : public QObject
{
    Q_OBJECT

private slots:
    void barcodeTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("encoded"); // empty: refused
        QTest::addColumn<QString>("errorNames");
        QTest::newRow("12 digits") << u"JAN-490123456789"_qs << u"4901234567894"_qs << QString();
        QTest::newRow("13 digits") << u"JAN-4901234567894"_qs << u"4901234567894"_qs << QString();
        QTest::newRow("13 digits, check 0")
            << u"JAN-4569951116100"_qs << u"4569951116100"_qs << QString();
        QTest::newRow("7 digits") << u"JAN-4912345"_qs << u"49123456"_qs << QString();
        QTest::newRow("8 digits") << u"JAN-49123456"_qs << u"49123456"_qs << QString();
        QTest::newRow("13 wrong check")
            << u"JAN-4901234567890"_qs << QString() << u"JAN-4901234567890"_qs;
        QTest::newRow("8 wrong check") << u"JAN-49123459"_qs << QString() << u"JAN-49123459"_qs;
        QTest::newRow("letters") << u"JAN-49012345678A"_qs << QString() << u"JAN-49012345678A"_qs;
        QTest::newRow("empty") << QString() << QString() << u"「」"_qs;
        QTest::newRow("prefix alone") << u"JAN-"_qs << QString() << u"「JAN-」"_qs;
        QTest::newRow("no prefix") << u"4901234567894"_qs << QString() << u"4901234567894"_qs;
        QTest::newRow("9 digits") << u"JAN-123456789"_qs << QString() << u"JAN-123456789"_qs;
        QTest::newRow("14 digits")
            << u"JAN-49012345678941"_qs << QString() << u"JAN-49012345678941"_qs;
        QTest::newRow("full-width digits")
            << u"JAN-４９１２３４５"_qs << QString() << u"JAN-４９１２３４５"_qs;
        QTest::newRow("blank inside") << u"JAN-4912 345"_qs << QString() << u"JAN-4912 345"_qs;
    }
    void barcodeTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, encoded);
        QFETCH(QString, errorNames);
        ZintBarcodeEncoder encoder;
        if (encoded.isEmpty()) {
            try {
                encoder.encode(text);
                QFAIL("accepted");
            } catch (const Error& error) {
                QVERIFY2(error.description().contains(errorNames), qPrintable(error.description()));
            }
            return;
        }
        const auto picture = encoder.encode(text);
        QCOMPARE(picture->encodedText(), encoded);
        // The bars are the code's modules, quiet zones included
        // (EAN-13: 11 left, 7 right; EAN-8: 7 and 7).
        QCOMPARE(pictureModules(*picture), eanModules(encoded));
    }

    void moduleWidthSnapsToWholeDotsNearNominal_data()
    {
        QTest::addColumn<double>("dotsPerInch");
        QTest::addColumn<int>("moduleDots");
        QTest::newRow("screen 96") << 96.0 << 1;
        QTest::newRow("label printer 203") << 203.2 << 3;
        QTest::newRow("300") << 300.0 << 4;
        QTest::newRow("600") << 600.0 << 7;
        QTest::newRow("1200") << 1200.0 << 14;
    }
    void moduleWidthSnapsToWholeDotsNearNominal()
    {
        QFETCH(double, dotsPerInch);
        QFETCH(int, moduleDots);
        const double dotsPerMm = dotsPerInch / 25.4;
        QCOMPARE(BarcodePicture::moduleDots(dotsPerMm), moduleDots);
        // Within the sizes the EAN standard allows (80 % to 200 % of 0.33 mm),
        // and as near to 0.30 mm as whole dots come.
        const double moduleMm = moduleDots / dotsPerMm;
        QVERIFY(moduleMm >= 0.264 && moduleMm <= 0.66);
        QVERIFY(std::abs(moduleMm - 0.30) <= 1 / dotsPerMm);

        // The picture fits between its place at 14 mm and the caption at 21 mm.
        const auto picture = ZintBarcodeEncoder().encode(u"JAN-4901234567894"_qs);
        const QSizeF size = picture->sizeMm(dotsPerMm);
        QCOMPARE(size.width(), 113 * moduleDots / dotsPerMm);
        QVERIFY(14 + size.height() < 21);
    }

    void barsLandOnWholeDots()
    {
        const auto picture = ZintBarcodeEncoder().encode(u"JAN-4912345"_qs);
        const double dotsPerMm = 300 / 25.4; // 4 dots a module
        QImage image(400, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            picture->paint(painter, {10.4, 5.6}, dotsPerMm);
        }
        // Starts on dot 10 and 6; every module is exactly four dots, sharp.
        QString row;
        for (int x = 10; x < 10 + 81 * 4; x += 4) {
            const QRgb first = image.pixel(x, 20);
            for (int i = 1; i < 4; ++i)
                QCOMPARE(image.pixel(x + i, 20), first);
            QVERIFY(first == qRgb(0, 0, 0) || first == qRgb(255, 255, 255));
            row += first == qRgb(0, 0, 0) ? u'1' : u'0';
        }
        QCOMPARE(row, eanModules(u"49123456"_qs));
        QCOMPARE(image.pixel(40, 5), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(40, 6), qRgb(0, 0, 0)); // module 7 is the first bar
        const int lastRow = 6 + qRound(6.5 * dotsPerMm) - 1;
        QCOMPARE(image.pixel(40, lastRow), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(40, lastRow + 1), qRgb(255, 255, 255));
    }

    void sampleBarcodeIsDrawnOnASurface()
    {
        ZintBarcodeEncoder encoder;
        PictureSlot slot;
        BarcodeCalls calls(encoder, slot);
        QImage image(200, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QCOMPARE(calls.display2(u"JAN-"_qs, painter, image.rect()), -1);
        }
        QCOMPARE(image.pixel(20, 10), qRgb(255, 255, 255)); // nothing drawn for a bad text
        QImage blank = image.copy();
        {
            QPainter painter(&image);
            QCOMPARE(calls.display2(u"JAN-123456789012"_qs, painter, image.rect()), 0);
        }
        QVERIFY(image != blank);
        QVERIFY(!slot.hasPicture()); // drawing leaves nothing in the slot
    }

    void recordBarcodeIsOfThisVeryValue()
    {
        ZintBarcodeEncoder encoder;
        QCOMPARE(makeRecordBarcode(encoder, u"4901234567894"_qs)->encodedText(),
                 u"4901234567894"_qs);
        // An empty value has no barcode (its label prints the header alone).
        QVERIFY(!makeRecordBarcode(encoder, QString()));
        // A refusal names the value as the screens show it, "JAN-" first.
        for (const QString& bad : {u"4901234567890"_qs, u"ABC"_qs, u"JAN-4901234567894"_qs}) {
            try {
                makeRecordBarcode(encoder, bad);
                QFAIL("a picture was handed out");
            } catch (const Error& error) {
                QVERIFY2(error.description().contains(u"「JAN-"_qs + bad + u"」"_qs),
                         qPrintable(error.description()));
            }
        }
        QCOMPARE(makeRecordBarcode(encoder, u"4912345"_qs)->encodedText(), u"49123456"_qs);
    }
};

QTEST_MAIN(TestBarcodes)
#include "tst_barcodes.moc"
