#include "readerexpectations.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace hakobee::tests {

using mdbwriter::ColumnType;
using mdbwriter::Value;

namespace {

bool isNull(const Value& value)
{
    return std::holds_alternative<std::monostate>(value);
}

// Both readers print exact decimals with as many decimal places as the scale.
QString decimalText(qint64 unscaled, int scale)
{
    const bool negative = unscaled < 0;
    // Work in unsigned so that the smallest amount has a magnitude too.
    const quint64 magnitude = negative ? quint64(0) - quint64(unscaled) : quint64(unscaled);
    QString digits = QString::number(magnitude).rightJustified(scale + 1, u'0');
    if (scale > 0)
        digits.insert(digits.size() - scale, u'.');
    return negative ? u"-"_qs + digits : digits;
}

QString moneyText(qint64 timesTenThousand)
{
    return decimalText(timesTenThousand, 4);
}

QString describe(const QJsonValue& value)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
}

QString describe(const std::optional<QString>& cell)
{
    return cell ? u"\"%1\""_qs.arg(*cell) : u"null"_qs;
}

QString cellPlace(const QString& reader, qint64 row, const QString& column)
{
    return u"%1, row %2, column %3: "_qs.arg(reader).arg(row).arg(column);
}

} // namespace

std::optional<QString> expectedExportCell(const mdbwriter::Column& column, const Value& value)
{
    const ColumnType type = column.type;
    if (type == ColumnType::YesNo)
        return std::get_if<bool>(&value) && std::get<bool>(value) ? u"1"_qs : u"0"_qs;
    if (isNull(value))
        return std::nullopt;
    switch (type) {
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
        return QString::number(std::get<qint64>(value));
    case ColumnType::Currency:
        return moneyText(std::get<qint64>(value));
    case ColumnType::Decimal:
        return decimalText(std::get<qint64>(value), column.scale);
    case ColumnType::Single:
        return QString::asprintf("%.8g", std::get<double>(value));
    case ColumnType::Double:
        return QString::asprintf("%.16g", std::get<double>(value));
    case ColumnType::DateTime:
        return std::get<QDateTime>(value).toString(u"yyyy-MM-dd HH:mm:ss"_qs);
    case ColumnType::Text:
    case ColumnType::Memo: {
        const QString& text = std::get<QString>(value);
        if (text.isEmpty())
            return std::nullopt;
        return text;
    }
    case ColumnType::Binary: // mdb-export writes its bytes as they are
        return std::get<QString>(value);
    case ColumnType::YesNo:
        break;
    }
    return std::nullopt;
}

QJsonValue expectedReaderCell(const mdbwriter::Column& column, const Value& value)
{
    const ColumnType type = column.type;
    if (type == ColumnType::YesNo)
        return std::get_if<bool>(&value) && std::get<bool>(value);
    if (isNull(value))
        return QJsonValue::Null;
    switch (type) {
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
        return double(std::get<qint64>(value));
    case ColumnType::Currency:
        return moneyText(std::get<qint64>(value));
    case ColumnType::Decimal:
        return decimalText(std::get<qint64>(value), column.scale);
    case ColumnType::Single:
        return double(float(std::get<double>(value)));
    case ColumnType::Double:
        return std::get<double>(value);
    case ColumnType::DateTime: {
        // mdb-reader takes the stored wall-clock time as UTC.
        const QDateTime& local = std::get<QDateTime>(value);
        return QDateTime(local.date(), local.time(), Qt::UTC).toString(Qt::ISODateWithMs);
    }
    case ColumnType::Text:
    case ColumnType::Memo:
        return std::get<QString>(value);
    case ColumnType::Binary: { // a Node Buffer in JSON
        QJsonArray bytes;
        for (const QChar c : std::get<QString>(value))
            bytes.append(int(c.unicode()));
        return QJsonObject{{u"type"_qs, u"Buffer"_qs}, {u"data"_qs, bytes}};
    }
    case ColumnType::YesNo:
        break;
    }
    return QJsonValue::Null;
}

QString compareWithBothReaders(const QString& file, const QString& table,
                               const QList<mdbwriter::Column>& columns, qint64 rowCount,
                               const RowSource& expectedRow, const QStringList& skipInMdbReader)
{
    QStringList names;
    QStringList readerNames;
    QList<qsizetype> readerColumns; // indexes into columns, in mdb-reader's order
    for (qsizetype c = 0; c < columns.size(); ++c) {
        names.append(columns[c].name);
        if (!skipInMdbReader.contains(columns[c].name)) {
            readerNames.append(columns[c].name);
            readerColumns.append(c);
        }
    }

    QString failure;
    const std::optional<ExportedTable> exported = exportWithMdbTools(file, table, &failure);
    if (!exported)
        return failure;
    const std::optional<ReaderTable> read = readWithMdbReader(
        file, table, &failure, skipInMdbReader.isEmpty() ? QStringList() : readerNames);
    if (!read)
        return failure;

    if (exported->header != names)
        return u"mdb-export header %1, expected %2"_qs.arg(exported->header.join(u','),
                                                           names.join(u','));
    if (read->columnNames != names)
        return u"mdb-reader columns %1, expected %2"_qs.arg(read->columnNames.join(u','),
                                                            names.join(u','));
    if (exported->rows.size() != rowCount)
        return u"mdb-export read %1 rows, expected %2"_qs.arg(exported->rows.size()).arg(rowCount);
    if (read->rows.size() != rowCount || read->rowCount != rowCount)
        return u"mdb-reader read %1 rows (stored count %2), expected %3"_qs.arg(read->rows.size())
            .arg(read->rowCount)
            .arg(rowCount);

    for (qint64 row = 0; row < rowCount; ++row) {
        const QList<Value> expected = expectedRow(row);
        const ExportedRow& exportedRow = exported->rows[row];
        const QJsonArray& readRow = read->rows[row];
        if (exportedRow.size() != columns.size() || readRow.size() != readerColumns.size())
            return u"row %1 has %2 (mdb-export) and %3 (mdb-reader) cells"_qs.arg(row)
                .arg(exportedRow.size())
                .arg(readRow.size());
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const auto exportCell = expectedExportCell(columns[c], expected[c]);
            if (exportedRow[c] != exportCell)
                return cellPlace(u"mdb-export"_qs, row, names[c]) +
                       u"%1, expected %2"_qs.arg(describe(exportedRow[c]), describe(exportCell));
        }
        for (qsizetype r = 0; r < readerColumns.size(); ++r) {
            const qsizetype c = readerColumns[r];
            const QJsonValue readerCell = expectedReaderCell(columns[c], expected[c]);
            if (readRow[r] != readerCell)
                return cellPlace(u"mdb-reader"_qs, row, names[c]) +
                       u"%1, expected %2"_qs.arg(describe(readRow[r]), describe(readerCell));
        }
    }
    return {};
}

} // namespace hakobee::tests
