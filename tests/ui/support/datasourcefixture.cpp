#include "datasourcefixture.h"

#include "productdatabase.h"

#include "core/datasource/databaseprovider.h"
#include "core/settings/settingsfolder.h"
#include "platform/access/accessdatabase.h"
#include "platform/textfolder/textfolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTest>

namespace hakobee::test {

QByteArray settingsFileContent(const QString& databasePath, const QString& table,
                               const QString& storedSelectText)
{
    const QString text = u"\"DB\",\"TABLE\",\"KENSAKU\"\r\n\"%1\",\"%2\",\"%3\"\r\n"_qs.arg(
        databasePath, table, storedSelectText);
    QStringEncoder shiftJis("Shift_JIS");
    QByteArray bytes = shiftJis(text);
    if (shiftJis.hasError())
        qFatal("test value has no Shift-JIS form");
    return bytes;
}

struct DataSourceFixture::Backends
{
    // The program's own opener: an Access file, a folder of text files or
    // a database server, by what the DB names.
    explicit Backends(const QString& root) : settings(root), databases(settings, openDataSourcePath)
    {}
    SettingsFolder settings;
    StandardDatabaseProvider databases;
};

DataSourceFixture::DataSourceFixture() : backends_(std::make_unique<Backends>(root.path()))
{
    if (!root.isValid() || !QDir().mkpath(settingsFolderPath()))
        qFatal("cannot create the test settings folder");
    context.messages = &messages;
    context.screens = &screens;
    context.settings = &backends_->settings;
    context.databases = &backends_->databases;
    context.fileDialogs = &fileDialogs;
}

DataSourceFixture::~DataSourceFixture() = default;

QString DataSourceFixture::settingsFolderPath() const
{
    return root.filePath(u"qvx_ini"_qs);
}

QString DataSourceFixture::settingsFilePath() const
{
    return settingsFolderPath() + u"/nimbeconfig2.txt"_qs;
}

void DataSourceFixture::writeSettingsFile(const QString& databasePath, const QString& table,
                                          const QString& storedSelectText)
{
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the test settings file");
    file.write(settingsFileContent(databasePath, table, storedSelectText));
}

QByteArray DataSourceFixture::settingsFileBytes() const
{
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

QString DataSourceFixture::installShippedDataSource(const QString& builtDefaultsFolder)
{
    const QString shipped = QDir(builtDefaultsFolder).filePath(u"nimbeconfig2.txt"_qs);
    QFile::remove(settingsFilePath());
    if (!QFile::copy(shipped, settingsFilePath()))
        qFatal("cannot copy the shipped nimbeconfig2.txt");
    return QDir(builtDefaultsFolder).filePath(u"sample.mdb"_qs);
}

QString DataSourceFixture::productDatabase(const QString& fileName, int rowCount)
{
    return writeProductDatabase(root.filePath(fileName), rowCount);
}

qint64 countRowsWithMdbTools(const QString& databasePath, const QString& table)
{
    QProcess count;
    count.start(u"mdb-count"_qs, {databasePath, table});
    if (!count.waitForFinished(30000) || count.exitCode() != 0)
        return -1;
    bool ok = false;
    const qint64 rows = count.readAllStandardOutput().trimmed().toLongLong(&ok);
    return ok ? rows : -1;
}

} // namespace hakobee::test
