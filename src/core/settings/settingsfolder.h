#pragma once

#include <QString>
#include <QStringList>

namespace hakobee {

// The folder that holds the settings files: "qvx_ini" under a root that is
// C:\ on Windows and the user's home folder elsewhere. The root can be given
// (tests, portable installs, --settings-root); the folder and file names stay.
// Files copied from Windows installations may differ in letter case
// (QVX_INI\NIMBECONFIG2.TXT); an existing name is found whatever its case.
class SettingsFolder
{
public:
    static QString defaultRoot();

    explicit SettingsFolder(QString root = defaultRoot());

    const QString& root() const { return root_; }

    // The folder path; the existing spelling when a folder of another letter
    // case is present.
    QString folderPath() const;
    bool exists() const;

    // Path of a file in the folder; the existing spelling when a file of
    // another letter case is present.
    QString filePath(const QString& fileName) const;

    // Folders searched, in order, for the default copies of the settings
    // files: the working folder, then the program's own folder, unless set.
    QStringList defaultCopyFolders() const;
    void setDefaultCopyFolders(QStringList folders) { defaultCopyFolders_ = std::move(folders); }

private:
    QString root_;
    QStringList defaultCopyFolders_;
};

} // namespace hakobee
