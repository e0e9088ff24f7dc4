#include "support/postgresserver.h"

#include <QCollator>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hakobee::test {

namespace {

bool isServerFolder(const QString& folder)
{
    return QFileInfo(folder + u"/postgres"_qs).isExecutable() &&
           QFileInfo(folder + u"/initdb"_qs).isExecutable();
}

// A port nobody listens on now.
int freeLoopbackPort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

// The server's programs see none of the environment's PostgreSQL settings.
QProcessEnvironment cleanEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : environment.keys()) {
        if (name.startsWith(u"PG"_qs))
            environment.remove(name);
    }
    environment.insert(u"LC_ALL"_qs, u"C.UTF-8"_qs);
    environment.insert(u"PGCLIENTENCODING"_qs, u"UTF8"_qs);
    return environment;
}

QString tailOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    return QString::fromUtf8(all.right(2000));
}

bool appendTo(const QString& path, const QByteArray& text, QIODevice::OpenMode mode)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | mode) && file.write(text) == text.size();
}

const char* seedSql = R"(
CREATE ROLE labeler LOGIN PASSWORD 'label-4711';
ALTER DEFAULT PRIVILEGES IN SCHEMA public GRANT SELECT ON TABLES TO labeler;
CREATE TABLE products (
    id serial PRIMARY KEY,
    jan bigint,
    jan_text text,
    hinmei text,
    meisho text,
    price integer,
    price_numeric numeric(10, 2),
    on_sale boolean,
    updated timestamp
);
INSERT INTO products (jan, jan_text, hinmei, meisho, price, price_numeric, on_sale, updated) VALUES
    (4901234567894, '4901234567894', '緑茶 500ml', 'ﾘｮｸﾁｬ', 128, 128.00, true, '2024-03-05 09:07:05'),
    (4512345678906, '4512345678906', 'コーヒー 微糖', 'ｺｰﾋｰ', 150, 149.50, false, '2024-03-05 00:00:00'),
    (49123456, '49123456', '消しゴム', NULL, 80, 80.00, NULL, NULL),
    (4987654321094, '4987654321094', '髙島屋 ①のり', 'ﾉﾘ', 1280, 1280.00, true, '2023-12-31 23:59:59.6'),
    (4567890123456, '4567890123456', 'ボールペン 黒', 'ﾍﾟﾝ', 0, NULL, false, NULL);
-- The four columns of a label under the shipped settings' names; a run
-- stops at a null, so the missing name is an empty text.
CREATE VIEW product_labels AS
    SELECT jan AS bar, hinmei AS hi, coalesce(meisho, '') AS mei, price AS as2
    FROM products ORDER BY id;
)";

} // namespace

QString PostgresServer::programsFolder()
{
    const QString pgConfig = QStandardPaths::findExecutable(u"pg_config"_qs);
    if (!pgConfig.isEmpty()) {
        QProcess query;
        query.start(pgConfig, {u"--bindir"_qs});
        if (query.waitForFinished(10'000)) {
            const QString folder = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
            if (isServerFolder(folder))
                return folder;
        }
    }
    // The newest of Debian's versioned installations.
    QStringList versions =
        QDir(u"/usr/lib/postgresql"_qs).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(),
              [&](const QString& a, const QString& b) { return numeric.compare(a, b) > 0; });
    for (const QString& version : versions) {
        const QString folder = u"/usr/lib/postgresql/%1/bin"_qs.arg(version);
        if (isServerFolder(folder))
            return folder;
    }
    return {};
}

PostgresServer::PostgresServer() : programs_(programsFolder()) {}

PostgresServer::~PostgresServer()
{
    stop();
}

QString PostgresServer::socketUri(const QString& database) const
{
    return u"postgresql:///%1?host=%2&port=%3&user=labeler"_qs.arg(database, socketFolder())
        .arg(port_);
}

QString PostgresServer::loopbackUri() const
{
    return u"postgresql://labeler@127.0.0.1:%1/shop"_qs.arg(port_);
}

const QList<SeededProduct>& PostgresServer::seededProducts()
{
    static const QList<SeededProduct> products{
        {u"4901234567894"_qs, u"緑茶 500ml"_qs, u"ﾘｮｸﾁｬ"_qs, u"128"_qs},
        {u"4512345678906"_qs, u"コーヒー 微糖"_qs, u"ｺｰﾋｰ"_qs, u"150"_qs},
        {u"49123456"_qs, u"消しゴム"_qs, QString(), u"80"_qs},
        {u"4987654321094"_qs, u"髙島屋 ①のり"_qs, u"ﾉﾘ"_qs, u"1280"_qs},
        {u"4567890123456"_qs, u"ボールペン 黒"_qs, u"ﾍﾟﾝ"_qs, u"0"_qs},
    };
    return products;
}

// initdb and the server refuse to run as root: as root they run as the
// `postgres` user the Debian package creates. Either way the server dies
// with the test process (PR_SET_PDEATHSIG), so none is left behind.
QProcess* PostgresServer::startAsServerUser(const QString& program, const QStringList& arguments,
                                            QProcess* process)
{
    uid_t uid = ::geteuid();
    gid_t gid = ::getegid();
    if (uid == 0) {
        const passwd* user = ::getpwnam("postgres");
        if (!user) {
            failure_ = u"the tests run as root and there is no `postgres` user to run the "
                       u"server as (Debian's postgresql package creates it)"_qs;
            return nullptr;
        }
        uid = user->pw_uid;
        gid = user->pw_gid;
    }
    const bool switchUser = uid != ::geteuid();
    process->setProcessEnvironment(cleanEnvironment());
    process->setWorkingDirectory(socketFolder());
    process->setChildProcessModifier([uid, gid, switchUser] {
        if (switchUser &&
            (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(126);
        ::prctl(PR_SET_PDEATHSIG, SIGQUIT);
    });
    process->start(programs_ + u'/' + program, arguments);
    if (!process->waitForStarted(10'000)) {
        failure_ = u"%1 did not start: %2"_qs.arg(program, process->errorString());
        return nullptr;
    }
    return process;
}

bool PostgresServer::initialise()
{
    folder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/hakobee-pg-XXXXXX"_qs);
    if (!folder_->isValid()) {
        failure_ = u"no temporary folder: %1"_qs.arg(folder_->errorString());
        return false;
    }
    if (::geteuid() == 0) {
        const passwd* user = ::getpwnam("postgres");
        if (user && ::chown(QFile::encodeName(socketFolder()).constData(), user->pw_uid,
                            user->pw_gid) != 0) {
            failure_ = u"cannot give the temporary folder to the postgres user"_qs;
            return false;
        }
    }
    port_ = freeLoopbackPort();
    const QString data = socketFolder() + u"/data"_qs;
    QProcess initdb;
    initdb.setProcessChannelMode(QProcess::MergedChannels);
    if (!startAsServerUser(u"initdb"_qs,
                           {u"-D"_qs, data, u"-U"_qs, adminUser(), u"-A"_qs, u"trust"_qs, u"-E"_qs,
                            u"UTF8"_qs, u"--no-locale"_qs, u"--no-sync"_qs},
                           &initdb))
        return false;
    if (!initdb.waitForFinished(120'000) || initdb.exitCode() != 0) {
        failure_ = u"initdb failed: %1"_qs.arg(QString::fromLocal8Bit(initdb.readAll()));
        return false;
    }
    const QByteArray settings =
        u"\nlisten_addresses = '127.0.0.1'\nport = %1\n"
        u"unix_socket_directories = '%2'\n"
        u"fsync = off\nfull_page_writes = off\n"
        u"max_connections = 40\nshared_buffers = 16MB\n"
        u"lc_messages = 'C'\npassword_encryption = 'scram-sha-256'\n"_qs.arg(port_)
            .arg(socketFolder())
            .toUtf8();
    const QByteArray access = "local all all trust\n"
                              "host all all 127.0.0.1/32 scram-sha-256\n";
    if (!appendTo(data + u"/postgresql.conf"_qs, settings, QIODevice::Append) ||
        !appendTo(data + u"/pg_hba.conf"_qs, access, QIODevice::Truncate)) {
        failure_ = u"cannot write the cluster's configuration"_qs;
        return false;
    }
    initialised_ = true;
    return true;
}

bool PostgresServer::running() const
{
    return server_ && server_->state() == QProcess::Running;
}

bool PostgresServer::waitUntilReady()
{
    // The server writes "ready" into the eighth line of its pid file once
    // it takes connections.
    const QString pidFile = socketFolder() + u"/data/postmaster.pid"_qs;
    const QDeadlineTimer deadline(60'000);
    while (!deadline.hasExpired()) {
        if (!running()) {
            failure_ = u"the server stopped while starting:\n%1"_qs.arg(
                tailOf(socketFolder() + u"/server.log"_qs));
            return false;
        }
        QFile file(pidFile);
        if (file.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = file.readAll().split('\n');
            if (lines.size() > 7 && lines[0].trimmed().toLongLong() == server_->processId() &&
                lines[7].trimmed() == "ready")
                return true;
        }
        QThread::msleep(20);
    }
    failure_ = u"the server was not ready within a minute:\n%1"_qs.arg(
        tailOf(socketFolder() + u"/server.log"_qs));
    return false;
}

bool PostgresServer::start()
{
    if (programs_.isEmpty()) {
        failure_ = u"the PostgreSQL server programs are not installed"_qs;
        return false;
    }
    if (running())
        return true;
    const bool first = !initialised_;
    if (first && !initialise())
        return false;
    server_ = std::make_unique<QProcess>();
    server_->setStandardOutputFile(socketFolder() + u"/server.log"_qs, QIODevice::Append);
    server_->setStandardErrorFile(socketFolder() + u"/server.log"_qs, QIODevice::Append);
    if (!startAsServerUser(u"postgres"_qs, {u"-D"_qs, socketFolder() + u"/data"_qs},
                           server_.get()) ||
        !waitUntilReady())
        return false;
    return !first || (runSql(u"CREATE DATABASE shop;"_qs, nullptr, u"postgres"_qs) &&
                      runSql(QString::fromUtf8(seedSql)));
}

void PostgresServer::stop()
{
    if (!running())
        return;
    // SIGQUIT: the immediate shutdown, as pg_ctl stop -m immediate.
    ::kill(pid_t(server_->processId()), SIGQUIT);
    if (!server_->waitForFinished(30'000)) {
        server_->kill();
        server_->waitForFinished(10'000);
    }
}

bool PostgresServer::runSql(const QString& sql, QString* output, const QString& database)
{
    QProcess psql;
    psql.setProcessEnvironment(cleanEnvironment());
    psql.start(programs_ + u"/psql"_qs,
               {u"-X"_qs, u"-q"_qs, u"-A"_qs, u"-t"_qs, u"-v"_qs, u"ON_ERROR_STOP=1"_qs, u"-h"_qs,
                socketFolder(), u"-p"_qs, QString::number(port_), u"-U"_qs, adminUser(), u"-d"_qs,
                database});
    psql.write(sql.toUtf8());
    psql.closeWriteChannel();
    if (!psql.waitForFinished(120'000) || psql.exitStatus() != QProcess::NormalExit ||
        psql.exitCode() != 0) {
        failure_ = u"psql failed: %1"_qs.arg(QString::fromUtf8(psql.readAllStandardError()));
        return false;
    }
    if (output)
        *output = QString::fromUtf8(psql.readAllStandardOutput());
    return true;
}

} // namespace hakobee::test
