#pragma once

#include "mdbwriter.h"

#include <QtGlobal>

// Layout constants of Jet files: page sizes, page types and the byte codes of
// column types.
namespace hakobee::mdbwriter::jet {

// What differs between the file formats the writer knows: Jet 3 (Access 97:
// 2 KiB pages, text in a Windows code page, one-byte row fields), Jet 4
// (Access 2000-2003) and ACE (Access 2010, .accdb), which is Jet 4's layout
// under another signature.
struct Format
{
    FileFormat file = FileFormat::Jet4;
    int pageSize = 4096;
    int dataPageHeaderSize = 14; // then one u16 offset per row
    int dataPageRowCountOffset = 12;
    int codePage = 1252; // Jet 3: the code page text is stored in

    bool jet3() const { return file == FileFormat::Jet3; }
    // The largest row a data page holds: the page less its header and one offset.
    int maxRowSize() const { return pageSize - dataPageHeaderSize - 2; }

    static Format of(const FileOptions& options);
};

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
    BinaryCode = 0x09,
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

// Both readers refuse row indexes above 1000 on a page.
constexpr int MaxRowsPerPage = 1000;

// Long-value pages are data pages whose owner field reads "LVAL".
constexpr quint32 LongValueOwner = 0x4C41564C;

// Access writes this number at fixed places of table definitions; readers
// ignore it, but files look like Access's own with it.
constexpr quint32 AccessDefinitionMarker = 1625;

} // namespace hakobee::mdbwriter::jet
