#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace hakobee {

// The device settings record the Windows print-setup dialog takes and gives
// back: DEVMODEA without the colour-management fields, 124 bytes,
// little-endian, texts in the ANSI code page (Shift-JIS). Every field is
// kept, so a record read from the dialog is written back unchanged.
struct DevMode
{
    static constexpr int recordSize = 124;
    static constexpr int deviceNameSize = 32; // CCHDEVICENAME
    static constexpr int formNameSize = 32;   // CCHFORMNAME

    // dmFields: which fields hold a value.
    static constexpr quint32 orientationFlag = 0x1;     // DM_ORIENTATION
    static constexpr quint32 paperSizeFlag = 0x2;       // DM_PAPERSIZE
    static constexpr quint32 paperLengthFlag = 0x4;     // DM_PAPERLENGTH
    static constexpr quint32 paperWidthFlag = 0x8;      // DM_PAPERWIDTH
    static constexpr quint32 scaleFlag = 0x10;          // DM_SCALE
    static constexpr quint32 defaultSourceFlag = 0x200; // DM_DEFAULTSOURCE
    static constexpr quint32 printQualityFlag = 0x400;  // DM_PRINTQUALITY
    static constexpr quint32 colorFlag = 0x800;         // DM_COLOR
    static constexpr quint32 duplexFlag = 0x1000;       // DM_DUPLEX

    static constexpr qint16 userDefinedPaperSize = 256; // DMPAPER_USER

    QByteArray deviceName; // ANSI bytes, at most 32, no terminator
    quint16 specVersion = 0;
    quint16 driverVersion = 0;
    quint16 size = recordSize;
    quint16 driverExtra = 0;
    quint32 fields = 0;
    qint16 orientation = 0;
    qint16 paperSize = 0;
    qint16 paperLength = 0; // tenths of a millimetre
    qint16 paperWidth = 0;  // tenths of a millimetre
    qint16 scale = 0;       // percent
    qint16 copies = 0;
    qint16 defaultSource = 0;
    qint16 printQuality = 0;
    qint16 color = 0;
    qint16 duplex = 0;
    qint16 yResolution = 0;
    qint16 ttOption = 0;
    qint16 collate = 0;
    QByteArray formName; // ANSI bytes, at most 32
    quint16 logPixels = 0;
    quint32 bitsPerPel = 0;
    quint32 pelsWidth = 0;
    quint32 pelsHeight = 0;
    quint32 displayFlags = 0;
    quint32 displayFrequency = 0;

    // The name cut to 32 bytes at a character boundary.
    void setDeviceName(const QString& name);
    QString deviceNameText() const;

    QByteArray toBytes() const;
    // Reads the first 124 bytes; a shorter block reads as if zero-filled.
    static DevMode fromBytes(const QByteArray& bytes);
};

// The printer's names handed to the print-setup dialog with the DevMode:
// four 16-bit offsets (from the start of the record) and a 256-byte text
// area holding driver, device and port, each ending in a NUL. 264 bytes.
struct DevNames
{
    static constexpr int recordSize = 264;
    static constexpr int headerSize = 8;
    static constexpr int textAreaSize = 256;

    QString driver;
    QString device;
    QString port;
    quint16 defaultFlag = 0; // wDefault

    // Texts too long for the text area are cut at a character boundary: the
    // port first, then the driver, the device name last.
    QByteArray toBytes() const;
    // Offsets pointing outside the record read as empty texts.
    static DevNames fromBytes(const QByteArray& bytes);
};

// Paper dimensions between the printer's twips and the records' tenths of a
// millimetre, rounded half to even as the dialog's callers always rounded.
// Empty when the result does not fit the record's 16-bit field.
std::optional<qint16> twipsToTenthsMm(int twips);
int tenthsMmToTwips(int tenths);

// Texts in the records' ANSI code page (Shift-JIS), cut to at most maxBytes
// without splitting a character.
QByteArray toAnsi(const QString& text, int maxBytes);
QString fromAnsi(const QByteArray& bytes);

} // namespace hakobee
