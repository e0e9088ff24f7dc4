// The DEVMODE and DEVNAMES records as the Windows print-setup dialog reads
// them: field offsets, little-endian order, ANSI names and their limits, and
// the paper units.

#include "core/printer/devmode.h"

#include <QTest>
#include <QtEndian>

using namespace hakobee;

namespace {

template<typename T> T fieldAt(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

} // namespace

class DevModeTest : public QObject
{
    Q_OBJECT

private slots:
    void fieldsLieAtTheirOffsets()
    {
        DevMode mode;
        mode.setDeviceName(u"Label Printer"_qs);
        mode.fields = 0x1e1f;
        mode.orientation = 2;
        mode.paperSize = 256;
        mode.paperLength = 2970;
        mode.paperWidth = 2100;
        mode.scale = 100;
        mode.copies = 3;
        mode.defaultSource = 7;
        mode.printQuality = -4;
        mode.color = 2;
        mode.duplex = 3;
        mode.yResolution = 600;
        mode.collate = 1;
        mode.formName = "A4";
        mode.displayFrequency = 0x01020304;

        const QByteArray bytes = mode.toBytes();
        QCOMPARE(bytes.size(), 124);
        QCOMPARE(bytes.left(14), QByteArray("Label Printer\0", 14));
        QCOMPARE(fieldAt<quint16>(bytes, 36), quint16(124)); // dmSize
        QCOMPARE(fieldAt<quint32>(bytes, 40), quint32(0x1e1f));
        QCOMPARE(fieldAt<qint16>(bytes, 44), qint16(2));
        QCOMPARE(fieldAt<qint16>(bytes, 46), qint16(256));
        QCOMPARE(fieldAt<qint16>(bytes, 48), qint16(2970));
        QCOMPARE(fieldAt<qint16>(bytes, 50), qint16(2100));
        QCOMPARE(fieldAt<qint16>(bytes, 52), qint16(100));
        QCOMPARE(fieldAt<qint16>(bytes, 54), qint16(3));
        QCOMPARE(fieldAt<qint16>(bytes, 56), qint16(7));
        QCOMPARE(fieldAt<qint16>(bytes, 58), qint16(-4));
        QCOMPARE(fieldAt<qint16>(bytes, 60), qint16(2));
        QCOMPARE(fieldAt<qint16>(bytes, 62), qint16(3));
        QCOMPARE(fieldAt<qint16>(bytes, 64), qint16(600));
        QCOMPARE(fieldAt<qint16>(bytes, 68), qint16(1));
        QCOMPARE(bytes.mid(70, 3), QByteArray("A4\0", 3));
        // little-endian: lowest byte first
        QCOMPARE(bytes.mid(120, 4), QByteArray("\x04\x03\x02\x01", 4));
        QCOMPARE(bytes.at(46), '\0');
        QCOMPARE(bytes.at(47), '\x01');

        // Everything read back as it was written, so a record from the
        // dialog goes back unchanged.
        const DevMode back = DevMode::fromBytes(bytes);
        QCOMPARE(back.toBytes(), bytes);
        QCOMPARE(back.deviceNameText(), u"Label Printer"_qs);
        QCOMPARE(back.paperWidth, qint16(2100));
        QCOMPARE(back.printQuality, qint16(-4));
    }

    void deviceNamesAreCutToThirtyTwoBytesAtACharacterBoundary()
    {
        DevMode mode;
        const QString exactly32 = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"_qs;
        mode.setDeviceName(exactly32 + u"6789"_qs);
        QByteArray bytes = mode.toBytes();
        QCOMPARE(bytes.left(32), exactly32.toLatin1()); // no terminator when full
        QCOMPARE(fieldAt<quint16>(bytes, 32), quint16(0));
        QCOMPARE(DevMode::fromBytes(bytes).deviceNameText(), exactly32);

        // Seventeen double-byte characters are 34 bytes: sixteen fit.
        const QString japanese = u"ラベルプリンタ第一事務所二階東側窓口"_qs;
        mode.setDeviceName(japanese);
        bytes = mode.toBytes();
        QCOMPARE(mode.deviceName.size(), 32);
        QCOMPARE(DevMode::fromBytes(bytes).deviceNameText(), japanese.left(16));

        // One half-width letter first: a double-byte character would end at
        // byte 33, so it is left out whole and byte 31 is the terminator.
        mode.setDeviceName(u"A"_qs + japanese);
        QCOMPARE(mode.deviceName.size(), 31);
        QCOMPARE(mode.toBytes().at(31), '\0');
        QCOMPARE(mode.deviceNameText(), u"A"_qs + japanese.left(15));
    }

    void paperUnitsRoundHalfToEven()
    {
        QCOMPARE(twipsToTenthsMm(11906), std::optional<qint16>(2100)); // A4 width
        QCOMPARE(twipsToTenthsMm(16838), std::optional<qint16>(2970)); // A4 height
        QCOMPARE(twipsToTenthsMm(360), std::optional<qint16>(64));     // 63.5
        QCOMPARE(twipsToTenthsMm(1080), std::optional<qint16>(190));   // 190.5
        QCOMPARE(twipsToTenthsMm(0), std::optional<qint16>(0));
        QCOMPARE(twipsToTenthsMm(185768), std::optional<qint16>(32767));
        QCOMPARE(twipsToTenthsMm(185769), std::nullopt); // 32768, past the 16-bit field
        QCOMPARE(tenthsMmToTwips(2100), 11906);
        QCOMPARE(tenthsMmToTwips(2970), 16838);
        QCOMPARE(tenthsMmToTwips(500), 2835);
    }

    void devNamesHoldDriverDeviceAndPortAtTheirOffsets()
    {
        DevNames names;
        names.driver = u"CUPS-PDF"_qs;
        names.device = u"hakobee-pdf"_qs;
        names.port = u"/var/spool"_qs;
        const QByteArray bytes = names.toBytes();
        QCOMPARE(bytes.size(), 264);
        QCOMPARE(fieldAt<quint16>(bytes, 0), quint16(8));
        QCOMPARE(fieldAt<quint16>(bytes, 2), quint16(17));
        QCOMPARE(fieldAt<quint16>(bytes, 4), quint16(29));
        QCOMPARE(fieldAt<quint16>(bytes, 6), quint16(0));
        QCOMPARE(bytes.mid(8, 32), QByteArray("CUPS-PDF\0hakobee-pdf\0/var/spool\0", 32));
        QCOMPARE(bytes.mid(40).count('\0'), 264 - 40);

        const DevNames back = DevNames::fromBytes(bytes);
        QCOMPARE(back.driver, names.driver);
        QCOMPARE(back.device, names.device);
        QCOMPARE(back.port, names.port);
    }

    void devNamesKeepTheDeviceNameWhenTextsAreTooLong()
    {
        DevNames names;
        names.driver = QString(100, QLatin1Char('d'));
        names.device = u"プリンタ"_qs;
        names.port = u"/home/"_qs + QString(300, QLatin1Char('p'));
        const QByteArray bytes = names.toBytes();
        QCOMPARE(bytes.size(), 264);
        QCOMPARE(bytes.at(263), '\0'); // the port's terminator still fits
        const DevNames back = DevNames::fromBytes(bytes);
        QCOMPARE(back.device, names.device);
        QCOMPARE(back.driver, names.driver);
        QCOMPARE(back.port.size(), 256 - 3 - 8 - 100);
        QVERIFY(names.port.startsWith(back.port));
    }

    void devNamesWithOffsetsOutsideTheRecordReadAsEmpty()
    {
        QByteArray bytes(264, '\0');
        qToLittleEndian<quint16>(8, bytes.data());
        qToLittleEndian<quint16>(500, bytes.data() + 2);
        qToLittleEndian<quint16>(3, bytes.data() + 4);
        bytes.replace(8, 4, "DRV\0");
        const DevNames names = DevNames::fromBytes(bytes);
        QCOMPARE(names.driver, u"DRV"_qs);
        QVERIFY(names.device.isEmpty());
        QVERIFY(names.port.isEmpty());
        // and a record cut short reads without running past its end
        QVERIFY(DevNames::fromBytes(bytes.left(10)).device.isEmpty());
    }
};

QTEST_APPLESS_MAIN(DevModeTest)
#include "tst_devmode.moc"
