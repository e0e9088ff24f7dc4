#include "platform/textfolder/textfolder.h"

#include "core/datasource/datasourcekind.h"
#include "core/error.h"
#include "platform/access/accessdatabase.h"
#include "platform/access/accesssession.h"
#include "platform/access/jetfunctions.h"
#include "platform/odbc/odbcdatabase.h"
#include "platform/postgres/postgresdatabase.h"
#include "platform/tablesource/tablesourcemodule.h"
#include "platform/textfolder/textdecoding.h"
#include "platform/textfolder/textfiletable.h"
#include "platform/workbook/workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sqlite3.h>

namespace hakobee {

namespace {

QString folderShown(const QString& folder)
{
    return QDir::toNativeSeparators(folder);
}

QString quotedName(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

TextEncoding folderEncoding(const QDir& folder)
{
    QFile file(folder.filePath(QString::fromUtf16(textFolderEncodingFile)));
    if (!file.exists())
        return TextEncoding::ShiftJis;
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            u"「%1」を読めません。\n%2"_qs.arg(folderShown(file.fileName()), file.errorString()));
    const QString choice = QString::fromLatin1(file.readAll()).trimmed().toUpper();
    if (choice == QLatin1String("UTF-8") || choice == QLatin1String("UTF8"))
        return TextEncoding::Utf8;
    if (choice == QLatin1String("SHIFT-JIS") || choice == QLatin1String("SHIFT_JIS"))
        return TextEncoding::ShiftJis;
    throw Error(
        u"「%1」には文字コードとして UTF-8 か Shift-JIS のどちらかを書いてください。"_qs.arg(
            folderShown(file.fileName())));
}

void run(sqlite3* db, const QString& statement)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, &message);
    const QString why = QString::fromUtf8(message ? message : "");
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        throw Error(u"テキストファイルを表にできません。\n%1"_qs.arg(why));
}

bool isTableFile(const QFileInfo& info)
{
    static const QStringList suffixes{u"csv"_qs, u"txt"_qs, u"tsv"_qs};
    return info.isFile() && suffixes.contains(info.suffix(), Qt::CaseInsensitive) &&
           info.fileName().compare(QString::fromUtf16(textFolderEncodingFile),
                                   Qt::CaseInsensitive) != 0;
}

} // namespace

std::unique_ptr<Connection> openTextFolder(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        throw Error(u"フォルダー「%1」を読めません。"_qs.arg(folderShown(folder)));
    const TextEncoding encoding = folderEncoding(dir);

    auto session = std::make_shared<AccessSession>();
    session->path = folder;
    session->tableSources.readFailure = &session->moduleContext.readFailure;
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    session->db.reset(db);
    if (rc != SQLITE_OK)
        throw Error(u"テキストファイルを表にできません。\n%1"_qs.arg(
            QString::fromUtf8(sqlite3_errstr(rc))));
    registerTableSourceModule(db, &session->tableSources);
    registerJetFunctions(db);

    // Names without the extension, by lower case: the file, or empty when
    // two files share one.
    QHash<QString, QString> shortNames;
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& info : files) {
        if (!isTableFile(info))
            continue;
        const QString name = info.fileName();
        const QString shortName = info.completeBaseName().toLower();
        shortNames.insert(shortName, shortNames.contains(shortName) ? QString() : name);
        session->dottedNames << name;
        // Only the first rows are read here; a file that cannot be read
        // leaves the others usable.
        try {
            std::vector<std::unique_ptr<TableSource>>& tables = session->tableSources.tables;
            tables.push_back(std::make_unique<TextFileTable>(info.filePath(), encoding));
            createTableSourceTable(db, name, int(tables.size() - 1));
        } catch (const Error& error) {
            session->damagedTables.insert(name.toLower(), error.description());
        }
    }
    for (auto it = shortNames.cbegin(); it != shortNames.cend(); ++it) {
        const QString& file = it.value();
        if (file.isEmpty() || session->dottedNames.contains(it.key(), Qt::CaseInsensitive))
            continue;
        if (const auto damaged = session->damagedTables.constFind(file.toLower());
            damaged != session->damagedTables.constEnd()) {
            session->damagedTables.insert(it.key(), *damaged);
            continue;
        }
        run(db, u"CREATE VIEW main.%1 AS SELECT * FROM main.%2"_qs.arg(quotedName(it.key()),
                                                                       quotedName(file)));
    }
    allowOnlyReading(db);
    return sessionConnection(std::move(session));
}

QStringList textFolderTableNames(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        throw Error(u"フォルダー「%1」を読めません。"_qs.arg(folderShown(folder)));
    QStringList names;
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Readable, QDir::Name)) {
        if (isTableFile(info))
            names.append(info.fileName());
    }
    return names;
}

std::unique_ptr<Connection> openDataSourcePath(const QString& path)
{
    // A URI is never a path: no file or folder is looked for.
    if (isPostgresUri(path))
        return openPostgresDatabase(path.trimmed());
    if (isOdbcConnectionString(path))
        return openOdbcDatabase(path);
    if (QFileInfo(path).isDir())
        return openTextFolder(path);
    if (isWorkbookPath(path))
        return openWorkbook(path);
    return openAccessDatabase(path);
}

} // namespace hakobee
