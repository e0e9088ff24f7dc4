#include "core/datasource/datasourcesettings.h"

namespace hakobee {

QString storedSelectText(const QString& typedSelectText)
{
    return typedSelectText + u' ';
}

QString dataSourceQuery(const QString& storedSelectText, const QString& table)
{
    return storedSelectText + table;
}

QString dataSourceConnectionString(const QString& databasePath)
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_qs + databasePath;
}

} // namespace hakobee
