#include "tabledefinition.h"

#include "core/error.h"
#include "jetformat.h"
#include "littleendian.h"
#include "textencoding.h"
#include "valueerror.h"

namespace hakobee::mdbwriter {

namespace {

constexpr int HeaderSize = 63;
constexpr int ColumnEntrySize = 25;
constexpr int Jet3HeaderSize = 43;
constexpr int Jet3ColumnEntrySize = 18;

constexpr quint8 UserTable = 0x4E;
constexpr quint8 SystemTable = 0x53;

constexpr quint8 FixedLengthFlag = 0x01;
constexpr quint8 NullableFlag = 0x02;
constexpr quint8 CompressedUnicodeFlag = 0x01;
constexpr quint16 GeneralSortOrder = 0x409;

QByteArray columnEntry(const ColumnPlacement& placement)
{
    QByteArray entry(ColumnEntrySize, '\0');
    putU8(entry, 0, placement.typeCode);
    putU32(entry, 1, jet::AccessDefinitionMarker);
    putU16(entry, 5, quint16(placement.number));
    putU16(entry, 7, quint16(placement.fixed ? 0 : placement.variableIndex));
    putU16(entry, 9, quint16(placement.number));
    const bool textual =
        placement.column.type == ColumnType::Text || placement.column.type == ColumnType::Memo;
    if (textual) {
        putU16(entry, 11, GeneralSortOrder);
        putU8(entry, 16, CompressedUnicodeFlag);
    }
    if (placement.column.type == ColumnType::Decimal) {
        putU8(entry, 11, quint8(placement.column.precision));
        putU8(entry, 12, quint8(placement.column.scale));
    }
    putU8(entry, 15, quint8(NullableFlag | (placement.fixed ? FixedLengthFlag : 0)));
    putU16(entry, 21, quint16(placement.fixed ? placement.fixedOffset : 0));
    putU16(entry, 23, quint16(placement.storedLength));
    return entry;
}

// Jet 3: type, column number, variable index, column number again, sort
// order, the code page of text, flags, fixed offset and length.
QByteArray jet3ColumnEntry(const ColumnPlacement& placement, const jet::Format& format)
{
    QByteArray entry(Jet3ColumnEntrySize, '\0');
    putU8(entry, 0, placement.typeCode);
    putU16(entry, 1, quint16(placement.number));
    putU16(entry, 3, quint16(placement.fixed ? 0 : placement.variableIndex));
    putU16(entry, 5, quint16(placement.number));
    const bool textual =
        placement.column.type == ColumnType::Text || placement.column.type == ColumnType::Memo;
    if (textual) {
        putU16(entry, 7, GeneralSortOrder);
        putU16(entry, 9, quint16(format.codePage));
    }
    putU8(entry, 13, quint8(NullableFlag | (placement.fixed ? FixedLengthFlag : 0)));
    putU16(entry, 14, quint16(placement.fixed ? placement.fixedOffset : 0));
    // Text: the length in characters (Jet 4 declares bytes of UTF-16).
    putU16(entry, 16,
           quint16(placement.column.type == ColumnType::Text ? placement.column.maxChars
                                                             : placement.storedLength));
    return entry;
}

QByteArray jet3ColumnName(const QString& name, const jet::Format& format)
{
    const QByteArray bytes = encodeCodePageText(name, format.codePage);
    return char(quint8(bytes.size())) + bytes;
}

QByteArray columnName(const QString& name)
{
    QByteArray bytes(2, '\0');
    putU16(bytes, 0, quint16(name.size() * 2));
    for (QChar c : name) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

QByteArray tableDefinitionPage(const QString& tableName, const TableDefinition& definition,
                               const jet::Format& format)
{
    const TableLayout& layout = definition.layout;
    const bool jet3 = format.jet3();
    QByteArray body;
    for (const ColumnPlacement& placement : layout.columns)
        body.append(jet3 ? jet3ColumnEntry(placement, format) : columnEntry(placement));
    for (const ColumnPlacement& placement : layout.columns) {
        try {
            body.append(jet3 ? jet3ColumnName(placement.column.name, format)
                             : columnName(placement.column.name));
        } catch (const ValueError& error) {
            throw Error(u"テーブル「%1」の列「%2」の名前: %3。"_qs.arg(
                tableName, placement.column.name, error.reason));
        }
    }
    for (const ColumnPlacement& placement : layout.columns) {
        if (placement.column.type != ColumnType::Memo && placement.typeCode != jet::OleCode)
            continue;
        appendU16(body, quint16(placement.number));
        appendU32(body, definition.freePagesMap);
        appendU32(body, definition.freePagesMap);
    }
    appendU16(body, 0xFFFF);

    const int totalLength = (jet3 ? Jet3HeaderSize : HeaderSize) + int(body.size());
    if (totalLength > format.pageSize - 8)
        throw Error(u"テーブル「%1」の定義が 1 ページに収まりません（列が多すぎるか、"
                    u"列名が長すぎます）。"_qs.arg(tableName));

    QByteArray page(format.pageSize, '\0');
    putU8(page, 0, jet::TableDefinitionPage);
    putU8(page, 1, 0x01);
    const auto columnCount = quint16(layout.columns.size());
    if (jet3) {
        page.replace(2, 2, "VC");
        putU32(page, 4, 0); // no continuation page
        putU32(page, 8, quint32(totalLength));
        putU32(page, 12, quint32(definition.rowCount));
        putU8(page, 20, definition.systemTable ? SystemTable : UserTable);
        putU16(page, 21, columnCount);
        putU16(page, 23, quint16(layout.variableColumnCount));
        putU16(page, 25, columnCount);
        putU32(page, 27, 0); // logical indexes
        putU32(page, 31, 0); // physical indexes
        putU32(page, 35, definition.usedPagesMap);
        putU32(page, 39, definition.freePagesMap);
        page.replace(Jet3HeaderSize, body.size(), body);
        return page;
    }
    putU16(page, 2, quint16(format.pageSize - 8 - totalLength));
    putU32(page, 4, 0); // no continuation page
    putU32(page, 8, quint32(totalLength));
    putU32(page, 12, jet::AccessDefinitionMarker);
    putU32(page, 16, quint32(definition.rowCount));
    putU8(page, 24, 0x01);
    putU8(page, 40, definition.systemTable ? SystemTable : UserTable);
    putU16(page, 41, columnCount);
    putU16(page, 43, quint16(layout.variableColumnCount));
    putU16(page, 45, columnCount);
    putU32(page, 47, 0); // logical indexes
    putU32(page, 51, 0); // physical indexes
    putU32(page, 55, definition.usedPagesMap);
    putU32(page, 59, definition.freePagesMap);
    page.replace(HeaderSize, body.size(), body);
    return page;
}

} // namespace hakobee::mdbwriter
