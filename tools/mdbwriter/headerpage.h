#pragma once

#include <QByteArray>

namespace hakobee::mdbwriter {

// Page 0, the database definition page of a Jet 4 file without password or
// page encoding. creationDays is the creation time in days since 1899-12-30.
QByteArray databaseDefinitionPage(double creationDays);

} // namespace hakobee::mdbwriter
