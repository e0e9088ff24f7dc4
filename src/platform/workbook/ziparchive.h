#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct zip;
struct zip_file;

namespace hakobee {

// An .xlsx file's zip container, opened read-only through libzip. Every
// failure throws hakobee::Error naming the workbook.
class ZipArchive
{
public:
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    const QString& path() const { return path_; }
    bool contains(const QString& entry) const;
    // A small part (the workbook's catalog, its styles) read whole.
    QByteArray read(const QString& entry) const;

    // One part read a block at a time, uncompressed as it is read: a sheet.
    class Stream
    {
    public:
        Stream(const ZipArchive& archive, const QString& entry);
        ~Stream();
        Stream(const Stream&) = delete;
        Stream& operator=(const Stream&) = delete;
        // Up to `size` bytes; 0 at the end.
        qint64 read(char* data, qint64 size);

    private:
        const ZipArchive& archive_;
        QString entry_;
        zip_file* file_ = nullptr;
    };

private:
    [[noreturn]] void fail(const QString& entry, const QString& why) const;

    QString path_;
    zip* archive_ = nullptr;
};

} // namespace hakobee
