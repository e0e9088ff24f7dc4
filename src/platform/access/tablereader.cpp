#include "platform/access/tablereader.h"

#include "platform/access/accesserrors.h"
#include "platform/access/accessfile.h"
#include "platform/access/accesstextforms.h"

#include <QSet>

#include <glib.h>

#include <cstdio>
#include <cstring>

namespace hakobee {

namespace {

// A data page's row slots: the low 13 bits are where the row starts, the
// top two bits what Access left there (see next()).
constexpr int rowOffsetMask = 0x1FFF;
constexpr int rowFlagsMask = 0xC000;
constexpr int rowDeleted = 0xC000;
constexpr int rowMovedAway = 0x4000;
constexpr int rowMovedHere = 0x8000;
// The slot of a moved row holds the row's new place: one byte row number,
// three bytes page number.
constexpr int movedRowPointerBytes = 4;
// Jet never puts more rows on a page; libmdb refuses larger row numbers.
constexpr int maxRowsOnPage = 1000;
constexpr int longValueHeaderBytes = MDB_MEMO_OVERHEAD;
constexpr quint32 longValueInline = 0x80000000u;
constexpr quint32 longValueOnePage = 0x40000000u;
constexpr quint32 longValueLengthMask = 0x3FFFFFFFu;

quint32 u32At(const unsigned char* bytes)
{
    return quint32(bytes[0]) | quint32(bytes[1]) << 8 | quint32(bytes[2]) << 16 |
           quint32(bytes[3]) << 24;
}

quint64 u64At(const unsigned char* bytes)
{
    return quint64(u32At(bytes)) | quint64(u32At(bytes + 4)) << 32;
}

// Bytes a value of a fixed-size type takes; 0 for types of any length.
int fixedValueBytes(int type)
{
    switch (type) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_FLOAT:
    case MDB_COMPLEX:
        return 4;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME:
        return 8;
    case MDB_REPID:
        return 16;
    case MDB_NUMERIC:
        return 17;
    default:
        return 0;
    }
}

// Jet 4 text: UTF-16LE, or after the mark FF FE one byte per character,
// where a 0x00 byte switches between one and two bytes per character.
void decodeJet4Text(const unsigned char* bytes, int length, QString& out)
{
    out.resize(0);
    if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bool oneByte = true;
        int i = 2;
        while (i < length) {
            if (bytes[i] == 0) {
                oneByte = !oneByte;
                ++i;
            } else if (oneByte) {
                out.append(QChar(bytes[i]));
                ++i;
            } else {
                if (i + 1 >= length)
                    break;
                out.append(QChar(char16_t(bytes[i] | bytes[i + 1] << 8)));
                i += 2;
            }
        }
        return;
    }
    out.resize(length / 2);
    QChar* chars = out.data();
    for (int i = 0; i < length / 2; ++i)
        chars[i] = QChar(char16_t(bytes[2 * i] | bytes[2 * i + 1] << 8));
}

// libmdb gives decimals with all their scale digits; Access shows them without
// trailing zeros.
QString withoutTrailingZeros(QString number)
{
    if (number.contains(QLatin1Char('.'))) {
        while (number.endsWith(QLatin1Char('0')))
            number.chop(1);
        if (number.endsWith(QLatin1Char('.')))
            number.chop(1);
    }
    if (number == QLatin1String("-0"))
        number = u"0"_qs;
    return number;
}

} // namespace

TableReader::TableReader(const AccessFile& file, const AccessTableEntry& table)
    : file_(file), path_(file.path()), tableName_(table.name), pageCount_(file.pageCount())
{
    if (table.definitionPage == 0 || table.definitionPage >= pageCount_) {
        fail(u"its definition page %1 lies outside the file's %2 pages"_qs.arg(table.definitionPage)
                 .arg(pageCount_));
    }
    handle_ = file.newScanHandle();
    if (!handle_)
        fail(u"libmdb could not make a handle"_qs);

    entry_.mdb = handle_.get();
    entry_.object_type = MDB_TABLE;
    entry_.table_pg = table.definitionPage;
    std::snprintf(entry_.object_name, sizeof entry_.object_name, "%s",
                  table.name.toUtf8().constData());

    checkDefinition();
    table_.reset(mdb_read_table(&entry_));
    if (!table_)
        fail(u"libmdb could not read the definition on page %1"_qs.arg(entry_.table_pg));
    if (!table_->usage_map || table_->map_sz < 1)
        fail(u"its page usage map is empty"_qs);
    checkUsageMap();
    if (!mdb_read_columns(table_.get()) || table_->columns->len != table_->num_cols)
        fail(u"libmdb could not read its columns"_qs);

    for (guint i = 0; i < table_->columns->len; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i));
        // Jet 4 declares a text's length in bytes of UTF-16, Jet 3 in characters.
        const int maxChars = column->col_type != MDB_TEXT ? 0
                             : IS_JET3(handle_.get())     ? column->col_size
                                                          : column->col_size / 2;
        // libmdb's names for a Decimal's two bytes are the wrong way round:
        // its col_scale is the precision (all digits), its col_prec the scale
        // (digits after the point), as its own mdb_numeric_to_string uses them.
        columns_.append({QString::fromUtf8(column->name), column->col_type, column->col_size,
                         column->col_prec, column->col_scale, maxChars});
    }
    QSet<QString> names;
    for (const AccessColumn& column : std::as_const(columns_)) {
        if (column.name.isEmpty() || names.contains(column.name.toLower()))
            fail(u"its column names are damaged (\"%1\")"_qs.arg(column.name));
        names.insert(column.name.toLower());
    }
    fields_.resize(columns_.size());
}

TableReader::~TableReader() = default;

void TableReader::fail(const QString& what) const
{
    throw Damaged(accesserror::tableDamaged(path_, tableName_, what), what);
}

// Checks the counts and page pointers of the definition page that libmdb
// follows without looking: a damaged count would make it walk thousands of
// continuation pages, a damaged pointer read a page that is not there.
void TableReader::checkDefinition()
{
    MdbHandle* mdb = handle_.get();
    const MdbFormatConstants* format = mdb->fmt;
    if (mdb_read_pg(mdb, entry_.table_pg) != format->pg_size || mdb->pg_buf[0] != MDB_PAGE_TABLE)
        fail(u"page %1 is not a table definition page"_qs.arg(entry_.table_pg));

    const int columnCount = mdb_get_int16(mdb->pg_buf, format->tab_num_cols_offset);
    const int variableColumnCount = mdb_get_int16(mdb->pg_buf, format->tab_num_cols_offset - 2);
    const quint32 indexCount = quint32(mdb_get_int32(mdb->pg_buf, format->tab_num_idxs_offset));
    const quint32 realIndexCount =
        quint32(mdb_get_int32(mdb->pg_buf, format->tab_num_ridxs_offset));
    if (columnCount > MDB_MAX_COLS || variableColumnCount > columnCount)
        fail(u"its definition claims %1 columns"_qs.arg(columnCount));
    if (indexCount > 256 || realIndexCount > 256)
        fail(u"its definition claims %1 indexes"_qs.arg(realIndexCount));

    for (const int offset : {int(format->tab_usage_map_offset), int(format->tab_free_map_offset)}) {
        const quint32 page = quint32(mdb_get_int32(mdb->pg_buf, offset)) >> 8;
        if (page == 0 || page >= pageCount_)
            fail(u"its page map lies on page %1, outside the file"_qs.arg(page));
    }
}

// libmdb ends a scan quietly at the first page it cannot read, so a file
// cut short would lose its last rows without a word. Every page the table's
// usage map lists must therefore lie inside the file, and a table with rows
// must list some.
void TableReader::checkUsageMap()
{
    MdbHandle* mdb = handle_.get();
    const unsigned char* map = table_->usage_map;
    const quint32 mapBytes = quint32(table_->map_sz);
    auto highestSetBit = [](const unsigned char* bitmap, quint32 bytes) -> qint64 {
        for (qint64 byte = qint64(bytes) - 1; byte >= 0; --byte) {
            if (bitmap[byte]) {
                for (int bit = 7; bit >= 0; --bit) {
                    if (bitmap[byte] & (1 << bit))
                        return byte * 8 + bit;
                }
            }
        }
        return -1;
    };
    auto checkPage = [this](qint64 page) {
        if (page >= qint64(pageCount_)) {
            fail(u"its rows continue on page %1, beyond the file's %2 pages"_qs.arg(page).arg(
                pageCount_));
        }
    };

    bool listsAPage = false;
    if (map[0] == 0) {
        const qint64 highest = mapBytes < 5 ? -1 : highestSetBit(map + 5, mapBytes - 5);
        if (highest >= 0)
            checkPage(qint64(u32At(map + 1)) + highest);
        listsAPage = highest >= 0;
    } else if (map[0] == 1) {
        const qint64 pagesPerMapPage = qint64(mdb->fmt->pg_size - 4) * 8;
        for (quint32 k = 0; 1 + 4 * (k + 1) <= mapBytes; ++k) {
            const quint32 mapPage = u32At(map + 1 + 4 * k);
            if (mapPage == 0)
                continue;
            checkPage(mapPage);
            if (mdb_read_alt_pg(mdb, mapPage) != mdb->fmt->pg_size)
                fail(u"its usage map page %1 cannot be read"_qs.arg(mapPage));
            const qint64 highest =
                highestSetBit(mdb->alt_pg_buf + 4, quint32(mdb->fmt->pg_size - 4));
            if (highest >= 0)
                checkPage(k * pagesPerMapPage + highest);
            listsAPage = listsAPage || highest >= 0;
        }
    } else {
        fail(u"its usage map has the unknown type %1"_qs.arg(map[0]));
    }
    // The row count is only an estimate, but a table that counts rows and
    // lists no page at all has lost its map.
    if (!listsAPage && table_->num_rows > 0) {
        fail(u"it counts %1 rows but its usage map lists no page"_qs.arg(table_->num_rows));
    }
}

int TableReader::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qint64 TableReader::rowCountHint() const
{
    return table_->num_rows;
}

void TableReader::rewind()
{
    mdb_rewind_table(table_.get());
    pageLoaded_ = false;
    atEnd_ = false;
    rowsOnPage_ = 0;
    nextRowOnPage_ = 0;
}

bool TableReader::next()
{
    if (atEnd_)
        return false;
    MdbHandle* mdb = handle_.get();
    const int pageSize = mdb->fmt->pg_size;
    const int rowCountOffset = mdb->fmt->row_count_offset;
    for (;;) {
        if (!pageLoaded_ || nextRowOnPage_ >= rowsOnPage_) {
            if (!readNextDataPage()) {
                atEnd_ = true;
                return false;
            }
            pageLoaded_ = true;
            nextRowOnPage_ = 0;
            rowsOnPage_ = mdb_get_int16(mdb->pg_buf, rowCountOffset);
            if (rowsOnPage_ > maxRowsOnPage || rowCountOffset + 2 + 2 * rowsOnPage_ > pageSize) {
                fail(u"data page %1 claims %2 rows"_qs.arg(table_->cur_phys_pg).arg(rowsOnPage_));
            }
            continue;
        }
        const int row = nextRowOnPage_++;
        // Row slots as Access leaves them: 0x0000 a live row; 0xC000 a
        // deleted one, whose offset may equal the page size and whose length
        // may be zero once its space was reclaimed; 0x4000 a row that an
        // update made longer and moved elsewhere, its slot now holding a
        // pointer to the new place; 0x8000 that new place.
        //
        // Moved rows are read at their new place, as the scan reaches it, and
        // their old slots are skipped (as libmdb and mdb-reader do), rather
        // than followed from the old slot (as Jackcess does). Both give each
        // live record once when every pointer leads to a 0x8000 slot, which
        // the old slot is checked for here; reading in place keeps the
        // records in the order the two reference readers give, and keeps the
        // scan on one page at a time, so the grid's first rows still come
        // before the rest of the table is read.
        //
        // A row's bytes run from its offset to the previous slot's offset,
        // or to the page end for slot 0. Flags are looked at before the
        // offset is trusted, since a deleted slot's offset need not start a
        // row; but no slot may point beyond the page.
        unsigned char* pageBytes = mdb->pg_buf;
        const int slot = mdb_get_int16(pageBytes, rowCountOffset + 2 + 2 * row);
        const int flags = slot & rowFlagsMask;
        const int rowStart = slot & rowOffsetMask;
        const int rowEnd = row == 0
                               ? pageSize
                               : mdb_get_int16(pageBytes, rowCountOffset + 2 * row) & rowOffsetMask;
        if (rowStart > pageSize || rowEnd > pageSize) {
            fail(u"row %1 on page %2 lies outside the page"_qs.arg(row).arg(table_->cur_phys_pg));
        }
        if (flags == rowDeleted) {
            // Rows are packed downward in slot order, and a deleted row keeps
            // its place in that order (with no bytes once its space was
            // reclaimed) or sits at the page end. A deleted slot anywhere
            // else is a live row's slot with damaged flags.
            if (rowStart > rowEnd && rowStart != pageSize) {
                fail(u"row %1 on page %2 is marked deleted out of place"_qs.arg(row).arg(
                    table_->cur_phys_pg));
            }
            continue;
        }
        if (rowStart < rowCountOffset + 2 + 2 * rowsOnPage_) {
            fail(
                u"row %1 on page %2 overlaps the page header"_qs.arg(row).arg(table_->cur_phys_pg));
        }
        if (rowStart >= rowEnd) {
            fail(u"row %1 on page %2 has no bytes"_qs.arg(row).arg(table_->cur_phys_pg));
        }
        const size_t length = size_t(rowEnd - rowStart);
        if (flags == rowMovedAway) {
            checkMovedRow(row, rowStart, length);
            continue;
        }
        if (mdb_crack_row(table_.get(), rowStart, length, fields_.data()) < 0) {
            fail(u"row %1 on page %2 cannot be taken apart"_qs.arg(row).arg(table_->cur_phys_pg));
        }
        for (int i = 0; i < columns_.size(); ++i) {
            const MdbField& field = fields_[i];
            const AccessColumn& column = columns_.at(field.colnum);
            if (column.type == MDB_BOOL || field.is_null)
                continue;
            const bool inRow = field.siz >= 0 && field.start >= rowStart &&
                               qint64(field.start) + field.siz <= qint64(rowStart) + qint64(length);
            const int needed = column.type == MDB_MEMO || column.type == MDB_OLE
                                   ? (field.siz == 0 ? 0 : longValueHeaderBytes)
                                   : fixedValueBytes(column.type);
            if (!inRow || field.siz < needed) {
                fail(u"column %1 of row %2 on page %3 lies outside its row"_qs.arg(column.name)
                         .arg(row)
                         .arg(table_->cur_phys_pg));
            }
        }
        return true;
    }
}

// The old slot of a moved row must hold a pointer to a row of this table
// flagged as a moved row's new place; anything else is damage, and skipping
// it would lose a record without a word.
void TableReader::checkMovedRow(int row, int rowStart, size_t length)
{
    MdbHandle* mdb = handle_.get();
    const quint32 page = table_->cur_phys_pg;
    const QString where = u"row %1 on page %2"_qs.arg(row).arg(page);
    if (length < size_t(movedRowPointerBytes))
        fail(where + u" was moved but holds no pointer to its new place"_qs);
    const quint32 pointer = u32At(mdb->pg_buf + rowStart);
    const quint32 targetPage = pointer >> 8;
    const int targetRow = int(pointer & 0xFF);
    const QString target =
        where + u" was moved to row %1 on page %2, "_qs.arg(targetRow).arg(targetPage);
    if (targetPage == 0 || targetPage >= pageCount_)
        fail(target + u"outside the file"_qs);
    // The new place must be on a page the scan reaches.
    if (mdb_map_find_next(mdb, table_->usage_map, guint(table_->map_sz), targetPage - 1) !=
        gint32(targetPage))
        fail(target + u"a page that is not among its data pages"_qs);
    const int pageSize = mdb->fmt->pg_size;
    const int rowCountOffset = mdb->fmt->row_count_offset;
    if (mdb_read_alt_pg(mdb, targetPage) != pageSize)
        fail(target + u"which cannot be read"_qs);
    unsigned char* other = mdb->alt_pg_buf;
    if (other[0] != MDB_PAGE_DATA || quint32(mdb_get_int32(other, 4)) != entry_.table_pg)
        fail(target + u"a page that is not one of its data pages"_qs);
    const int targetRows = mdb_get_int16(other, rowCountOffset);
    if (targetRow >= targetRows || targetRows > maxRowsOnPage ||
        rowCountOffset + 2 + 2 * targetRows > pageSize)
        fail(target + u"which that page does not have"_qs);
    const int targetSlot = mdb_get_int16(other, rowCountOffset + 2 + 2 * targetRow);
    if ((targetSlot & rowFlagsMask) != rowMovedHere)
        fail(target + u"which is not marked as a moved row"_qs);
}

// The next page the usage map lists. libmdb's own walk skips a listed page
// that is not one of the table's data pages with a warning, and falls back
// to reading every page of the file for an unknown map; either would lose
// or invent rows without a word, so both are errors here.
bool TableReader::readNextDataPage()
{
    MdbTableDef* table = table_.get();
    MdbHandle* mdb = handle_.get();
    const gint32 page =
        mdb_map_find_next(mdb, table->usage_map, guint(table->map_sz), table->cur_phys_pg);
    if (page == 0)
        return false;
    // Map pages were checked against the file's length when the table was
    // opened, and each search starts after the page before, so this ends.
    if (page < 0 || quint32(page) <= table->cur_phys_pg || quint32(page) >= pageCount_)
        fail(u"its usage map cannot be followed after page %1"_qs.arg(table->cur_phys_pg));
    if (mdb_read_pg(mdb, quint32(page)) != mdb->fmt->pg_size)
        fail(u"its data page %1 cannot be read"_qs.arg(page));
    // A page of a file written over since it was opened is another
    // database's: its rows must not follow the ones read before.
    file_.checkUnchanged();
    table->cur_phys_pg = quint32(page);
    if (mdb->pg_buf[0] != MDB_PAGE_DATA ||
        quint32(mdb_get_int32(mdb->pg_buf, 4)) != entry_.table_pg)
        fail(u"page %1 is listed among its data pages but is not one of them"_qs.arg(page));
    return true;
}

const unsigned char* TableReader::fieldBytes(int column) const
{
    return handle_->pg_buf + fields_[column].start;
}

bool TableReader::isNull(int column) const
{
    return columns_.at(column).type != MDB_BOOL && fields_[column].is_null;
}

qint64 TableReader::integer(int column) const
{
    const unsigned char* bytes = fieldBytes(column);
    switch (columns_.at(column).type) {
    case MDB_BOOL:
        // Yes/No has no value bytes: its null bit is the value.
        return fields_[column].is_null ? 0 : 1;
    case MDB_BYTE:
        return bytes[0];
    case MDB_INT:
        return qint16(quint16(bytes[0] | bytes[1] << 8));
    default:
        return qint32(u32At(bytes));
    }
}

qint64 TableReader::currency(int column) const
{
    return qint64(u64At(fieldBytes(column)));
}

double TableReader::real(int column) const
{
    const unsigned char* bytes = fieldBytes(column);
    if (columns_.at(column).type == MDB_FLOAT) {
        const quint32 bits = u32At(bytes);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    const quint64 bits = u64At(bytes);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

const QString& TableReader::text(int column)
{
    const MdbField& field = fields_[column];
    QByteArray longBytes;
    const unsigned char* bytes = fieldBytes(column);
    int length = field.siz;
    if (columns_.at(column).type == MDB_MEMO) {
        longBytes = longValue(column);
        bytes = reinterpret_cast<const unsigned char*>(longBytes.constData());
        length = int(longBytes.size());
    }
    if (IS_JET3(handle_.get())) {
        // Jet 3 stores text in the file's code page; libmdb converts it.
        QByteArray utf8(length * 4 + 1, Qt::Uninitialized);
        const int written = mdb_unicode2ascii(handle_.get(), reinterpret_cast<const char*>(bytes),
                                              size_t(length), utf8.data(), size_t(utf8.size()));
        textBuffer_ = QString::fromUtf8(utf8.constData(), written);
    } else {
        decodeJet4Text(bytes, length, textBuffer_);
    }
    return textBuffer_;
}

// The bytes of a Memo or OLE value: inline in the row, on one long-value
// page, or on a chain of them. The chain is followed only as far as the
// value's own length and never beyond the file, so a damaged or circular
// chain ends with an error.
QByteArray TableReader::longValue(int column)
{
    const MdbField& field = fields_[column];
    if (field.siz == 0)
        return {};
    MdbHandle* mdb = handle_.get();
    const unsigned char* header = fieldBytes(column);
    const quint32 lengthAndFlags = u32At(header);
    const quint32 length = lengthAndFlags & longValueLengthMask;
    const quint32 flags = lengthAndFlags & ~longValueLengthMask;
    const QString where = u"the long value of column %1 on page %2"_qs.arg(columns_.at(column).name)
                              .arg(table_->cur_phys_pg);
    if (qint64(length) > qint64(pageCount_) * mdb->fmt->pg_size)
        fail(where + u" claims %1 bytes"_qs.arg(length));

    if (flags == longValueInline) {
        if (qint64(length) > field.siz - longValueHeaderBytes)
            fail(where + u" runs past its row"_qs);
        return QByteArray(reinterpret_cast<const char*>(header + longValueHeaderBytes), length);
    }
    if (flags != longValueOnePage && flags != 0)
        fail(where + u" has unknown flags"_qs);

    QByteArray value;
    value.reserve(length);
    quint32 pageRow = u32At(header + 4);
    while (quint32(value.size()) < length) {
        const quint32 page = pageRow >> 8;
        if (page == 0 || page >= pageCount_)
            fail(where + u" continues on page %1, outside the file"_qs.arg(page));
        void* buffer = nullptr;
        int start = 0;
        size_t rowLength = 0;
        if (mdb_find_pg_row(mdb, int(pageRow), &buffer, &start, &rowLength) != 0)
            fail(where + u" continues in a missing row on page %1"_qs.arg(page));
        const auto* row = static_cast<const unsigned char*>(buffer) + start;
        if (flags == longValueOnePage) {
            value.append(reinterpret_cast<const char*>(row),
                         qsizetype(qMin<size_t>(rowLength, length)));
            break;
        }
        // A chained piece starts with the page and row of the next piece.
        if (rowLength <= 4)
            fail(where + u" has an empty piece on page %1"_qs.arg(page));
        const size_t wanted = qMin<size_t>(rowLength - 4, length - quint32(value.size()));
        value.append(reinterpret_cast<const char*>(row + 4), qsizetype(wanted));
        pageRow = u32At(row);
        if (pageRow == 0 && quint32(value.size()) < length)
            fail(where + u" ends before its length"_qs);
    }
    // Pieces on pages of a file written over meanwhile are not this value's.
    file_.checkUnchanged();
    return value;
}

QString TableReader::otherAsText(int column)
{
    const MdbField& field = fields_[column];
    const AccessColumn& info = columns_.at(column);
    switch (info.type) {
    case MDB_NUMERIC: {
        char* digits =
            mdb_numeric_to_string(handle_.get(), field.start, info.precision, info.scale);
        const QString text = withoutTrailingZeros(QString::fromLatin1(digits));
        g_free(digits);
        return text;
    }
    case MDB_REPID: {
        char* text = mdb_uuid_to_string(handle_->pg_buf, field.start);
        const QString result = QString::fromLatin1(text);
        g_free(text);
        return result;
    }
    case MDB_OLE:
        return accesstext::oleObject();
    default:
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(fieldBytes(column)), field.siz)
                .toHex()
                .toUpper());
    }
}

} // namespace hakobee
