// The operator's query text on its way to SQLite: the full-width blank
// normaliser (withFullWidthBlanksAsBlanks), the Jet SQL rewrite
// (jetQueryForSqlite) and the column names shown back (jetColumnName), then
// the rewritten text run by SQLite with the Jet functions over a small
// table of the sample's shape, reading only, as the Access backend runs it.
// Input: the query text in UTF-8.

#include "fuzztarget.h"

#include "platform/access/jetfunctions.h"
#include "platform/access/querytext.h"

#include <QRegularExpression>

#include <sqlite3.h>

namespace {

using namespace hakobee;

// Only blanks change, one for one.
void checkNormaliser(const QString& query)
{
    const QString normal = withFullWidthBlanksAsBlanks(query);
    if (normal.size() != query.size())
        fuzz::broken("the normaliser keeps the length", query);
    for (qsizetype i = 0; i < query.size(); ++i) {
        if (normal.at(i) != query.at(i) && !(query.at(i) == QChar(0x3000) && normal.at(i) == u' '))
            fuzz::broken("the normaliser changes only full-width blanks", query);
    }
    if (withFullWidthBlanksAsBlanks(normal) != normal)
        fuzz::broken("the normaliser is done in one pass", query);
}

// Text that holds nothing the rewrite is about is passed on as written.
void checkUntouchedText(const QString& query, const QString& rewritten)
{
    static const QRegularExpression rewritable(u"[&#\"\\x{3000}]|top|left|right"_qs,
                                               QRegularExpression::CaseInsensitiveOption);
    if (!query.contains(rewritable) && rewritten != query)
        fuzz::broken("text without Jet forms is passed on as written",
                     query + u" -> "_qs + rewritten);
}

int onlyReading(void*, int action, const char*, const char*, const char*, const char*)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

// Ends statements that would run on (a recursive query, a huge join); the
// program leaves those to the operator, who can close the screen.
int stopLongRuns(void* steps)
{
    return ++*static_cast<int*>(steps) > 2000;
}

sqlite3* sampleDatabase()
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK)
        fuzz::broken("SQLite opens");
    registerJetFunctions(db);
    const char* setup = "create table Master(bar text, hi text, mei text, as2 real, d real);"
                        "insert into Master values('4901234567894', '緑茶 500ml', 'ﾘｮｸﾁｬ', 1000, "
                        "45000.5),('49123456', '消しゴム', null, 99.5, null),"
                        "('4909876543210', 'Tea & Coffee', '\"tea\"', -250, 1.25);";
    if (sqlite3_exec(db, setup, nullptr, nullptr, nullptr) != SQLITE_OK)
        fuzz::broken("the sample table is made");
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
    sqlite3_set_authorizer(db, onlyReading, nullptr);
    return db;
}

void run(sqlite3* db, const QString& rewritten)
{
    const QByteArray text = rewritten.toUtf8();
    int steps = 0;
    sqlite3_progress_handler(db, 1000, stopLongRuns, &steps);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) ==
            SQLITE_OK &&
        statement) {
        for (int column = 0; column < sqlite3_column_count(statement); ++column)
            jetColumnName(QString::fromUtf8(sqlite3_column_name(statement, column)));
        for (int row = 0; row < 50 && sqlite3_step(statement) == SQLITE_ROW; ++row) {
            for (int column = 0; column < sqlite3_column_count(statement); ++column)
                sqlite3_column_text(statement, column);
        }
    }
    sqlite3_finalize(statement);
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static sqlite3* const db = sampleDatabase();
    const QString query = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    checkNormaliser(query);
    const QString rewritten = jetQueryForSqlite(query);
    checkUntouchedText(query, rewritten);
    jetColumnName(rewritten);
    run(db, rewritten);
    return 0;
}
