#pragma once

#include "support/recordingmessageboxes.h"
#include "support/scriptedfiledialogs.h"

#include "shell/appcontext.h"
#include "shell/screenhost.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace hakobee::test {

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
    // A database of the example's shape with rowCount rows, in the root.
    QString productDatabase(const QString& fileName, int rowCount);
    QString path(const QString& fileName) const { return root.filePath(fileName); }

    QTemporaryDir root;
    RecordingMessageBoxes messages;
    ScriptedFileDialogs fileDialogs;
    AppContext context;
    ScreenHost screens{context};

private:
    struct Backends;
    std::unique_ptr<Backends> backends_;
};

// The settings file's bytes for three values, as the system writes them.
QByteArray settingsFileContent(const QString& databasePath, const QString& table,
                               const QString& storedSelectText);

} // namespace hakobee::test
