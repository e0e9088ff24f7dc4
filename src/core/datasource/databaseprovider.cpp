#include "core/datasource/databaseprovider.h"

#include "core/error.h"
#include "core/settings/settingsconnection.h"

namespace hakobee {

std::optional<QString> accessDatabasePath(const QString& connectionString)
{
    static const QString prefix = u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_qs;
    if (!connectionString.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    return connectionString.mid(prefix.size());
}

std::unique_ptr<Connection> StandardDatabaseProvider::open(const QString& connectionString)
{
    if (isSettingsConnectionString(connectionString))
        return std::make_unique<SettingsTextConnection>(settings_);
    if (const std::optional<QString> path = accessDatabasePath(connectionString);
        path && openAccess_)
        return openAccess_(*path);
    throw Error(u"接続文字列「%1」に対応する接続方法がありません。"_qs.arg(connectionString));
}

} // namespace hakobee
