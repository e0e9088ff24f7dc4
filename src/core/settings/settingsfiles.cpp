#include "core/settings/settingsfiles.h"

#include "core/error.h"
#include "core/settings/defaultcopy.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace hakobee {

namespace {

QString displayName(const QString& filePath)
{
    return QDir::toNativeSeparators(filePath);
}

QByteArray readWholeFile(const QString& filePath)
{
    const QFileInfo info(filePath);
    if (info.isDir())
        throw Error(
            u"設定ファイル %1 の場所にフォルダーがあります。"_qs.arg(displayName(filePath)));
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            u"設定ファイル %1 を開けません。%2"_qs.arg(displayName(filePath), file.errorString()));
    return file.readAll();
}

// Writes the bytes to the path through a temporary file in the same folder.
void writeFileSafely(const QString& filePath, const QByteArray& bytes)
{
    if (QFileInfo(filePath).isDir())
        throw Error(u"設定ファイル %1 の場所にフォルダーがあるため書き込めません。"_qs.arg(
            displayName(filePath)));
    QSaveFile file(filePath);
    // Unbuffered, so a short write (full disk, size limit) shows in write()'s
    // result; a buffered QSaveFile loses it at the flush and commits a cut file.
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const bool written = opened && file.write(bytes) == bytes.size();
    // The reason is taken before cancelling, which replaces it with its own
    // ("Writing canceled by application" instead of "No space left on device").
    QString reason = file.errorString();
    if (opened && !written)
        file.cancelWriting();
    if (written && !file.commit())
        reason = file.errorString();
    else if (written)
        return;
    throw Error(u"設定ファイル %1 を書き込めません。元のファイルはそのままです。%2"_qs.arg(
        displayName(filePath), reason));
}

// Makes sure the bytes are on the disk before the caller goes on.
bool syncToDisk(QFile& file)
{
    if (!file.flush())
        return false;
#if defined(Q_OS_UNIX)
    return ::fsync(file.handle()) == 0;
#else
    // QFile offers no sync of its own: flushed is what we get here.
    return true;
#endif
}

// Writes the bytes to a new file at the path; never replaces an existing
// one. Returns false when the name is taken; throws hakobee::Error when the
// file cannot be written (and leaves nothing behind).
bool writeNewFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink())
            return false;
        throw Error(u"%1 を作成できません。%2"_qs.arg(displayName(path), file.errorString()));
    }
    const bool written = file.write(bytes) == bytes.size() && syncToDisk(file);
    const QString reason = file.errorString();
    file.close();
    // Read back: a backup is only trusted when it holds the very bytes.
    bool readBack = false;
    try {
        readBack = written && readWholeFile(path) == bytes;
    } catch (const Error&) {
        readBack = false;
    }
    if (!readBack) {
        QFile::remove(path);
        throw Error(u"%1 を書き込めません。%2"_qs.arg(displayName(path), reason));
    }
    return true;
}

// Keeps the file's bytes beside it as "<name>.<stamp>.bak", or with "-2",
// "-3", ... before ".bak" when that name is taken. Returns the backup's path.
QString keepBackup(const QString& filePath, const QByteArray& bytes, const QString& stamp)
{
    constexpr int mostTries = 1000;
    for (int number = 1; number <= mostTries; ++number) {
        const QString suffix = number == 1 ? QString() : u"-%1"_qs.arg(number);
        const QString path = u"%1.%2%3.bak"_qs.arg(filePath, stamp, suffix);
        if (writeNewFile(path, bytes))
            return path;
    }
    throw Error(
        u"%1.%2.bak という名前の控えがすでに多すぎます。"_qs.arg(displayName(filePath), stamp));
}

QString numberText(const QString& text)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    return ok ? QString::number(number) : u"0"_qs;
}

} // namespace

SettingsRows readSettingsRows(const QString& filePath, int valuesPerRow,
                              const QList<int>& numberPositions)
{
    const QString name = displayName(filePath);
    const QByteArray rowBytes = leadingSettingsRows(readWholeFile(filePath), 2, 2 * valuesPerRow);
    const QList<SettingsValue> values =
        splitSettingsValues(decodeSettingsText(rowBytes, name), name);
    if (values.size() < 2 * valuesPerRow)
        throw Error(
            u"設定ファイル %1 の値が足りません（見出し行とデータ行に %2 個ずつ必要です）。"_qs
                .arg(name)
                .arg(valuesPerRow));
    SettingsRows rows;
    for (int row = 0; row < 2; ++row) {
        QStringList& target = row == 0 ? rows.header : rows.data;
        for (int position = 0; position < valuesPerRow; ++position) {
            const QString& text = values[row * valuesPerRow + position].text;
            target.append(numberPositions.contains(position) ? numberText(text) : text);
        }
    }
    return rows;
}

void replaceSettingsFile(const QString& filePath, const QStringList& header,
                         const QStringList& values)
{
    if (header.size() != values.size())
        throw Error(u"設定ファイル %1 の列の数 (%2) と値の数 (%3) が合いません。"_qs
                        .arg(displayName(filePath))
                        .arg(header.size())
                        .arg(values.size()));
    const QByteArray bytes = encodeSettingsRow(header) + encodeSettingsRow(values);
    writeFileSafely(filePath, bytes);
}

QList<QStringList> readSettingsTable(const QString& filePath)
{
    const QString name = displayName(filePath);
    QList<QStringList> rows =
        splitSettingsLines(decodeSettingsText(readWholeFile(filePath), name), name);
    rows.removeIf([](const QStringList& row) { return row.size() == 1 && row.first().isEmpty(); });
    return rows;
}

void replaceSettingsTable(const QString& filePath, const QList<QStringList>& rows)
{
    QByteArray bytes;
    for (const QStringList& row : rows)
        bytes += encodeSettingsRow(row);
    writeFileSafely(filePath, bytes);
}

QString settingsRestoredMessage()
{
    return u"設定ファイルが初期化されました。ソフトを再起動してください。"_qs;
}

QString SettingsResetReport::message() const
{
    QString text = complete() ? settingsRestoredMessage() : problems.join(u' ');
    if (!kept.isEmpty()) {
        QStringList names;
        for (const QString& path : kept)
            names.append(QFileInfo(path).fileName());
        text +=
            u" 元のファイルは同じフォルダーに控えとして残しました: %1"_qs.arg(names.join(u", "_qs));
    }
    return text;
}

SettingsResetReport resetSettingsFiles(const SettingsFolder& folder, const QDateTime& now)
{
    SettingsResetReport report;
    if (!folder.exists() && !QDir().mkpath(folder.folderPath())) {
        report.notRestored = SettingsFiles::all();
        report.problems.append(
            u"設定フォルダー %1 を作成できません。"_qs.arg(displayName(folder.folderPath())));
        return report;
    }
    const QString stamp = now.toString(u"yyyyMMdd-HHmmss"_qs);
    const QStringList searched = folder.defaultCopyFolders();
    for (const QString& name : SettingsFiles::all()) {
        QString source;
        for (const QString& candidate : searched) {
            if (QFileInfo(QDir(candidate).filePath(name)).isFile()) {
                source = QDir(candidate).filePath(name);
                break;
            }
        }
        if (source.isEmpty()) {
            report.notRestored.append(name);
            report.problems.append(u"設定ファイル %1 の初期値が見つかりません。"_qs.arg(name));
            continue;
        }
        QByteArray defaults;
        try {
            defaults = restoredDefaultCopy(source, readWholeFile(source));
        } catch (const Error& error) {
            report.notRestored.append(name);
            report.problems.append(error.description());
            continue;
        }
        const QString target = folder.filePath(name);
        if (QFileInfo(target).isFile()) {
            try {
                const QByteArray old = readWholeFile(target);
                if (old == defaults) {
                    // Nothing the operator had would change.
                    report.restored.append(name);
                    continue;
                }
                report.kept.append(keepBackup(target, old, stamp));
            } catch (const Error& error) {
                report.notRestored.append(name);
                report.problems.append(
                    u"設定ファイル %1 の控えを作れないため、初期値に戻していません"
                    u"（元のファイルはそのままです）。%2"_qs.arg(displayName(target),
                                                                 error.description()));
                continue;
            }
        }
        try {
            writeFileSafely(target, defaults);
            report.restored.append(name);
        } catch (const Error& error) {
            report.notRestored.append(name);
            report.problems.append(error.description());
        }
    }
    return report;
}

} // namespace hakobee
