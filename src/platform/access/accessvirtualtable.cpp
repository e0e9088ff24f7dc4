#include "platform/access/accessvirtualtable.h"

#include "platform/access/accessfile.h"
#include "platform/access/accesstextforms.h"
#include "platform/access/tablereader.h"

#include <sqlite3.h>

#include <cmath>
#include <memory>

namespace hakobee {

namespace {

// Values with more significant digits than this do not survive a double.
constexpr qint64 exactInDouble = 1'000'000'000'000'000; // 10^15

struct AccessTable : sqlite3_vtab
{
    AccessModuleContext* context = nullptr;
    AccessTableSource source;
    qint64 rowCountHint = 0;
};

struct AccessCursor : sqlite3_vtab_cursor
{
    std::unique_ptr<TableReader> reader;
    bool atEnd = true;
    sqlite3_int64 rowId = 0;
};

QString declaredType(int mdbType)
{
    switch (mdbType) {
    case MDB_BOOL:
        return u"YESNO"_qs;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return u"INTEGER"_qs;
    case MDB_MONEY:
        return u"CURRENCY"_qs;
    case MDB_FLOAT:
        return u"SINGLE"_qs;
    case MDB_DOUBLE:
        return u"DOUBLE"_qs;
    case MDB_DATETIME:
        return u"DATETIME"_qs;
    case MDB_NUMERIC:
        return u"DECIMAL"_qs;
    case MDB_TEXT:
    case MDB_MEMO:
        return u"TEXT"_qs;
    case MDB_REPID:
        return u"GUID"_qs;
    case MDB_OLE:
        return u"OLE"_qs;
    default:
        return u"BINARY"_qs;
    }
}

QString quotedName(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

char* sqliteCopy(const QString& text)
{
    return sqlite3_mprintf("%s", text.toUtf8().constData());
}

void reportFailure(sqlite3_vtab* table, const Error& error)
{
    auto* accessTable = static_cast<AccessTable*>(table);
    accessTable->context->readFailure = error.description();
    sqlite3_free(table->zErrMsg);
    table->zErrMsg = sqliteCopy(error.description());
}

int connect(sqlite3* db, void* clientData, int argc, const char* const* argv, sqlite3_vtab** table,
            char** error)
{
    auto* context = static_cast<AccessModuleContext*>(clientData);
    const QList<AccessTableSource>& sources = context->tables;
    bool ok = false;
    const int position = argc == 4 ? QString::fromUtf8(argv[3]).toInt(&ok) : -1;
    if (!ok || position < 0 || position >= sources.size()) {
        *error = sqlite3_mprintf("access: no table at this position");
        return SQLITE_ERROR;
    }
    const AccessTableSource& source = sources.at(position);
    try {
        const TableReader reader(*source.file, source.entry);
        QStringList columns;
        for (const AccessColumn& column : reader.columns())
            columns << quotedName(column.name) + QLatin1Char(' ') + declaredType(column.type);
        const QString declaration = u"CREATE TABLE x(%1)"_qs.arg(columns.join(u", "_qs));
        if (const int rc = sqlite3_declare_vtab(db, declaration.toUtf8().constData());
            rc != SQLITE_OK) {
            *error = sqlite3_mprintf("%s", sqlite3_errmsg(db));
            return rc;
        }
        auto created = std::make_unique<AccessTable>();
        created->context = context;
        created->source = source;
        created->rowCountHint = reader.rowCountHint();
        *table = created.release();
        return SQLITE_OK;
    } catch (const Error& failure) {
        *error = sqliteCopy(failure.description());
        return SQLITE_ERROR;
    }
}

int disconnect(sqlite3_vtab* table)
{
    delete static_cast<AccessTable*>(table);
    return SQLITE_OK;
}

int bestIndex(sqlite3_vtab* table, sqlite3_index_info* info)
{
    // Every scan reads the whole table; SQLite applies the conditions.
    const auto* accessTable = static_cast<AccessTable*>(table);
    info->idxNum = 0;
    info->estimatedRows = qMax<qint64>(accessTable->rowCountHint, 1);
    info->estimatedCost = double(info->estimatedRows);
    return SQLITE_OK;
}

int open(sqlite3_vtab* table, sqlite3_vtab_cursor** cursor)
{
    auto* accessTable = static_cast<AccessTable*>(table);
    try {
        auto opened = std::make_unique<AccessCursor>();
        opened->reader =
            std::make_unique<TableReader>(*accessTable->source.file, accessTable->source.entry);
        *cursor = opened.release();
        return SQLITE_OK;
    } catch (const Error& failure) {
        reportFailure(table, failure);
        return SQLITE_ERROR;
    }
}

int close(sqlite3_vtab_cursor* cursor)
{
    delete static_cast<AccessCursor*>(cursor);
    return SQLITE_OK;
}

int step(AccessCursor* cursor)
{
    try {
        cursor->atEnd = !cursor->reader->next();
        ++cursor->rowId;
        return SQLITE_OK;
    } catch (const Error& failure) {
        cursor->atEnd = true;
        reportFailure(cursor->pVtab, failure);
        return SQLITE_ERROR;
    }
}

int filter(sqlite3_vtab_cursor* cursor, int, const char*, int, sqlite3_value**)
{
    auto* accessCursor = static_cast<AccessCursor*>(cursor);
    accessCursor->reader->rewind();
    accessCursor->rowId = 0;
    return step(accessCursor);
}

int next(sqlite3_vtab_cursor* cursor)
{
    return step(static_cast<AccessCursor*>(cursor));
}

int eof(sqlite3_vtab_cursor* cursor)
{
    return static_cast<AccessCursor*>(cursor)->atEnd;
}

void resultText(sqlite3_context* context, const QString& text)
{
    sqlite3_result_text16(context, text.utf16(), int(text.size() * sizeof(char16_t)),
                          SQLITE_TRANSIENT);
}

int column(sqlite3_vtab_cursor* cursor, sqlite3_context* context, int position)
{
    TableReader& reader = *static_cast<AccessCursor*>(cursor)->reader;
    try {
        if (reader.isNull(position)) {
            sqlite3_result_null(context);
            return SQLITE_OK;
        }
        switch (reader.columns().at(position).type) {
        case MDB_BOOL:
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
        case MDB_COMPLEX:
            sqlite3_result_int64(context, reader.integer(position));
            break;
        case MDB_MONEY: {
            const qint64 amount = reader.currency(position);
            if (amount > -exactInDouble && amount < exactInDouble)
                sqlite3_result_double(context, double(amount) / 10000.0);
            else
                resultText(context, accesstext::currency(amount));
            break;
        }
        case MDB_FLOAT:
        case MDB_DOUBLE:
        case MDB_DATETIME:
            sqlite3_result_double(context, reader.real(position));
            break;
        case MDB_TEXT:
        case MDB_MEMO:
            resultText(context, reader.text(position));
            break;
        case MDB_NUMERIC: {
            const QString text = reader.otherAsText(position);
            qsizetype digits = 0;
            for (const QChar c : text)
                digits += c.isDigit() ? 1 : 0;
            if (digits <= 15)
                sqlite3_result_double(context, text.toDouble());
            else
                resultText(context, text);
            break;
        }
        default:
            resultText(context, reader.otherAsText(position));
            break;
        }
        return SQLITE_OK;
    } catch (const Error& failure) {
        reportFailure(cursor->pVtab, failure);
        sqlite3_result_error(context, failure.what(), -1);
        return SQLITE_ERROR;
    }
}

int rowId(sqlite3_vtab_cursor* cursor, sqlite3_int64* id)
{
    *id = static_cast<AccessCursor*>(cursor)->rowId;
    return SQLITE_OK;
}

const sqlite3_module accessModule = [] {
    sqlite3_module module{};
    module.iVersion = 1;
    module.xCreate = connect;
    module.xConnect = connect;
    module.xBestIndex = bestIndex;
    module.xDisconnect = disconnect;
    module.xDestroy = disconnect;
    module.xOpen = open;
    module.xClose = close;
    module.xFilter = filter;
    module.xNext = next;
    module.xEof = eof;
    module.xColumn = column;
    module.xRowid = rowId;
    return module;
}();

} // namespace

void registerAccessModule(sqlite3* db, AccessModuleContext* context)
{
    sqlite3_create_module(db, "access", &accessModule, context);
}

} // namespace hakobee
