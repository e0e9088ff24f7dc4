#include "datasource/databaseprovider.h"

#include "platform/access/accessdatabase.h"
#include "platform/error.h"
#include "settings/settingsconnection.h"

namespace hakobee {

std::optional<QString> accessDatabasePath(const QString& connectionString)
{
    static const QString prefix = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
    if (!connectionString.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    return connectionString.mid(prefix.size());
}

std::unique_ptr<Connection> StandardDatabaseProvider::open(const QString& connectionString)
{
    if (isSettingsConnectionString(connectionString))
        return std::make_unique<SettingsTextConnection>(settings_);
    if (const std::optional<QString> path = accessDatabasePath(connectionString))
        return openAccessDatabase(*path);
    throw Error(
        QStringLiteral("接続文字列「%1」に対応する接続方法がありません。").arg(connectionString));
}

} // namespace hakobee
