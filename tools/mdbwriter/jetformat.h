#pragma once

#include <QtGlobal>

// Layout constants of Jet 4 (.mdb) files: page size, page types and the byte
// codes of column types.
namespace hakobee::mdbwriter::jet {

constexpr int PageSize = 4096;

enum PageType : quint8
{
    DatabaseDefinitionPage = 0x00,
    DataPage = 0x01,
    TableDefinitionPage = 0x02,
    UsageBitmapPage = 0x05,
};

enum ColumnTypeCode : quint8
{
    BooleanCode = 0x01,
    ByteCode = 0x02,
    IntegerCode = 0x03,
    LongCode = 0x04,
    CurrencyCode = 0x05,
    SingleCode = 0x06,
    DoubleCode = 0x07,
    DateTimeCode = 0x08,
    TextCode = 0x0A,
    OleCode = 0x0B,
    MemoCode = 0x0C,
    DecimalCode = 0x10,
};

// A row address: the page number in the upper three bytes, the row index on
// that page in the lowest byte.
constexpr quint32 rowPointer(quint32 page, int row)
{
    return (page << 8) | quint32(row);
}

// Data pages: 14 header bytes, then one u16 offset per row.
constexpr int DataPageHeaderSize = 14;
constexpr int DataPageRowCountOffset = 12;
// Both readers refuse row indexes above 1000 on a page.
constexpr int MaxRowsPerPage = 1000;
// The largest row a data page holds: the page less its header and one offset.
constexpr int MaxRowSize = PageSize - DataPageHeaderSize - 2;

// Long-value pages are data pages whose owner field reads "LVAL".
constexpr quint32 LongValueOwner = 0x4C41564C;

// Access writes this number at fixed places of table definitions; readers
// ignore it, but files look like Access's own with it.
constexpr quint32 AccessDefinitionMarker = 1625;

} // namespace hakobee::mdbwriter::jet
