#pragma once

#include "support/postgresserver.h"

#include <QString>

namespace hakobee::test {

// The PostgreSQL ODBC driver's library; empty when it is not installed.
inline QString psqlOdbcDriver()
{
    return QStringLiteral(HAKOBEE_PSQLODBC_DRIVER);
}

// The test server's `shop` as `labeler` through psqlODBC over the Unix
// socket, the driver named by its library (no odbcinst.ini needed), or by
// the name given.
inline QString psqlOdbcConnectionString(const PostgresServer& server,
                                        const QString& driver = psqlOdbcDriver())
{
    return u"Driver=%1;Servername=%2;Port=%3;Database=shop;UID=labeler"_qs.arg(
        driver, server.socketFolder(), QString::number(server.port()));
}

} // namespace hakobee::test

// In a test function: skips it when the driver is not installed.
#define HAKOBEE_REQUIRE_PSQLODBC()                                                                 \
    do {                                                                                           \
        if (hakobee::test::psqlOdbcDriver().isEmpty())                                             \
            QSKIP("The PostgreSQL ODBC driver is not installed (Debian package odbc-postgresql, "  \
                  "installed by scripts/deps.sh)");                                                \
    } while (false)
