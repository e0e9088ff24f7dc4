#include "core/datasource/datasourcekind.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace hakobee {

bool isPostgresUri(const QString& database)
{
    const QString text = database.trimmed();
    return text.startsWith(u"postgresql://"_qs, Qt::CaseInsensitive) ||
           text.startsWith(u"postgres://"_qs, Qt::CaseInsensitive);
}

bool isOdbcConnectionString(const QString& database)
{
    // No path has a DSN= or DRIVER= pair at its start or after a semicolon.
    static const QRegularExpression odbcKey(u"(^|;)\\s*(DSN|FILEDSN|DRIVER)\\s*="_qs,
                                            QRegularExpression::CaseInsensitiveOption);
    return !isPostgresUri(database) && odbcKey.match(database).hasMatch();
}

DataSourceKind dataSourceKindOf(const QString& database)
{
    if (isPostgresUri(database))
        return DataSourceKind::PostgreSql;
    if (isOdbcConnectionString(database))
        return DataSourceKind::Odbc;
    const QFileInfo path(database);
    if (!database.isEmpty() && path.isDir())
        return DataSourceKind::TextFolder;
    static const QStringList workbookSuffixes{u"xlsx"_qs, u"xlsm"_qs, u"xls"_qs};
    if (workbookSuffixes.contains(path.suffix(), Qt::CaseInsensitive))
        return DataSourceKind::ExcelWorkbook;
    return DataSourceKind::AccessFile;
}

QString dataSourceKindNote(DataSourceKind kind)
{
    switch (kind) {
    case DataSourceKind::PostgreSql:
        return u"DB by PostgreSQL"_qs;
    case DataSourceKind::Odbc:
        return u"DB by ODBC"_qs;
    case DataSourceKind::TextFolder:
        return u"DB by CSV"_qs;
    case DataSourceKind::ExcelWorkbook:
        return u"DB by Excel"_qs;
    case DataSourceKind::AccessFile:
        break;
    }
    return u"DB by Access"_qs;
}

} // namespace hakobee
