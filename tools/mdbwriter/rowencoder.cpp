#include "rowencoder.h"

#include "core/error.h"
#include "jetformat.h"
#include "littleendian.h"
#include "longvaluestore.h"
#include "textencoding.h"
#include "valueencoding.h"

namespace hakobee::mdbwriter {

RowEncoder::RowEncoder(QString tableName, TableLayout layout, LongValueStore& longValues)
    : tableName_(std::move(tableName)), layout_(std::move(layout)), longValues_(longValues)
{}

QByteArray RowEncoder::encode(qint64 rowNumber, const QList<Value>& values) const
{
    const auto columnCount = layout_.columns.size();
    if (values.size() != columnCount)
        throw Error(
            QStringLiteral("テーブル「%1」の %2 行目: 値が %3 個あり、列の数 %4 と合いません。")
                .arg(tableName_)
                .arg(rowNumber + 1)
                .arg(values.size())
                .arg(columnCount));

    QByteArray row(2 + layout_.fixedAreaSize, '\0');
    putU16(row, 0, quint16(columnCount));
    QByteArray nullMask(layout_.nullMaskSize(), '\0');
    QList<quint16> variableOffsets;
    variableOffsets.reserve(layout_.variableColumnCount);

    for (const ColumnPlacement& placement : layout_.columns) {
        const Value& value = values[placement.number];
        const bool isNull = std::holds_alternative<std::monostate>(value);
        bool maskBit = !isNull;
        try {
            switch (placement.column.type) {
            case ColumnType::YesNo:
                maskBit = yesNoBit(value);
                break;
            case ColumnType::Text:
                variableOffsets.append(quint16(row.size()));
                if (!isNull)
                    row.append(encodeText(textValue(placement.column, value)));
                break;
            case ColumnType::Memo:
                variableOffsets.append(quint16(row.size()));
                if (!isNull)
                    row.append(longValues_.store(encodeText(textValue(placement.column, value))));
                break;
            default:
                if (!isNull)
                    putFixedValue(row, 2 + placement.fixedOffset, placement.column, value);
                break;
            }
        } catch (const ValueError& error) {
            throw Error(QStringLiteral("テーブル「%1」の %2 行目、列「%3」: %4。")
                            .arg(tableName_)
                            .arg(rowNumber + 1)
                            .arg(placement.column.name, error.reason));
        }
        if (maskBit)
            nullMask[placement.number / 8] =
                char(nullMask[placement.number / 8] | (1 << (placement.number % 8)));
        if (row.size() > jet::MaxRowSize)
            break;
    }

    if (layout_.variableColumnCount > 0) {
        appendU16(row, quint16(row.size())); // end of the variable data
        for (auto it = variableOffsets.crbegin(); it != variableOffsets.crend(); ++it)
            appendU16(row, *it);
        appendU16(row, quint16(variableOffsets.size()));
    }
    row.append(nullMask);

    if (row.size() > jet::MaxRowSize)
        throw Error(QStringLiteral("テーブル「%1」の %2 行目が長すぎます（上限 %3 バイト）。")
                        .arg(tableName_)
                        .arg(rowNumber + 1)
                        .arg(jet::MaxRowSize));
    return row;
}

} // namespace hakobee::mdbwriter
