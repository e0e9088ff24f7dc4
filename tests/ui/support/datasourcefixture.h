#pragma once

#include "support/recordingmessageboxes.h"
#include "support/scriptedfiledialogs.h"

#include "ui/appcontext.h"
#include "ui/screenhost.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace hakobee::test {

// Recorded message boxes that also let a test look at the screens at the
// moment a box appears.
class WatchedMessageBoxes : public RecordingMessageBoxes
{
public:
    MessageAnswer show(QWidget* owner, const Message& message) override
    {
        if (onShow)
            onShow();
        return RecordingMessageBoxes::show(owner, message);
    }

    std::function<void()> onShow;
};

// A settings folder in a temporary root, the production database provider
// over it, recorded message boxes and scripted file dialogs: what the data
// source screens need, without a person at the screen.
class DataSourceFixture
{
public:
    DataSourceFixture();
    ~DataSourceFixture();

    QString settingsFolderPath() const;
    QString settingsFilePath() const;
    // Writes nimbeconfig2.txt byte for byte as installations hold it.
    void writeSettingsFile(const QString& databasePath, const QString& table,
                           const QString& storedSelectText);
    QByteArray settingsFileBytes() const;
    // Copies the default nimbeconfig2.txt shipped beside the program, which
    // points at the bundled sample database; returns that database's path.
    QString installShippedDataSource(const QString& builtDefaultsFolder);
    // A database of the example's shape with rowCount rows, in the root.
    QString productDatabase(const QString& fileName, int rowCount);
    QString path(const QString& fileName) const { return root.filePath(fileName); }

    QTemporaryDir root;
    WatchedMessageBoxes messages;
    ScriptedFileDialogs fileDialogs;
    AppContext context;
    ScreenHost screens{context};

private:
    struct Backends;
    std::unique_ptr<Backends> backends_;
};

// The row count of a table as mdbtools' own reader gives it; -1 on failure.
qint64 countRowsWithMdbTools(const QString& databasePath, const QString& table);

// The settings file's bytes for three values, as the system writes them.
QByteArray settingsFileContent(const QString& databasePath, const QString& table,
                               const QString& storedSelectText);

} // namespace hakobee::test
