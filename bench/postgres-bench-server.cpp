// postgres-bench-server ROWS
// The server benchmarks' PostgreSQL: the tests' own server
// (tests/support/postgresserver.h) with a table `master_big` of ROWS
// generated products (bar, hi, mei, as2: EAN-13 codes, Japanese names,
// prices), readable by `labeler`. Prints key=value lines (uri, socket,
// port, psql, then ready) and serves until its standard input closes; the
// server stops with it.
#include "support/postgresserver.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    bool valid = false;
    const qint64 rows = argc == 2 ? QByteArray(argv[1]).toLongLong(&valid) : 0;
    if (!valid || rows < 1) {
        std::fprintf(stderr, "usage: postgres-bench-server ROWS\n");
        return 2;
    }
    hakobee::test::PostgresServer server;
    if (hakobee::test::PostgresServer::programsFolder().isEmpty() || !server.start()) {
        std::fprintf(stderr, "postgres-bench-server: %s\n", qPrintable(server.failure()));
        return 1;
    }
    const QString table =
        u"CREATE FUNCTION ean13(body text) RETURNS text LANGUAGE sql IMMUTABLE AS $$ "
        u"SELECT body || ((10 - (SELECT sum(substr(body, i, 1)::int * (1 + 2 * ((i + 1) % 2))) "
        u"FROM generate_series(1, 12) AS i) % 10) % 10)::text $$;"
        u"CREATE TABLE master_big AS SELECT ean13('490' || lpad(n::text, 9, '0')) AS bar, "
        u"'緑茶 ' || n || ' 本入り' AS hi, 'ﾘｮｸﾁｬ ' || n AS mei, 100 + n % 900 AS as2 "
        u"FROM generate_series(0, %1 - 1) AS n;"
        u"ANALYZE master_big;"_qs.arg(rows);
    if (!server.runSql(table)) {
        std::fprintf(stderr, "postgres-bench-server: %s\n", qPrintable(server.failure()));
        return 1;
    }
    std::printf("uri=%s\nsocket=%s\nport=%d\npsql=%s/psql\nready\n", qPrintable(server.socketUri()),
                qPrintable(server.socketFolder()), server.port(),
                qPrintable(hakobee::test::PostgresServer::programsFolder()));
    std::fflush(stdout);
    // Serves until the benchmark closes the pipe.
    QFile input;
    if (input.open(stdin, QIODevice::ReadOnly))
        input.readAll();
    return 0;
}
