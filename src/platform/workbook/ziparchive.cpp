#include "platform/workbook/ziparchive.h"

#include "core/error.h"

#include <QDir>
#include <QFile>

#include <zip.h>

namespace hakobee {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

ZipArchive::ZipArchive(const QString& path) : path_(path)
{
    int code = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive_) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString why = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        throw Error(u"ブック「%1」を開けません。Excel のブック (.xlsx) ではないか、"
                    u"壊れています。\n%2"_qs.arg(shown(path), why));
    }
}

ZipArchive::~ZipArchive()
{
    // Opened read-only: nothing is written back.
    zip_discard(archive_);
}

void ZipArchive::fail(const QString& entry, const QString& why) const
{
    throw Error(u"ブック「%1」の「%2」を読めません。ファイルが壊れています。\n%3"_qs.arg(
        shown(path_), entry, why));
}

bool ZipArchive::contains(const QString& entry) const
{
    return zip_name_locate(archive_, entry.toUtf8().constData(), 0) >= 0;
}

QByteArray ZipArchive::read(const QString& entry) const
{
    Stream stream(*this, entry);
    QByteArray bytes;
    char block[65536];
    while (const qint64 got = stream.read(block, sizeof block))
        bytes.append(block, got);
    return bytes;
}

ZipArchive::Stream::Stream(const ZipArchive& archive, const QString& entry)
    : archive_(archive), entry_(entry)
{
    file_ = zip_fopen(archive.archive_, entry.toUtf8().constData(), 0);
    if (!file_)
        archive.fail(entry, QString::fromUtf8(zip_strerror(archive.archive_)));
}

ZipArchive::Stream::~Stream()
{
    zip_fclose(file_);
}

qint64 ZipArchive::Stream::read(char* data, qint64 size)
{
    const zip_int64_t got = zip_fread(file_, data, zip_uint64_t(size));
    if (got < 0)
        archive_.fail(entry_, QString::fromUtf8(zip_file_strerror(file_)));
    return got;
}

} // namespace hakobee
