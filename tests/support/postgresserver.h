#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace hakobee::test {

// A product of the seeded table `products`, each column as the labels
// print it from `select jan, hinmei, meisho, price from products order by
// id` (jan a bigint, price an integer).
struct SeededProduct
{
    QString jan;
    QString itemName;
    QString name; // empty where the table holds a null
    QString price;
};

// A real PostgreSQL server of the test's own: a cluster initialised in a
// temporary folder, listening on a Unix socket in that folder and on
// 127.0.0.1 at a free port, run as the unprivileged `postgres` user when
// the tests run as root. The superuser `admin` and the role `labeler` may
// connect over the socket without a password; over loopback `labeler`
// must give its password (SCRAM). The database `shop` holds `products`:
//
//   id serial, jan bigint, jan_text text, hinmei text, meisho text,
//   price integer, price_numeric numeric(10,2), on_sale boolean,
//   updated timestamp
//
// with Japanese item names, NULLs, and prices as integers and numerics,
// and the view `product_labels` of its label columns under the shipped
// settings' names (bar, hi, mei, as2; the null name an empty text), readable by `labeler`, as is
// every table `admin` creates later. The server is its own child process: it stops when the test
// ends, even when the test crashes. One server serves a whole test executable.
class PostgresServer
{
public:
    // The server programs' folder (pg_config --bindir, else the newest
    // /usr/lib/postgresql/*/bin); empty when the server is not installed.
    static QString programsFolder();

    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // Creates, seeds and starts the cluster the first time, starts it
    // again after stop(). False, with failure() saying why, when it fails.
    bool start();
    const QString& failure() const { return failure_; }
    bool running() const;

    // Stops the server at once (an immediate shutdown: sessions are cut).
    void stop();

    // What a client needs to reach the server (ODBC's DSNs too).
    QString host() const { return QStringLiteral("127.0.0.1"); }
    int port() const { return port_; }
    QString socketFolder() const { return folder_ ? folder_->path() : QString(); }
    QString database() const { return QStringLiteral("shop"); }
    QString adminUser() const { return QStringLiteral("admin"); }
    QString labelerUser() const { return QStringLiteral("labeler"); }
    QString labelerPassword() const { return QStringLiteral("label-4711"); }

    // postgresql:///shop?host=<socket folder>&port=<port>&user=labeler
    QString socketUri(const QString& database = QStringLiteral("shop")) const;
    // postgresql://labeler@127.0.0.1:<port>/shop: asks for the password.
    QString loopbackUri() const;

    // Runs SQL as `admin` through psql, in `shop` or the database named;
    // the rows it prints, unaligned and without headers. False, with
    // failure() saying why, when it fails.
    bool runSql(const QString& sql, QString* output = nullptr,
                const QString& database = QStringLiteral("shop"));

    static const QList<SeededProduct>& seededProducts();

private:
    bool initialise();
    QProcess* startAsServerUser(const QString& program, const QStringList& arguments,
                                QProcess* process);
    bool waitUntilReady();

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QProcess> server_;
    QString programs_;
    QString failure_;
    int port_ = 0;
    bool initialised_ = false;
};

} // namespace hakobee::test

// In a test function: skips it when the server programs are not installed,
// fails it when the server does not start, and starts it otherwise (once;
// again after a stop()).
#define HAKOBEE_START_POSTGRES(server)                                                             \
    do {                                                                                           \
        if (hakobee::test::PostgresServer::programsFolder().isEmpty())                             \
            QSKIP("The PostgreSQL server programs are not installed (Debian package "              \
                  "postgresql, installed by scripts/deps.sh)");                                    \
        QVERIFY2((server).start(), qPrintable((server).failure()));                                \
    } while (false)
