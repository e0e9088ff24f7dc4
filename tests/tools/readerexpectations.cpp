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
    return negative ? QStringLiteral("-") + digits : digits;
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
    return cell ? QStringLiteral("\"%1\"").arg(*cell) : QStringLiteral("null");
}

QString cellPlace(const QString& reader, qint64 row, const QString& column)
{
    return QStringLiteral("%1, row %2, column %3: ").arg(reader).arg(row).arg(column);
}

} // namespace

std::optional<QString> expectedExportCell(const mdbwriter::Column& column, const Value& value)
{
    const ColumnType type = column.type;
    if (type == ColumnType::YesNo)
        return std::get_if<bool>(&value) && std::get<bool>(value) ? QStringLiteral("1")
                                                                  : QStringLiteral("0");
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
        return std::get<QDateTime>(value).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
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
        return QJsonObject{{QStringLiteral("type"), QStringLiteral("Buffer")},
                           {QStringLiteral("data"), bytes}};
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
        return QStringLiteral("mdb-export header %1, expected %2")
            .arg(exported->header.join(u','), names.join(u','));
    if (read->columnNames != names)
        return QStringLiteral("mdb-reader columns %1, expected %2")
            .arg(read->columnNames.join(u','), names.join(u','));
    if (exported->rows.size() != rowCount)
        return QStringLiteral("mdb-export read %1 rows, expected %2")
            .arg(exported->rows.size())
            .arg(rowCount);
    if (read->rows.size() != rowCount || read->rowCount != rowCount)
        return QStringLiteral("mdb-reader read %1 rows (stored count %2), expected %3")
            .arg(read->rows.size())
            .arg(read->rowCount)
            .arg(rowCount);

    for (qint64 row = 0; row < rowCount; ++row) {
        const QList<Value> expected = expectedRow(row);
        const ExportedRow& exportedRow = exported->rows[row];
        const QJsonArray& readRow = read->rows[row];
        if (exportedRow.size() != columns.size() || readRow.size() != readerColumns.size())
            return QStringLiteral("row %1 has %2 (mdb-export) and %3 (mdb-reader) cells")
                .arg(row)
                .arg(exportedRow.size())
                .arg(readRow.size());
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const auto exportCell = expectedExportCell(columns[c], expected[c]);
            if (exportedRow[c] != exportCell)
                return cellPlace(QStringLiteral("mdb-export"), row, names[c]) +
                       QStringLiteral("%1, expected %2")
                           .arg(describe(exportedRow[c]), describe(exportCell));
        }
        for (qsizetype r = 0; r < readerColumns.size(); ++r) {
            const qsizetype c = readerColumns[r];
            const QJsonValue readerCell = expectedReaderCell(columns[c], expected[c]);
            if (readRow[r] != readerCell)
                return cellPlace(QStringLiteral("mdb-reader"), row, names[c]) +
                       QStringLiteral("%1, expected %2")
                           .arg(describe(readRow[r]), describe(readerCell));
        }
    }
    return {};
}

} // namespace hakobee::tests
