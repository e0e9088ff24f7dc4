// Paper size codes: the Windows numbers for standard sizes, and for every
// other size a code of its own that its size alone decides.

#include "core/printer/papercodes.h"

#include <QTest>

using namespace hakobee;

namespace {

// Sizes as CUPS's Zebra ZPL driver offers them, in points.
OfferedPaper inches(const char* key, double width, double height)
{
    return {QString::fromLatin1(key), width * 72, height * 72};
}

} // namespace

class TestPaperCodes : public QObject
{
    Q_OBJECT

private slots:
    void standardSizesKeepTheirWindowsNumbersWhateverTheirName()
    {
        const QList<int> codes = paperSizeCodes({
            {u"A4"_qs, 595, 842},
            {u"w612h792"_qs, 612, 792}, // Letter under a label driver's name
            {u"A5Rotated"_qs, 595, 420},
            {u"A4.Duplicate"_qs, 595.3, 841.9}, // one size named twice
        });
        QCOMPARE(codes[0], 9);
        QCOMPARE(codes[1], 1);
        QVERIFY(codes[2] > 256); // Windows numbers no landscape A5
        QVERIFY(codes[3] > 256 && codes[3] != codes[2]);
    }

    void labelSizesAreCodedByTheirMillimetresAndStayUnique()
    {
        const QList<OfferedPaper> zebra{
            inches("w162h90", 2.25, 1.25), // 57 x 32 mm
            inches("w90h18", 1.25, 0.25),  inches("w288h360", 4, 5),
            inches("w288h936", 4, 13),  // taller than 256 mm
            inches("w576h72", 8, 1),    // wider than 126 mm
            {u"w162h91"_qs, 162, 90.7}, // rounds to 57 x 32 mm as well
        };
        const QList<int> codes = paperSizeCodes(zebra);
        QCOMPARE(codes[0], 257 + 256 * 56 + 31);
        QCOMPARE(codes[1], 257 + 256 * 31 + 5);
        QCOMPARE(codes[2], 257 + 256 * 101 + 126);
        QCOMPARE(codes[5], codes[0] + 1); // the second of one size, by name
        QVERIFY(codes[3] >= 32513 && codes[4] >= 32513 && codes[3] != codes[4]);

        // The same codes whatever order the driver lists its sizes in.
        QList<OfferedPaper> reversed(zebra.rbegin(), zebra.rend());
        QList<int> again = paperSizeCodes(reversed);
        std::reverse(again.begin(), again.end());
        QCOMPARE(again, codes);
        QVERIFY(!codes.contains(256));
    }
};

QTEST_GUILESS_MAIN(TestPaperCodes)
#include "tst_papercodes.moc"
