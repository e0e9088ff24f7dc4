#include "platform/tablesource/tablesourcemodule.h"

#include "core/error.h"

#include <sqlite3.h>

namespace hakobee {

namespace {

struct SourceTable : sqlite3_vtab
{
    TableSourceContext* context = nullptr;
    const TableSource* source = nullptr;
};

struct SourceCursor : sqlite3_vtab_cursor
{
    std::unique_ptr<TableRows> rows;
    bool atEnd = true;
    sqlite3_int64 rowId = 0;
};

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
    auto* sourceTable = static_cast<SourceTable*>(table);
    if (sourceTable->context->readFailure)
        *sourceTable->context->readFailure = error.description();
    sqlite3_free(table->zErrMsg);
    table->zErrMsg = sqliteCopy(error.description());
}

int connect(sqlite3* db, void* clientData, int argc, const char* const* argv, sqlite3_vtab** table,
            char** error)
{
    auto* context = static_cast<TableSourceContext*>(clientData);
    bool ok = false;
    const int position = argc == 4 ? QString::fromUtf8(argv[3]).toInt(&ok) : -1;
    if (!ok || position < 0 || position >= int(context->tables.size())) {
        *error = sqlite3_mprintf("rows: no table at this position");
        return SQLITE_ERROR;
    }
    const TableSource& source = *context->tables.at(size_t(position));
    const QString type = source.columnType();
    QStringList columns;
    for (const QString& name : source.columnNames())
        columns << (type.isEmpty() ? quotedName(name) : quotedName(name) + QLatin1Char(' ') + type);
    const QString declaration = u"CREATE TABLE x(%1)"_qs.arg(columns.join(u", "_qs));
    if (const int rc = sqlite3_declare_vtab(db, declaration.toUtf8().constData());
        rc != SQLITE_OK) {
        *error = sqlite3_mprintf("%s", sqlite3_errmsg(db));
        return rc;
    }
    auto created = std::make_unique<SourceTable>();
    created->context = context;
    created->source = &source;
    *table = created.release();
    return SQLITE_OK;
}

int disconnect(sqlite3_vtab* table)
{
    delete static_cast<SourceTable*>(table);
    return SQLITE_OK;
}

int bestIndex(sqlite3_vtab* table, sqlite3_index_info* info)
{
    // Every scan reads the whole table; SQLite applies the conditions.
    const auto* sourceTable = static_cast<SourceTable*>(table);
    info->idxNum = 0;
    info->estimatedRows = qMax<qint64>(sourceTable->source->rowCountHint(), 1);
    info->estimatedCost = double(info->estimatedRows);
    return SQLITE_OK;
}

int open(sqlite3_vtab* table, sqlite3_vtab_cursor** cursor)
{
    const auto* sourceTable = static_cast<SourceTable*>(table);
    try {
        auto opened = std::make_unique<SourceCursor>();
        opened->rows = sourceTable->source->openRows();
        *cursor = opened.release();
        return SQLITE_OK;
    } catch (const Error& failure) {
        reportFailure(table, failure);
        return SQLITE_ERROR;
    }
}

int close(sqlite3_vtab_cursor* cursor)
{
    delete static_cast<SourceCursor*>(cursor);
    return SQLITE_OK;
}

int step(SourceCursor* cursor)
{
    try {
        cursor->atEnd = !cursor->rows->next();
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
    auto* sourceCursor = static_cast<SourceCursor*>(cursor);
    try {
        sourceCursor->rows->rewind();
    } catch (const Error& failure) {
        sourceCursor->atEnd = true;
        reportFailure(cursor->pVtab, failure);
        return SQLITE_ERROR;
    }
    sourceCursor->rowId = 0;
    return step(sourceCursor);
}

int next(sqlite3_vtab_cursor* cursor)
{
    return step(static_cast<SourceCursor*>(cursor));
}

int eof(sqlite3_vtab_cursor* cursor)
{
    return static_cast<SourceCursor*>(cursor)->atEnd;
}

int column(sqlite3_vtab_cursor* cursor, sqlite3_context* context, int position)
{
    const TableValue& value = static_cast<SourceCursor*>(cursor)->rows->value(position);
    if (const auto* text = std::get_if<QString>(&value))
        sqlite3_result_text16(context, text->utf16(), int(text->size() * sizeof(char16_t)),
                              SQLITE_TRANSIENT);
    else if (const auto* integer = std::get_if<qint64>(&value))
        sqlite3_result_int64(context, *integer);
    else if (const auto* real = std::get_if<double>(&value))
        sqlite3_result_double(context, *real);
    else
        sqlite3_result_null(context);
    return SQLITE_OK;
}

int rowId(sqlite3_vtab_cursor* cursor, sqlite3_int64* id)
{
    *id = static_cast<SourceCursor*>(cursor)->rowId;
    return SQLITE_OK;
}

const sqlite3_module rowsModule = [] {
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

void registerTableSourceModule(sqlite3* db, TableSourceContext* context)
{
    sqlite3_create_module(db, "rows", &rowsModule, context);
}

void createTableSourceTable(sqlite3* db, const QString& name, int position)
{
    const QString create =
        u"CREATE VIRTUAL TABLE main.%1 USING rows(%2)"_qs.arg(quotedName(name)).arg(position);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, create.toUtf8().constData(), nullptr, nullptr, &message);
    const QString why = QString::fromUtf8(message ? message : "");
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        throw Error(why);
}

} // namespace hakobee
