#include "valueencoding.h"

#include "littleendian.h"

#include <cmath>
#include <limits>

namespace hakobee::mdbwriter {

namespace {

template<typename T> const T& expect(const Value& value, const char* what)
{
    if (const T* held = std::get_if<T>(&value))
        return *held;
    throw ValueError{u"%1 ではない値です"_qs.arg(QString::fromUtf8(what))};
}

qint64 integerInRange(const Value& value, qint64 lowest, qint64 highest)
{
    const qint64 number = expect<qint64>(value, "整数");
    if (number < lowest || number > highest)
        throw ValueError{u"%1 は %2 〜 %3 の範囲外です"_qs.arg(number).arg(lowest).arg(highest)};
    return number;
}

constexpr qint64 MillisecondsPerDay = 24 * 60 * 60 * 1000;

// A sign byte, then the magnitude as a 128-bit number in four little-endian
// 32-bit words, the most significant word first.
void putDecimal(QByteArray& row, int offset, int precision, qint64 unscaled)
{
    const quint64 magnitude = unscaled < 0 ? quint64(0) - quint64(unscaled) : quint64(unscaled);
    quint64 limit = 1;
    for (int digit = 0; digit < precision && limit <= magnitude; ++digit)
        limit *= 10;
    if (magnitude >= limit)
        throw ValueError{u"%1 は精度 %2 桁を超えています"_qs.arg(unscaled).arg(precision)};
    putU8(row, offset, unscaled < 0 ? 0x80 : 0x00);
    putU32(row, offset + 1 + 12, quint32(magnitude));
    putU32(row, offset + 1 + 8, quint32(magnitude >> 32));
}

} // namespace

double jetDateTime(const QDateTime& dateTime)
{
    static const QDate epoch(1899, 12, 30);
    const qint64 days = epoch.daysTo(dateTime.date());
    const double timeOfDay = double(dateTime.time().msecsSinceStartOfDay()) / MillisecondsPerDay;
    return days >= 0 ? double(days) + timeOfDay : double(days) - timeOfDay;
}

void putFixedValue(QByteArray& row, int offset, const Column& column, const Value& value)
{
    switch (column.type) {
    case ColumnType::Byte:
        putU8(row, offset, quint8(integerInRange(value, 0, 255)));
        return;
    case ColumnType::Integer:
        putU16(row, offset, quint16(integerInRange(value, -32768, 32767)));
        return;
    case ColumnType::Long:
        putU32(row, offset,
               quint32(integerInRange(value, std::numeric_limits<qint32>::min(),
                                      std::numeric_limits<qint32>::max())));
        return;
    case ColumnType::Currency:
        putI64(row, offset, expect<qint64>(value, "整数（金額×10000）"));
        return;
    case ColumnType::Single: {
        const double number = expect<double>(value, "実数");
        if (std::isfinite(number) && std::abs(number) > std::numeric_limits<float>::max())
            throw ValueError{u"%1 は単精度の範囲外です"_qs.arg(number)};
        putF32(row, offset, float(number));
        return;
    }
    case ColumnType::Double:
        putF64(row, offset, expect<double>(value, "実数"));
        return;
    case ColumnType::DateTime: {
        const QDateTime& dateTime = expect<QDateTime>(value, "日付/時刻");
        if (!dateTime.isValid())
            throw ValueError{u"無効な日付/時刻です"_qs};
        putF64(row, offset, jetDateTime(dateTime));
        return;
    }
    case ColumnType::Decimal:
        putDecimal(row, offset, column.precision, expect<qint64>(value, "整数（値×10^小数桁数）"));
        return;
    case ColumnType::YesNo:
    case ColumnType::Text:
    case ColumnType::Memo:
    case ColumnType::Binary:
        break;
    }
    Q_UNREACHABLE();
}

bool yesNoBit(const Value& value)
{
    if (std::holds_alternative<std::monostate>(value))
        return false;
    return expect<bool>(value, "Yes/No");
}

const QString& textValue(const Column& column, const Value& value)
{
    const QString& text = expect<QString>(value, "文字列");
    if (column.type == ColumnType::Text && text.size() > column.maxChars)
        throw ValueError{
            u"%1 文字あり、上限 %2 文字を超えています"_qs.arg(text.size()).arg(column.maxChars)};
    return text;
}

QByteArray binaryValue(const Column& column, const Value& value)
{
    const QString& bytes = expect<QString>(value, "バイト列（1 文字 1 バイト）");
    for (const QChar c : bytes) {
        if (c.unicode() > 0xFF)
            throw ValueError{
                u"U+%1 は 1 バイトではありません"_qs.arg(c.unicode(), 4, 16, QLatin1Char('0'))};
    }
    if (bytes.size() > column.maxChars)
        throw ValueError{u"%1 バイトあり、上限 %2 バイトを超えています"_qs.arg(bytes.size())
                             .arg(column.maxChars)};
    return bytes.toLatin1();
}

} // namespace hakobee::mdbwriter
