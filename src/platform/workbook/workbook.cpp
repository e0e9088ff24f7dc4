#include "platform/workbook/workbook.h"

#include "core/error.h"
#include "platform/access/accesssession.h"
#include "platform/access/jetfunctions.h"
#include "platform/tablesource/tablesourcemodule.h"
#include "platform/workbook/sheettable.h"
#include "platform/workbook/workbookparts.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace hakobee {

namespace {

QString quotedName(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

// Old binary workbooks have no reader here that Debian keeps well; the
// operator can save them in a form that has one.
void refuseOldWorkbook(const QString& path)
{
    if (QFileInfo(path).suffix().compare(u"xls"_qs, Qt::CaseInsensitive) == 0) {
        throw Error(u"ブック「%1」は古い形式 (.xls) の Excel ブックで、読めません。"
                    u"Excel で開いて「名前を付けて保存」から「Excel ブック (*.xlsx)」か "
                    u"CSV で保存し、そのファイルを指定してください。"_qs.arg(
                        QDir::toNativeSeparators(path)));
    }
}

std::shared_ptr<OpenWorkbook> readWorkbook(const QString& path, bool sheetsOnly)
{
    refuseOldWorkbook(path);
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

} // namespace

bool isWorkbookPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(u"xlsx"_qs, Qt::CaseInsensitive) == 0 ||
           suffix.compare(u"xls"_qs, Qt::CaseInsensitive) == 0;
}

std::unique_ptr<Connection> openWorkbook(const QString& path)
{
    const std::shared_ptr<const OpenWorkbook> workbook = readWorkbook(path, false);

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

    for (const WorkbookSheet& sheet : workbook->parts.sheets) {
        const QString driverName = sheet.name + QLatin1Char('$');
        if (sheet.name.contains(QLatin1Char('.')))
            session->dottedNames << sheet.name << driverName;
        try {
            std::vector<std::unique_ptr<TableSource>>& tables = session->tableSources.tables;
            tables.push_back(std::make_unique<SheetTable>(workbook, sheet));
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

QStringList workbookSheetNames(const QString& path)
{
    const std::shared_ptr<const OpenWorkbook> workbook = readWorkbook(path, true);
    QStringList names;
    for (const WorkbookSheet& sheet : workbook->parts.sheets)
        names << sheet.name;
    return names;
}

} // namespace hakobee
