#include "platform/access/accessrecordset.h"

#include "platform/access/accesserrors.h"
#include "platform/access/accesssession.h"
#include "platform/access/accesstextforms.h"
#include "platform/access/querytext.h"
#include "platform/access/tablereader.h"

#include <sqlite3.h>

#include <cmath>
#include <cstring>

namespace hakobee {

namespace {

QString accessTypeName(const AccessColumn& column)
{
    switch (column.type) {
    case MDB_BOOL:
        return u"Yes/No 型"_qs;
    case MDB_BYTE:
        return u"数値型 (バイト型)"_qs;
    case MDB_INT:
        return u"数値型 (整数型)"_qs;
    case MDB_LONGINT:
        return u"数値型 (長整数型)"_qs;
    case MDB_MONEY:
        return u"通貨型"_qs;
    case MDB_FLOAT:
        return u"数値型 (単精度浮動小数点型)"_qs;
    case MDB_DOUBLE:
        return u"数値型 (倍精度浮動小数点型)"_qs;
    case MDB_DATETIME:
        return u"日付/時刻型"_qs;
    case MDB_BINARY:
        return u"バイナリ型"_qs;
    case MDB_TEXT:
        return u"テキスト型 (%1)"_qs.arg(column.maxChars);
    case MDB_OLE:
        return u"OLE オブジェクト型"_qs;
    case MDB_MEMO:
        return u"メモ型"_qs;
    case MDB_REPID:
        return u"数値型 (レプリケーション ID 型)"_qs;
    case MDB_NUMERIC:
        return u"数値型 (十進型 精度 %1 小数部 %2)"_qs.arg(column.precision).arg(column.scale);
    case MDB_COMPLEX:
        return u"複数値型"_qs;
    default:
        return u"不明な型 (%1)"_qs.arg(column.type);
    }
}

} // namespace

AccessRecordset::AccessRecordset(std::shared_ptr<AccessSession> session, sqlite3_stmt* statement,
                                 QString query)
    : session_(std::move(session)), statement_(statement), query_(std::move(query))
{
    const int columns = sqlite3_column_count(statement_);
    current_.resize(columns);
    for (int i = 0; i < columns; ++i) {
        names_ << jetColumnName(QString::fromUtf8(sqlite3_column_name(statement_, i)));
        const QByteArray declared = QByteArray(sqlite3_column_decltype(statement_, i)).toUpper();
        if (declared == "YESNO")
            forms_ << TextForm::YesNo;
        else if (declared == "CURRENCY")
            forms_ << TextForm::Currency;
        else if (declared == "SINGLE")
            forms_ << TextForm::Single;
        else if (declared == "DATETIME")
            forms_ << TextForm::DateTime;
        else
            forms_ << TextForm::Plain;
    }
    // The destructor does not run if the first step throws.
    try {
        onRow_ = step();
    } catch (...) {
        sqlite3_finalize(statement_);
        throw;
    }
}

AccessRecordset::~AccessRecordset()
{
    sqlite3_finalize(statement_);
}

bool AccessRecordset::step()
{
    session_->moduleContext.readFailure.reset();
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        keepCurrentRow();
        ++position_;
        return true;
    }
    if (rc == SQLITE_DONE) {
        finished_ = true;
        count_ = position_ + 1;
        return false;
    }
    finished_ = true;
    onRow_ = false;
    if (const auto failure = session_->moduleContext.readFailure) {
        session_->moduleContext.readFailure.reset();
        throw Error(*failure);
    }
    throw accesserror::queryFailed(query_, QString::fromUtf8(sqlite3_errmsg(session_->db.get())));
}

// SQLite's values last only until the next step; the row is copied into
// buffers that keep their capacity, so stepping allocates nothing per row.
void AccessRecordset::keepCurrentRow()
{
    for (int i = 0; i < int(current_.size()); ++i) {
        Cell& cell = current_[i];
        cell.type = sqlite3_column_type(statement_, i);
        switch (cell.type) {
        case SQLITE_INTEGER:
            cell.integer = sqlite3_column_int64(statement_, i);
            break;
        case SQLITE_FLOAT:
            cell.real = sqlite3_column_double(statement_, i);
            break;
        case SQLITE_TEXT: {
            const auto* text = sqlite3_column_text(statement_, i);
            const int bytes = sqlite3_column_bytes(statement_, i);
            cell.text.resize(bytes);
            std::memcpy(cell.text.data(), text, size_t(bytes));
            break;
        }
        case SQLITE_BLOB: {
            const int bytes = sqlite3_column_bytes(statement_, i);
            cell.text =
                QByteArray(static_cast<const char*>(sqlite3_column_blob(statement_, i)), bytes)
                    .toHex()
                    .toUpper();
            break;
        }
        default:
            break;
        }
    }
}

bool AccessRecordset::eof() const
{
    return !onRow_;
}

void AccessRecordset::moveNext()
{
    if (!onRow_)
        throw accesserror::noCurrentRecord();
    if (finished_) {
        onRow_ = false;
        return;
    }
    onRow_ = step();
}

void AccessRecordset::moveFirst()
{
    sqlite3_reset(statement_);
    finished_ = false;
    position_ = -1;
    onRow_ = false;
    onRow_ = step();
}

void AccessRecordset::moveLast()
{
    if (!onRow_)
        moveFirst();
    if (!onRow_)
        throw accesserror::emptyResult();
    while (!finished_ && step()) {
    }
    // The step that found the end left the last row in place.
    onRow_ = true;
}

qint64 AccessRecordset::recordCount() const
{
    return count_;
}

int AccessRecordset::fieldCount() const
{
    return int(names_.size());
}

QString AccessRecordset::fieldName(int position) const
{
    if (position < 0 || position >= names_.size())
        throw accesserror::noSuchFieldPosition(position, fieldCount());
    return names_.at(position);
}

FieldValue AccessRecordset::field(int position) const
{
    if (position < 0 || position >= names_.size())
        throw accesserror::noSuchFieldPosition(position, fieldCount());
    if (!onRow_)
        throw accesserror::noCurrentRecord();

    const Cell& cell = current_[position];
    const TextForm form = forms_.at(position);
    switch (cell.type) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        return QString::fromUtf8(cell.text);
    case SQLITE_INTEGER:
        switch (form) {
        case TextForm::YesNo:
            return accesstext::yesNo(cell.integer != 0);
        case TextForm::DateTime:
            return accesstext::dateTime(double(cell.integer));
        default:
            return QString::number(cell.integer);
        }
    default:
        switch (form) {
        case TextForm::Currency:
            // Only amounts that a double holds exactly arrive as reals.
            return accesstext::currency(std::llround(cell.real * 10000.0));
        case TextForm::Single:
            return accesstext::single(cell.real);
        case TextForm::DateTime:
            return accesstext::dateTime(cell.real);
        default:
            return accesstext::doubleValue(cell.real);
        }
    }
}

FieldValue AccessRecordset::field(const QString& name) const
{
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return field(i);
    }
    throw accesserror::noSuchField(name);
}

QString AccessRecordset::accessType(int position) const
{
    if (position < 0 || position >= names_.size())
        throw accesserror::noSuchFieldPosition(position, fieldCount());
    const char* table = sqlite3_column_table_name(statement_, position);
    const char* column = sqlite3_column_origin_name(statement_, position);
    if (!table || !column)
        return u"(式)"_qs;
    const QString tableName = QString::fromUtf8(table);
    for (const AccessTableSource& source : session_->moduleContext.tables) {
        if (source.name.compare(tableName, Qt::CaseInsensitive) != 0)
            continue;
        const TableReader reader(*source.file, source.entry);
        const int index = reader.columnIndex(QString::fromUtf8(column));
        if (index >= 0)
            return accessTypeName(reader.columns().at(index));
    }
    // A column of one of SQLite's own tables: a text file's, all texts.
    if (QByteArray(sqlite3_column_decltype(statement_, position)) == "TEXT" && !session_->file)
        return u"テキスト型"_qs;
    return u"(式)"_qs;
}

} // namespace hakobee
