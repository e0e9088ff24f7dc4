#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace hakobee {

class SettingsFolder;

// The first two rows of a settings file: the column names and the values.
struct SettingsRows
{
    QStringList header;
    QStringList data;
};

// Reads the header row and the data row of a settings file, `valuesPerRow`
// values each, taking values one after the other. Only the bytes up to the
// line end that closes the data row (and the last value taken) are decoded:
// whatever follows, a third row or bytes that are no settings text at all,
// is neither read nor checked. Positions listed in `numberPositions` (from 0) are read as
// numbers and given as decimal text; a text that is no number, such as the
// column name in the header row, gives "0". An empty value is "".
// Throws hakobee::Error when the file is missing, unreadable, damaged or
// ends before 2 x valuesPerRow values.
SettingsRows readSettingsRows(const QString& filePath, int valuesPerRow,
                              const QList<int>& numberPositions = {});

// Writes the file anew with the header row and the data row. The new text
// goes to a temporary file in the same folder that is renamed over the old
// file only when completely written, so a failure leaves the old file as it
// was. Values the format cannot hold (a double quote, a line end, characters
// outside Shift-JIS) are refused before anything is written. Throws
// hakobee::Error on refusal or failure.
void replaceSettingsFile(const QString& filePath, const QStringList& header,
                         const QStringList& values);

// Every row of a settings file, the values of each row in order, for files
// that hold more than one data row. Blank lines are left out. Throws
// hakobee::Error, naming the file, when it is missing, unreadable or damaged.
QList<QStringList> readSettingsTable(const QString& filePath);

// Writes the file anew with these rows (the first normally the column
// names), through the same temporary file as replaceSettingsFile, so a
// failure leaves the old file as it was. Values are refused as there.
// Throws hakobee::Error on refusal or failure.
void replaceSettingsTable(const QString& filePath, const QList<QStringList>& rows);

// What restoring the default settings files did.
struct SettingsResetReport
{
    QStringList restored;    // file names copied into the settings folder
    QStringList notRestored; // file names that could not be copied
    QStringList kept;        // paths of the backups of the replaced files
    QStringList problems;    // one sentence per failure, for the operator

    bool complete() const { return notRestored.isEmpty() && problems.isEmpty(); }
    // The line the main menu shows: the restart request, or what failed,
    // followed by the names of the backups kept.
    QString message() const;
};

// The message shown after the settings files were restored.
QString settingsRestoredMessage();

// Creates the settings folder when it is missing and copies the default copy
// of every settings file into it. Each default is looked for in the folder's
// default-copy folders, in order; a data source naming the sample beside its
// copy is restored with the sample's full path (restoredDefaultCopy). A file already there is first
// kept beside itself, byte for byte, as "<name>.<yyyymmdd-hhmmss>.bak" (the time is `now`;
// "<name>.<yyyymmdd-hhmmss>-2.bak" and so on when that name is taken, so backups never overwrite
// each other); a file that holds exactly its default is left as it is. A file whose backup cannot
// be made is not replaced. Failures are reported, never thrown: a missing default copy or a failed
// backup leaves the others restored.
SettingsResetReport resetSettingsFiles(const SettingsFolder& folder,
                                       const QDateTime& now = QDateTime::currentDateTime());

} // namespace hakobee
