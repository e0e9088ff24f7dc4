#pragma once

#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace hakobee::test {

// A settings root in a temporary folder, with a folder of default copies
// beside it, so tests can start from a missing, a fresh or a damaged
// settings folder.
class SettingsFixture
{
public:
    SettingsFixture() : folder(temp.filePath(u"root"_qs))
    {
        QDir().mkpath(temp.filePath(u"root"_qs));
        QDir().mkpath(defaultsPath());
        folder.setDefaultCopyFolders({defaultsPath()});
    }

    QString defaultsPath() const { return temp.filePath(u"defaults"_qs); }
    QString settingsPath(const QString& fileName) const
    {
        return QDir(temp.filePath(u"root/qvx_ini"_qs)).filePath(fileName);
    }

    // Default copies: a data source, a layout with the given second title,
    // furniture-slip adjustments.
    void writeDefaults(const QString& title2 = u"_"_qs) const
    {
        const QDir dir(defaultsPath());
        writeBytes(dir.filePath(SettingsFiles::general), {});
        replaceSettingsFile(
            dir.filePath(SettingsFiles::dataSource), SettingsColumns::dataSource(),
            {u"/data/default.mdb"_qs, u"Master"_qs, u"select bar,hi,mei,as2 from "_qs});
        writeLayout(dir.filePath(SettingsFiles::layout), title2);
        QStringList slip(99);
        slip[0] = u"/data/slips"_qs;
        slip[1] = u"slip.txt"_qs;
        replaceSettingsFile(dir.filePath(SettingsFiles::printAdjustments),
                            SettingsColumns::printAdjustments(), slip);
    }

    // A settings folder holding the default copies as they would be after a restore.
    void installDefaults(const QString& title2 = u"_"_qs) const
    {
        writeDefaults(title2);
        QDir().mkpath(folder.folderPath());
        for (const QString& name : SettingsFiles::all())
            QFile::copy(QDir(defaultsPath()).filePath(name), settingsPath(name));
    }

    static void writeLayout(const QString& path, const QString& title2)
    {
        replaceSettingsFile(path, SettingsColumns::layout(),
                            {u"ﾗﾍﾞﾙ"_qs, title2, u"9"_qs, u"0"_qs});
    }

    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
    }

    static QByteArray readBytes(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    QTemporaryDir temp;
    SettingsFolder folder;
};

} // namespace hakobee::test
