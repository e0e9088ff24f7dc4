#pragma once

#include "datasource/database.h"

namespace hakobee {

class SettingsFolder;

// The program's database provider: routes each connection string the
// system stores or builds to the backend that opens it.
//   - the settings connection string: the settings folder, read as tables;
//   - "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>": an Access file.
class StandardDatabaseProvider : public DatabaseProvider
{
public:
    explicit StandardDatabaseProvider(const SettingsFolder& settings) : settings_(settings) {}
    std::unique_ptr<Connection> open(const QString& connectionString) override;

private:
    const SettingsFolder& settings_;
};

// The database path of an Access connection string, or nullopt for any other string.
std::optional<QString> accessDatabasePath(const QString& connectionString);

} // namespace hakobee
