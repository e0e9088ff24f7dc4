#pragma once

#include "core/datasource/database.h"

#include <functional>
#include <optional>

namespace hakobee {

class SettingsFolder;

// Opens the database an Access connection string names by its path (an
// Access file, or in the program a folder of text files or a PostgreSQL
// URI); the backends live among the platform adapters and are handed in by
// whoever puts the program together.
using AccessOpener = std::function<std::unique_ptr<Connection>(const QString& path)>;

// The program's database provider: routes each connection string the
// system stores or builds to the backend that opens it.
//   - the settings connection string: the settings folder, read as tables;
//   - "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<path>": an Access file,
//     through the Access opener (without one, such a string is refused).
class StandardDatabaseProvider : public DatabaseProvider
{
public:
    explicit StandardDatabaseProvider(const SettingsFolder& settings, AccessOpener openAccess = {})
        : settings_(settings), openAccess_(std::move(openAccess))
    {}
    std::unique_ptr<Connection> open(const QString& connectionString) override;

private:
    const SettingsFolder& settings_;
    AccessOpener openAccess_;
};

// The database path of an Access connection string, or nullopt for any other string.
std::optional<QString> accessDatabasePath(const QString& connectionString);

} // namespace hakobee
