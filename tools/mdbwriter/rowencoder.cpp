#include "rowencoder.h"

#include "core/error.h"
#include "jetformat.h"
#include "littleendian.h"
#include "longvaluestore.h"
#include "textencoding.h"
#include "valueencoding.h"

namespace hakobee::mdbwriter {

namespace {

// Jet 3's trailer of variable offsets: one byte each, the end-of-data offset
// last (stored first), then the jump table: for each 256 bytes the offsets
// pass, the index of the first offset beyond (the lowest index nearest the
// count), and a dummy 0xFF when the row's length counts one jump more than
// the offsets need. Mirrors how mdbtools and mdb-reader read it back.
QByteArray jet3OffsetTrailer(const QList<quint16>& offsets, int endOfData, int nullMaskSize,
                             bool& tooComplex)
{
    QList<int> all(offsets.cbegin(), offsets.cend());
    all.append(endOfData);
    const auto variableCount = int(offsets.size());
    const int jumps = endOfData / 256;
    const int lengthWithoutDummy = endOfData + 1 + variableCount + jumps + 1 + nullMaskSize;
    const int countedJumps = (lengthWithoutDummy - 1) / 256;
    const bool dummy = countedJumps > jumps;
    tooComplex = countedJumps > jumps + 1 || (dummy && lengthWithoutDummy / 256 != jumps + 1);

    QByteArray trailer;
    for (qsizetype i = all.size() - 1; i >= 0; --i)
        trailer.append(char(all[i] & 0xFF));
    if (dummy)
        trailer.append(char(0xFF));
    for (int k = jumps; k >= 1; --k) {
        int first = 0;
        while (all[first] < 256 * k)
            ++first;
        trailer.append(char(first));
    }
    trailer.append(char(variableCount));
    return trailer;
}

} // namespace

RowEncoder::RowEncoder(QString tableName, TableLayout layout, LongValueStore& longValues,
                       const jet::Format& format)
    : tableName_(std::move(tableName)), layout_(std::move(layout)), longValues_(longValues),
      format_(format)
{}

QByteArray RowEncoder::encode(qint64 rowNumber, const QList<Value>& values) const
{
    const auto columnCount = layout_.columns.size();
    if (values.size() != columnCount)
        throw Error(
            u"テーブル「%1」の %2 行目: 値が %3 個あり、列の数 %4 と合いません。"_qs.arg(tableName_)
                .arg(rowNumber + 1)
                .arg(values.size())
                .arg(columnCount));

    const int countSize = format_.jet3() ? 1 : 2;
    QByteArray row(countSize + layout_.fixedAreaSize, '\0');
    if (format_.jet3())
        putU8(row, 0, quint8(columnCount));
    else
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
                    row.append(encodeText(textValue(placement.column, value), format_));
                break;
            case ColumnType::Binary:
                variableOffsets.append(quint16(row.size()));
                if (!isNull)
                    row.append(binaryValue(placement.column, value));
                break;
            case ColumnType::Memo:
                variableOffsets.append(quint16(row.size()));
                if (!isNull)
                    row.append(
                        longValues_.store(encodeText(textValue(placement.column, value), format_)));
                break;
            default:
                if (!isNull)
                    putFixedValue(row, countSize + placement.fixedOffset, placement.column, value);
                break;
            }
        } catch (const ValueError& error) {
            throw Error(u"テーブル「%1」の %2 行目、列「%3」: %4。"_qs.arg(tableName_)
                            .arg(rowNumber + 1)
                            .arg(placement.column.name, error.reason));
        }
        if (maskBit)
            nullMask[placement.number / 8] =
                char(nullMask[placement.number / 8] | (1 << (placement.number % 8)));
        if (row.size() > format_.maxRowSize())
            break;
    }

    bool tooComplex = false;
    if (layout_.variableColumnCount > 0 && format_.jet3()) {
        row.append(
            jet3OffsetTrailer(variableOffsets, int(row.size()), int(nullMask.size()), tooComplex));
    } else if (layout_.variableColumnCount > 0) {
        appendU16(row, quint16(row.size())); // end of the variable data
        for (auto it = variableOffsets.crbegin(); it != variableOffsets.crend(); ++it)
            appendU16(row, *it);
        appendU16(row, quint16(variableOffsets.size()));
    }
    row.append(nullMask);

    if (row.size() > format_.maxRowSize() || tooComplex)
        throw Error(u"テーブル「%1」の %2 行目が長すぎます（上限 %3 バイト）。"_qs.arg(tableName_)
                        .arg(rowNumber + 1)
                        .arg(format_.maxRowSize()));
    return row;
}

} // namespace hakobee::mdbwriter
