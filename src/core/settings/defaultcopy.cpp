#include "core/settings/defaultcopy.h"

#include "core/settings/settingscolumns.h"
#include "core/settings/settingsformat.h"

#include <QDir>
#include <QFileInfo>

namespace hakobee {

namespace {

// A name without any folder part, in either platform's spelling.
bool isBareFileName(const QString& value)
{
    return !value.isEmpty() && !value.contains(u'/') && !value.contains(u'\\') &&
           !value.contains(u':') && value != QLatin1String(".") && value != QLatin1String("..");
}

} // namespace

QByteArray restoredDefaultCopy(const QString& copyPath, const QByteArray& bytes)
{
    const QFileInfo copy(copyPath);
    if (copy.fileName().compare(SettingsFiles::dataSource, Qt::CaseInsensitive) != 0)
        return bytes;
    const QString name = QDir::toNativeSeparators(copyPath);
    // Only the header and the data row are read and written again; what
    // follows the data row goes along as it is.
    const QByteArray rowBytes = leadingSettingsRows(bytes, 2);
    QList<QStringList> rows = splitSettingsLines(decodeSettingsText(rowBytes, name), name);
    if (rows.size() < 2 || rows[1].isEmpty() || !isBareFileName(rows[1][0]))
        return bytes;
    rows[1][0] = QDir::toNativeSeparators(copy.absoluteDir().filePath(rows[1][0]));
    return encodeSettingsRow(rows[0]) + encodeSettingsRow(rows[1]) + bytes.mid(rowBytes.size());
}

} // namespace hakobee
