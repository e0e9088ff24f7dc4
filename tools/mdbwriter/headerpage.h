#pragma once

#include "jetformat.h"

#include <QByteArray>

namespace hakobee::mdbwriter {

// Page 0, the database definition page: signature, version, code page, the
// page-encoding key and the password (options), mostly stored RC4-encoded
// under Jet's fixed key. creationDays is the creation time in days since
// 1899-12-30. Throws hakobee::Error for a password Access could not store.
QByteArray databaseDefinitionPage(double creationDays, const jet::Format& format,
                                  const FileOptions& options);

} // namespace hakobee::mdbwriter
