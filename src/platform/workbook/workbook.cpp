#include "platform/workbook/workbook.h"

#include "core/error.h"
#include "platform/access/accesssession.h"
#include "platform/access/jetfunctions.h"
#include "platform/tablesource/tablesourcemodule.h"
#include "platform/workbook/sheettable.h"
#include "platform/workbook/workbookparts.h"
#include "platform/workbook/xlsbook.h"
#include "platform/workbook/xlssheettable.h"

#include <QDir>
#include <QFileInfo>

#include <functional>
#include <vector>

#include <sqlite3.h>

namespace hakobee {

namespace {

QString quotedName(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

std::shared_ptr<OpenWorkbook> readWorkbook(const QString& path, bool sheetsOnly)
{
    auto workbook = std::make_shared<OpenWorkbook>(path);
    workbook->parts = readWorkbookParts(workbook->archive, sheetsOnly);
    return workbook;
}

void createView(sqlite3* db, const QString& name, const QString& table)
{
    const QString create =
        u"CREATE VIEW main.%1 AS SELECT * FROM main.%2"_qs.arg(quotedName(name), quotedName(table));
    char* message = nullptr;
    const int rc = sqlite3_exec(db, create.toUtf8().constData(), nullptr, nullptr, &message);
    const QString why = QString::fromUtf8(message ? message : "");
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        throw Error(why);
}

// A sheet by its tab name, and how its table is read.
struct NamedSheet
{
    QString name;
    std::function<std::unique_ptr<TableSource>()> table;
};

// A session whose tables are the sheets, by their tab names and as Excel's
// driver names them ("Sheet1$"). A sheet whose table cannot be made is
// remembered as damaged, with why.
std::unique_ptr<Connection> sessionOverSheets(const QString& path,
                                              const std::vector<NamedSheet>& sheets)
{
    auto session = std::make_shared<AccessSession>();
    session->path = path;
    session->tableSources.readFailure = &session->moduleContext.readFailure;
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    session->db.reset(db);
    if (rc != SQLITE_OK)
        throw Error(u"ブック「%1」を表にできません。\n%2"_qs.arg(
            QDir::toNativeSeparators(path), QString::fromUtf8(sqlite3_errstr(rc))));
    registerTableSourceModule(db, &session->tableSources);
    registerJetFunctions(db);

    for (const NamedSheet& sheet : sheets) {
        const QString driverName = sheet.name + QLatin1Char('$');
        if (sheet.name.contains(QLatin1Char('.')))
            session->dottedNames << sheet.name << driverName;
        try {
            std::vector<std::unique_ptr<TableSource>>& tables = session->tableSources.tables;
            tables.push_back(sheet.table());
            createTableSourceTable(db, sheet.name, int(tables.size() - 1));
            createView(db, driverName, sheet.name);
        } catch (const Error& error) {
            session->damagedTables.insert(sheet.name.toLower(), error.description());
            session->damagedTables.insert(driverName.toLower(), error.description());
        }
    }
    allowOnlyReading(db);
    return sessionConnection(std::move(session));
}

} // namespace

bool isWorkbookPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(u"xlsx"_qs, Qt::CaseInsensitive) == 0 ||
           suffix.compare(u"xls"_qs, Qt::CaseInsensitive) == 0;
}

std::unique_ptr<Connection> openWorkbook(const QString& path)
{
    std::vector<NamedSheet> sheets;
    if (isXlsPath(path)) {
        const auto book = std::make_shared<const XlsBook>(path, false);
        for (int sheet = 0; sheet < book->sheetNames().size(); ++sheet) {
            sheets.push_back({book->sheetNames().at(sheet), [book, sheet] {
                                  return std::make_unique<XlsSheetTable>(book, sheet);
                              }});
        }
        return sessionOverSheets(path, sheets);
    }
    const std::shared_ptr<const OpenWorkbook> workbook = readWorkbook(path, false);
    for (const WorkbookSheet& sheet : workbook->parts.sheets) {
        sheets.push_back({sheet.name, [workbook, sheet] {
                              return std::make_unique<SheetTable>(workbook, sheet);
                          }});
    }
    return sessionOverSheets(path, sheets);
}

QStringList workbookSheetNames(const QString& path)
{
    if (isXlsPath(path))
        return XlsBook(path, true).sheetNames();
    const std::shared_ptr<const OpenWorkbook> workbook = readWorkbook(path, true);
    QStringList names;
    for (const WorkbookSheet& sheet : workbook->parts.sheets)
        names << sheet.name;
    return names;
}

} // namespace hakobee
