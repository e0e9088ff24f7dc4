#include "core/printer/devmode.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

#include <cmath>
#include <limits>

namespace hakobee {

namespace {

// Writes little-endian fields at fixed offsets of a zero-filled record.
class RecordWriter
{
public:
    explicit RecordWriter(int size) : bytes_(size, '\0') {}

    template<typename T> void put(int offset, T value)
    {
        qToLittleEndian(value, bytes_.data() + offset);
    }
    void putText(int offset, const QByteArray& text, int maxBytes)
    {
        std::copy_n(text.constData(), std::min<qsizetype>(text.size(), maxBytes),
                    bytes_.data() + offset);
    }
    QByteArray bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Reads little-endian fields; bytes past the end of the block read as zero.
class RecordReader
{
public:
    RecordReader(const QByteArray& bytes, int size) : bytes_(bytes.left(size))
    {
        bytes_.resize(size, '\0');
    }

    template<typename T> T get(int offset) const
    {
        return qFromLittleEndian<T>(bytes_.constData() + offset);
    }
    // The bytes from the offset up to a NUL or maxBytes.
    QByteArray text(int offset, int maxBytes) const
    {
        if (offset < 0 || offset >= bytes_.size())
            return {};
        const QByteArray area = bytes_.mid(offset, maxBytes);
        const qsizetype end = area.indexOf('\0');
        return end < 0 ? area : area.left(end);
    }

private:
    QByteArray bytes_;
};

// Field offsets of DEVMODEA.
enum DevModeOffset
{
    dmDeviceName = 0,
    dmSpecVersion = 32,
    dmDriverVersion = 34,
    dmSize = 36,
    dmDriverExtra = 38,
    dmFields = 40,
    dmOrientation = 44,
    dmPaperSize = 46,
    dmPaperLength = 48,
    dmPaperWidth = 50,
    dmScale = 52,
    dmCopies = 54,
    dmDefaultSource = 56,
    dmPrintQuality = 58,
    dmColor = 60,
    dmDuplex = 62,
    dmYResolution = 64,
    dmTTOption = 66,
    dmCollate = 68,
    dmFormName = 70,
    dmLogPixels = 102,
    dmBitsPerPel = 104,
    dmPelsWidth = 108,
    dmPelsHeight = 112,
    dmDisplayFlags = 116,
    dmDisplayFrequency = 120,
};

int roundHalfToEven(double value)
{
    const double rounded = std::nearbyint(value); // the default mode rounds half to even
    return static_cast<int>(rounded);
}

} // namespace

QByteArray toAnsi(const QString& text, int maxBytes)
{
    QStringEncoder encoder("Shift_JIS");
    QByteArray result;
    // Character by character, so a cut never splits a double-byte character
    // or a surrogate pair.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray encoded = encoder.encode(QStringView(text).mid(i, length));
        if (result.size() + encoded.size() > maxBytes)
            break;
        result += encoded;
        i += length;
    }
    return result;
}

QString fromAnsi(const QByteArray& bytes)
{
    QStringDecoder decoder("Shift_JIS");
    return decoder.decode(bytes);
}

std::optional<qint16> twipsToTenthsMm(int twips)
{
    const int tenths = roundHalfToEven(twips * 254.0 / 1440.0);
    if (tenths < std::numeric_limits<qint16>::min() || tenths > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(tenths);
}

int tenthsMmToTwips(int tenths)
{
    return roundHalfToEven(tenths * 1440.0 / 254.0);
}

void DevMode::setDeviceName(const QString& name)
{
    deviceName = toAnsi(name, deviceNameSize);
}

QString DevMode::deviceNameText() const
{
    const qsizetype end = deviceName.indexOf('\0');
    return fromAnsi(end < 0 ? deviceName : deviceName.left(end));
}

QByteArray DevMode::toBytes() const
{
    RecordWriter record(recordSize);
    record.putText(dmDeviceName, deviceName, deviceNameSize);
    record.put<quint16>(dmSpecVersion, specVersion);
    record.put<quint16>(dmDriverVersion, driverVersion);
    record.put<quint16>(dmSize, size);
    record.put<quint16>(dmDriverExtra, driverExtra);
    record.put<quint32>(dmFields, fields);
    record.put<qint16>(dmOrientation, orientation);
    record.put<qint16>(dmPaperSize, paperSize);
    record.put<qint16>(dmPaperLength, paperLength);
    record.put<qint16>(dmPaperWidth, paperWidth);
    record.put<qint16>(dmScale, scale);
    record.put<qint16>(dmCopies, copies);
    record.put<qint16>(dmDefaultSource, defaultSource);
    record.put<qint16>(dmPrintQuality, printQuality);
    record.put<qint16>(dmColor, color);
    record.put<qint16>(dmDuplex, duplex);
    record.put<qint16>(dmYResolution, yResolution);
    record.put<qint16>(dmTTOption, ttOption);
    record.put<qint16>(dmCollate, collate);
    record.putText(dmFormName, formName, formNameSize);
    record.put<quint16>(dmLogPixels, logPixels);
    record.put<quint32>(dmBitsPerPel, bitsPerPel);
    record.put<quint32>(dmPelsWidth, pelsWidth);
    record.put<quint32>(dmPelsHeight, pelsHeight);
    record.put<quint32>(dmDisplayFlags, displayFlags);
    record.put<quint32>(dmDisplayFrequency, displayFrequency);
    return record.bytes();
}

DevMode DevMode::fromBytes(const QByteArray& bytes)
{
    const RecordReader record(bytes, recordSize);
    DevMode mode;
    mode.deviceName = record.text(dmDeviceName, deviceNameSize);
    mode.specVersion = record.get<quint16>(dmSpecVersion);
    mode.driverVersion = record.get<quint16>(dmDriverVersion);
    mode.size = record.get<quint16>(dmSize);
    mode.driverExtra = record.get<quint16>(dmDriverExtra);
    mode.fields = record.get<quint32>(dmFields);
    mode.orientation = record.get<qint16>(dmOrientation);
    mode.paperSize = record.get<qint16>(dmPaperSize);
    mode.paperLength = record.get<qint16>(dmPaperLength);
    mode.paperWidth = record.get<qint16>(dmPaperWidth);
    mode.scale = record.get<qint16>(dmScale);
    mode.copies = record.get<qint16>(dmCopies);
    mode.defaultSource = record.get<qint16>(dmDefaultSource);
    mode.printQuality = record.get<qint16>(dmPrintQuality);
    mode.color = record.get<qint16>(dmColor);
    mode.duplex = record.get<qint16>(dmDuplex);
    mode.yResolution = record.get<qint16>(dmYResolution);
    mode.ttOption = record.get<qint16>(dmTTOption);
    mode.collate = record.get<qint16>(dmCollate);
    mode.formName = record.text(dmFormName, formNameSize);
    mode.logPixels = record.get<quint16>(dmLogPixels);
    mode.bitsPerPel = record.get<quint32>(dmBitsPerPel);
    mode.pelsWidth = record.get<quint32>(dmPelsWidth);
    mode.pelsHeight = record.get<quint32>(dmPelsHeight);
    mode.displayFlags = record.get<quint32>(dmDisplayFlags);
    mode.displayFrequency = record.get<quint32>(dmDisplayFrequency);
    return mode;
}

QByteArray DevNames::toBytes() const
{
    // Room for the three texts and their three NULs; what does not fit is
    // taken from the port, then the driver, so the device name survives.
    int room = textAreaSize - 3;
    const QByteArray deviceBytes = toAnsi(device, room);
    room -= deviceBytes.size();
    const QByteArray driverBytes = toAnsi(driver, room);
    room -= driverBytes.size();
    const QByteArray portBytes = toAnsi(port, room);

    const int driverOffset = headerSize;
    const int deviceOffset = driverOffset + driverBytes.size() + 1;
    const int portOffset = deviceOffset + deviceBytes.size() + 1;
    RecordWriter record(recordSize);
    record.put<quint16>(0, driverOffset);
    record.put<quint16>(2, deviceOffset);
    record.put<quint16>(4, portOffset);
    record.put<quint16>(6, defaultFlag);
    record.putText(driverOffset, driverBytes, driverBytes.size());
    record.putText(deviceOffset, deviceBytes, deviceBytes.size());
    record.putText(portOffset, portBytes, portBytes.size());
    return record.bytes();
}

DevNames DevNames::fromBytes(const QByteArray& bytes)
{
    const RecordReader record(bytes, recordSize);
    const auto textAt = [&record](int offsetField) {
        const int offset = record.get<quint16>(offsetField);
        return offset < headerSize ? QString() : fromAnsi(record.text(offset, recordSize));
    };
    DevNames names;
    names.driver = textAt(0);
    names.device = textAt(2);
    names.port = textAt(4);
    names.defaultFlag = record.get<quint16>(6);
    return names;
}

} // namespace hakobee
