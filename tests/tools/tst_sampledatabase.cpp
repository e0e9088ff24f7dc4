// The sample database built beside the program: what a new installation
// prints from before the operator configures anything.
#include "jetreaders.h"
#include "readerexpectations.h"
#include "testdata/jancode.h"
#include "testdata/productstable.h"
#include "testdata/sampleproducts.h"

#include <QFileInfo>
#include <QTest>

#include <algorithm>

using namespace hakobee;
using mdbwriter::Value;

namespace {

const QString SampleFile = QStringLiteral(HAKOBEE_SAMPLE_DATABASE);

// Computed here independently of the generators' own helper.
bool checkDigitCorrect(const QString& code)
{
    int sum = 0;
    for (qsizetype i = 0; i + 1 < code.size(); ++i) {
        const qsizetype fromRight = code.size() - 2 - i; // 0 for the digit before the check
        sum += code[i].digitValue() * (fromRight % 2 == 0 ? 3 : 1);
    }
    return (10 - sum % 10) % 10 == code.back().digitValue();
}

bool hasHalfWidthKatakana(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; });
}

} // namespace

class TestSampleDatabase : public QObject
{
    Q_OBJECT

private slots:
    void janCheckDigitsOfKnownCodes()
    {
        QVERIFY(testdata::isValidJan(QStringLiteral("4006381333931")));
        QVERIFY(testdata::isValidJan(QStringLiteral("4901234567894")));
        QVERIFY(testdata::isValidJan(QStringLiteral("96385074")));
        QVERIFY(!testdata::isValidJan(QStringLiteral("4901234567895")));
        QVERIFY(!testdata::isValidJan(QStringLiteral("96385075")));
        QVERIFY(!testdata::isValidJan(QStringLiteral("490123456789")));
        QVERIFY(!testdata::isValidJan(QStringLiteral("49012345678a4")));
        QCOMPARE(testdata::withJanCheckDigit(QStringLiteral("490123456789")),
                 QStringLiteral("4901234567894"));
    }

    // Both readers read table Master exactly as the product list has it.
    void readsBackThroughBothReaders()
    {
        QVERIFY2(QFileInfo(SampleFile).isFile(), qPrintable(SampleFile));
        QCOMPARE(tests::mdbToolsTableNames(SampleFile), QStringList{QStringLiteral("Master")});
        const auto read = tests::readWithMdbReader(SampleFile, QStringLiteral("Master"));
        QVERIFY(read);
        QCOMPARE(read->tableNames, QStringList{QStringLiteral("Master")});
        QCOMPARE(read->columnTypes,
                 (QStringList{QStringLiteral("text"), QStringLiteral("text"),
                              QStringLiteral("text"), QStringLiteral("currency")}));

        const QList<testdata::SampleProduct>& products = testdata::sampleProducts();
        const QString difference = tests::compareWithBothReaders(
            SampleFile, QStringLiteral("Master"), testdata::productColumns(), products.size(),
            [&](qint64 row) {
                const testdata::SampleProduct& product = products[row];
                return QList<Value>{product.barcode, product.itemName, product.name,
                                    product.priceYen * 10000};
            });
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // About thirty products with valid Japanese JAN codes, some short ones,
    // half-width katakana, long names, and prices across the full range.
    void productsAreRealistic()
    {
        const auto exported = tests::exportWithMdbTools(SampleFile, QStringLiteral("Master"));
        QVERIFY(exported);
        QCOMPARE(exported->rows.size(), 30);

        QSet<QString> codes;
        int shortCodes = 0;
        int halfWidthNames = 0;
        int longNames = 0;
        double lowest = 1e9;
        double highest = -1;
        for (const tests::ExportedRow& row : exported->rows) {
            QVERIFY(row.size() == 4 && row[0] && row[1] && row[2] && row[3]);
            const QString& code = *row[0];
            QVERIFY2(code.size() == 13 || code.size() == 8, qPrintable(code));
            QVERIFY2(code.startsWith(u"45") || code.startsWith(u"49"), qPrintable(code));
            QVERIFY2(checkDigitCorrect(code), qPrintable(code));
            codes.insert(code);
            shortCodes += code.size() == 8;
            halfWidthNames += hasHalfWidthKatakana(*row[1]) || hasHalfWidthKatakana(*row[2]);
            longNames += row[1]->size() > 50;
            const double price = row[3]->toDouble();
            lowest = std::min(lowest, price);
            highest = std::max(highest, price);
        }
        QCOMPARE(codes.size(), exported->rows.size());
        QVERIFY(shortCodes >= 3);
        QVERIFY(halfWidthNames >= 5);
        QVERIFY(longNames >= 2);
        QCOMPARE(lowest, 0.0);
        QCOMPARE(highest, 99999.0);
    }
};

QTEST_GUILESS_MAIN(TestSampleDatabase)
#include "tst_sampledatabase.moc"
