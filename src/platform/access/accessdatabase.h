#pragma once

#include "core/datasource/database.h"

#include <QString>

#include <memory>

namespace hakobee {

// Opens an Access database file (.mdb, .accdb) read-only. Queries run
// through an embedded SQLite in which every table of the file is a table of
// the same name, read from the file while the query steps. The query text is
// used as it is, except that full-width blanks outside quoted text count as
// blanks. Record sets keep what they need of the connection alive, so they
// may outlive it. Throws hakobee::Error when the file cannot be read.
std::unique_ptr<Connection> openAccessDatabase(const QString& path);

} // namespace hakobee
