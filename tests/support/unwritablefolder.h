#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace hakobee::test {

// A folder that refuses writes the way a full disk or a read-only file
// system does, for root as well: a small tmpfs is mounted over the folder,
// the test puts its files in, then refuseWrites() fills the file system up
// or remounts it read-only. Where mounting is not allowed (no root), a full
// disk is a file size limit on the process and a read-only folder one
// without write permission. Everything is undone on destruction.
class UnwritableFolder
{
public:
    enum class Refusal
    {
        FullDisk,
        ReadOnly
    };

    explicit UnwritableFolder(QString path) : path_(std::move(path))
    {
        QDir().mkpath(path_);
        const QByteArray target = QFile::encodeName(path_);
        mounted_ = ::mount("hakobee-test", target.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                           "size=256k,mode=0755") == 0;
        if (!mounted_)
            mountError_ = QString::fromLocal8Bit(std::strerror(errno));
    }

    ~UnwritableFolder()
    {
        if (limited_) {
            setrlimit(RLIMIT_FSIZE, &previousLimit_);
            std::signal(SIGXFSZ, previousHandler_);
        }
        if (mounted_)
            ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
        if (permissionsTaken_)
            QFile::setPermissions(path_, previousPermissions_);
    }

    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    // The file that fills the folder's file system up.
    static QString fillerName() { return u".filler"_qs; }

    // Why the folder is not a file system of its own (empty when it is).
    const QString& mountError() const { return mountError_; }
    // True when the refusal can be made: a mount, or a user whom
    // permissions stop.
    bool canRefuse(Refusal refusal) const
    {
        return mounted_ || refusal == Refusal::FullDisk || geteuid() != 0;
    }

    // The system's words for the refusal, as a failed save names it; empty
    // where the refusal is Qt's own (a read-only folder: "not writable").
    QString reason(Refusal refusal) const
    {
        if (refusal == Refusal::ReadOnly)
            return {};
        return QString::fromLocal8Bit(std::strerror(mounted_ ? ENOSPC : EFBIG));
    }

    // From now on writes into the folder fail; reading goes on.
    bool refuseWrites(Refusal refusal)
    {
        if (mounted_ && refusal == Refusal::ReadOnly) {
            return ::mount(nullptr, QFile::encodeName(path_).constData(), nullptr,
                           MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
        }
        if (mounted_)
            return fill();
        if (refusal == Refusal::ReadOnly) {
            previousPermissions_ = QFile::permissions(path_);
            permissionsTaken_ = QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
            return permissionsTaken_;
        }
        getrlimit(RLIMIT_FSIZE, &previousLimit_);
        rlimit limit = previousLimit_;
        limit.rlim_cur = 16;
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        limited_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
        return limited_;
    }

private:
    // Writes a filler file until the file system has no block left.
    bool fill() const
    {
        QFile filler(QDir(path_).filePath(fillerName()));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
        return true;
    }

    QString path_;
    bool mounted_ = false;
    QString mountError_;
    bool limited_ = false;
    rlimit previousLimit_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool permissionsTaken_ = false;
    QFile::Permissions previousPermissions_;
};

} // namespace hakobee::test
