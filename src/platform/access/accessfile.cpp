#include "platform/access/accessfile.h"

#include "platform/access/accesserrors.h"
#include "platform/access/tablereader.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace hakobee {

namespace {

constexpr int signatureLength = 0x18;
constexpr int versionOffset = 0x14;
constexpr int catalogDefinitionPage = 2;

// Catalog rows that are user tables: type 1, not flagged as system tables.
constexpr int catalogTypeTable = 1;
constexpr quint32 catalogSystemFlags = 0x80000002u;

QString systemMessage(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Page size from the header; 0 when the header is not one of an Access file.
int pageSizeFromHeader(const QByteArray& header, QString& why)
{
    if (header.isEmpty()) {
        why = QStringLiteral("the file is empty (0 bytes)");
        return 0;
    }
    const bool jet = header.mid(4, 15) == "Standard Jet DB";
    const bool ace = header.mid(4, 15) == "Standard ACE DB";
    if (header.size() < signatureLength || header.left(4) != QByteArray("\0\1\0\0", 4) ||
        !(jet || ace)) {
        why = QStringLiteral("no Jet or ACE database signature at the start of the file");
        return 0;
    }
    const int version = static_cast<unsigned char>(header.at(versionOffset));
    if (version == MDB_VER_JET3)
        return 2048;
    if (version >= MDB_VER_JET4 && version <= MDB_VER_ACCDB_2019)
        return 4096;
    why = QStringLiteral("unknown Jet version %1").arg(version);
    return 0;
}

} // namespace

std::unique_ptr<AccessFile> AccessFile::open(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw accesserror::fileMissing(path, systemMessage(ENOENT));
    if (info.isDir())
        throw accesserror::isFolder(path, systemMessage(EISDIR));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw accesserror::cannotOpen(path, file.errorString());
    const QByteArray header = file.read(signatureLength);
    const qint64 size = file.size();
    file.close();

    QString why;
    const int pageSize = pageSizeFromHeader(header, why);
    if (pageSize == 0)
        throw accesserror::notAccessDatabase(path, why);
    if (size % pageSize != 0) {
        throw accesserror::damaged(
            path, QStringLiteral("the file size %1 is not a whole number of %2-byte pages")
                      .arg(size)
                      .arg(pageSize));
    }
    const qint64 pages = size / pageSize;
    if (pages <= catalogDefinitionPage) {
        throw accesserror::damaged(
            path, QStringLiteral("the file has %1 pages; the catalog lies on page %2")
                      .arg(pages)
                      .arg(catalogDefinitionPage));
    }
    if (pages > 0xFFFFFF)
        throw accesserror::damaged(path, QStringLiteral("the file has more pages than Jet allows"));

    MdbHandlePtr handle(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!handle)
        throw accesserror::notAccessDatabase(path, QStringLiteral("libmdb: mdb_open failed"));

    std::unique_ptr<AccessFile> opened(new AccessFile(path, std::move(handle), quint32(pages)));
    opened->readCatalog();
    return opened;
}

AccessFile::AccessFile(QString path, MdbHandlePtr handle, quint32 pageCount)
    : path_(std::move(path)), handle_(std::move(handle)), pageCount_(pageCount)
{}

MdbHandlePtr AccessFile::newScanHandle() const
{
    return MdbHandlePtr(mdb_clone_handle(handle_.get()));
}

void AccessFile::readCatalog()
{
    const AccessTableEntry catalog{QStringLiteral("MSysObjects"), catalogDefinitionPage};
    try {
        TableReader reader(*this, catalog);
        const int id = reader.columnIndex(QStringLiteral("Id"));
        const int name = reader.columnIndex(QStringLiteral("Name"));
        const int type = reader.columnIndex(QStringLiteral("Type"));
        const int flags = reader.columnIndex(QStringLiteral("Flags"));
        if (id < 0 || name < 0 || type < 0 || flags < 0) {
            throw accesserror::damaged(
                path_,
                QStringLiteral("the catalog lacks one of its columns Id, Name, Type, Flags"));
        }
        while (reader.next()) {
            if (reader.isNull(id) || reader.isNull(name) || reader.isNull(type))
                continue;
            const quint32 rowFlags = reader.isNull(flags) ? 0 : quint32(reader.integer(flags));
            if ((reader.integer(type) & 0x7F) != catalogTypeTable ||
                (rowFlags & catalogSystemFlags))
                continue;
            tables_.append({reader.text(name), quint32(reader.integer(id)) & 0xFFFFFFu});
        }
    } catch (const TableReader::Damaged& damage) {
        // A damaged catalog makes the whole file unreadable, whichever table
        // the operator meant.
        throw accesserror::damaged(path_, damage.detail());
    }
}

} // namespace hakobee
