#include "platform/access/accessfile.h"

#include "platform/access/accesserrors.h"
#include "platform/access/tablereader.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include <sys/stat.h>

namespace hakobee {

namespace {

constexpr int signatureLength = 0x18;
constexpr int versionOffset = 0x14;
constexpr int catalogDefinitionPage = 2;

// The database definition page (page 0) keeps part of itself RC4-encoded
// under a fixed key: 126 bytes from 0x18 in Jet 3, 128 in Jet 4 and ACE.
constexpr int headerEncodedOffset = 0x18;
constexpr int headerEncodedLengthJet3 = 126;
constexpr int headerEncodedLength = 128;
constexpr int headerBytesNeeded = headerEncodedOffset + headerEncodedLength;
constexpr int databaseKeyOffset = 0x3E;
constexpr int passwordOffset = 0x42;
constexpr int passwordLengthJet3 = 20;
constexpr int passwordLength = 40;
constexpr int creationDateOffset = 0x72;

// Catalog rows that are user tables: type 1, not flagged as system tables.
// Linked tables are type 6 (Access files and ISAM sources) and type 4 (ODBC).
constexpr int catalogTypeTable = 1;
constexpr int catalogTypeOdbcLink = 4;
constexpr int catalogTypeLink = 6;
constexpr quint32 catalogSystemFlags = 0x80000002u;
// Catalog rows of saved queries, and the system table of their definitions.
constexpr int catalogTypeQuery = 5;
const QLatin1String queryDefinitionTable("MSysQueries");

// What a catalog link row points at. Access links to Access files with an
// empty connect string or one of options (";DATABASE=...", ";PWD=...");
// any other leading word names the ISAM driver of another kind of source.
AccessLinkEntry::Kind linkKind(int type, const QString& connect)
{
    if (type == catalogTypeOdbcLink ||
        connect.startsWith(QLatin1String("ODBC;"), Qt::CaseInsensitive))
        return AccessLinkEntry::Kind::Odbc;
    if (connect.isEmpty() || connect.startsWith(QLatin1Char(';')))
        return AccessLinkEntry::Kind::AccessFile;
    return AccessLinkEntry::Kind::OtherSource;
}

// The DATABASE= option of a connect string, for links whose Database column
// is empty.
QString databaseOption(const QString& connect)
{
    for (const QString& option : connect.split(QLatin1Char(';'))) {
        if (option.startsWith(QLatin1String("DATABASE="), Qt::CaseInsensitive))
            return option.mid(9);
    }
    return {};
}

void rc4(unsigned char* bytes, int length, const unsigned char* key, int keyLength)
{
    unsigned char state[256];
    for (int i = 0; i < 256; ++i)
        state[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + state[i] + key[i % keyLength]) & 0xFF;
        std::swap(state[i], state[j]);
    }
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + state[i]) & 0xFF;
        std::swap(state[i], state[j]);
        bytes[n] ^= state[(state[i] + state[j]) & 0xFF];
    }
}

quint32 u32At(const QByteArray& bytes, int at)
{
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
           quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
}

// Why a file cannot be read without its password, from its decoded header;
// empty when it can. A Jet 3 or Jet 4 file whose pages are merely encoded
// (Access's "encrypt database", no password) can be read: libmdb decodes
// its pages. An ACE file with a key is encrypted with its password.
QString protection(QByteArray header, int version, bool& encrypted)
{
    encrypted = false;
    const bool jet3 = version == MDB_VER_JET3;
    static const unsigned char key[] = {0xC7, 0xDA, 0x39, 0x6B};
    rc4(reinterpret_cast<unsigned char*>(header.data()) + headerEncodedOffset,
        jet3 ? headerEncodedLengthJet3 : headerEncodedLength, key, 4);
    if (version >= MDB_VER_ACCDB_2007 && u32At(header, databaseKeyOffset) != 0) {
        encrypted = true;
        return u"the file is encrypted with a password"_qs;
    }
    // The password area holds the password, in Jet 4 and ACE XOR the whole
    // days of the creation date repeated; all zero without a password.
    QByteArray password = header.mid(passwordOffset, jet3 ? passwordLengthJet3 : passwordLength);
    if (!jet3) {
        double created = 0;
        const quint64 bits = quint64(u32At(header, creationDateOffset)) |
                             quint64(u32At(header, creationDateOffset + 4)) << 32;
        std::memcpy(&created, &bits, sizeof created);
        const qint32 days =
            std::isfinite(created) && std::fabs(created) < 2.0e9 ? qint32(std::floor(created)) : 0;
        for (qsizetype i = 0; i < password.size(); ++i)
            password[i] = char(password[i] ^ char((quint32(days) >> (8 * (i % 4))) & 0xFF));
    }
    if (password.count('\0') != password.size())
        return u"the file has a database password"_qs;
    return {};
}

// libmdb decodes Jet 3 text with iconv under the name it gives the file's
// code page, SHIFT-JIS for 932, which lacks the characters Windows adds to
// it (① and the other NEC and IBM characters). Windows's own code pages are
// the ones Access wrote with, so iconv's CPnnn is used where iconv has it.
void useWindowsCodePage(MdbHandle* mdb)
{
    if (!mdb || !IS_JET3(mdb) || !mdb->f)
        return;
    const QByteArray name = "CP" + QByteArray::number(mdb->f->code_page);
    const iconv_t in = iconv_open("UTF-8", name.constData());
    const iconv_t out = iconv_open(name.constData(), "UTF-8");
    if (in == iconv_t(-1) || out == iconv_t(-1)) {
        if (in != iconv_t(-1))
            iconv_close(in);
        if (out != iconv_t(-1))
            iconv_close(out);
        return;
    }
    if (mdb->iconv_in != iconv_t(-1))
        iconv_close(mdb->iconv_in);
    if (mdb->iconv_out != iconv_t(-1))
        iconv_close(mdb->iconv_out);
    mdb->iconv_in = in;
    mdb->iconv_out = out;
}

QString systemMessage(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Page size from the header; 0 when the header is not one of an Access file.
int pageSizeFromHeader(const QByteArray& header, QString& why)
{
    if (header.isEmpty()) {
        why = u"the file is empty (0 bytes)"_qs;
        return 0;
    }
    const bool jet = header.mid(4, 15) == "Standard Jet DB";
    const bool ace = header.mid(4, 15) == "Standard ACE DB";
    if (header.size() < signatureLength || header.left(4) != QByteArray("\0\1\0\0", 4) ||
        !(jet || ace)) {
        why = u"no Jet or ACE database signature at the start of the file"_qs;
        return 0;
    }
    const int version = static_cast<unsigned char>(header.at(versionOffset));
    if (version == MDB_VER_JET3)
        return 2048;
    if (version >= MDB_VER_JET4 && version <= MDB_VER_ACCDB_2019)
        return 4096;
    why = u"unknown Jet version %1"_qs.arg(version);
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
    const QByteArray header = file.read(headerBytesNeeded);
    const qint64 size = file.size();
    file.close();

    QString why;
    const int pageSize = pageSizeFromHeader(header, why);
    if (pageSize == 0)
        throw accesserror::notAccessDatabase(path, why);
    if (header.size() == headerBytesNeeded) {
        bool encrypted = false;
        const QString locked =
            protection(header, static_cast<unsigned char>(header.at(versionOffset)), encrypted);
        if (!locked.isEmpty())
            throw accesserror::passwordProtected(path, encrypted, locked);
    }
    if (size % pageSize != 0) {
        throw accesserror::damaged(
            path,
            u"the file size %1 is not a whole number of %2-byte pages"_qs.arg(size).arg(pageSize));
    }
    const qint64 pages = size / pageSize;
    if (pages <= catalogDefinitionPage) {
        throw accesserror::damaged(
            path, u"the file has %1 pages; the catalog lies on page %2"_qs.arg(pages).arg(
                      catalogDefinitionPage));
    }
    if (pages > 0xFFFFFF)
        throw accesserror::damaged(path, u"the file has more pages than Jet allows"_qs);

    MdbHandlePtr handle(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!handle)
        throw accesserror::notAccessDatabase(path, u"libmdb: mdb_open failed"_qs);
    useWindowsCodePage(handle.get());

    std::unique_ptr<AccessFile> opened(new AccessFile(path, std::move(handle), quint32(pages)));
    opened->readCatalog();
    return opened;
}

AccessFile::AccessFile(QString path, MdbHandlePtr handle, quint32 pageCount)
    : path_(std::move(path)), handle_(std::move(handle)), pageCount_(pageCount)
{
    opened_ = currentVersion();
}

AccessFile::Version AccessFile::currentVersion() const
{
    // The modification time, not the inode's change time: removing the file
    // or renaming another over it changes the latter, and the open file
    // still reads as it did.
    struct stat status
    {};
    if (::fstat(fileno(handle_->f->stream), &status) != 0)
        return {};
#if defined(Q_OS_LINUX)
    return {qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
#else
    return {qint64(status.st_size), qint64(status.st_mtime) * 1'000'000'000};
#endif
}

void AccessFile::checkUnchanged() const
{
    if (!(currentVersion() == opened_))
        throw accesserror::changedWhileRead(path_);
}

MdbHandlePtr AccessFile::newScanHandle() const
{
    MdbHandlePtr handle(mdb_clone_handle(handle_.get()));
    useWindowsCodePage(handle.get());
    return handle;
}

void AccessFile::readCatalog()
{
    const AccessTableEntry catalog{u"MSysObjects"_qs, catalogDefinitionPage};
    try {
        TableReader reader(*this, catalog);
        const int id = reader.columnIndex(u"Id"_qs);
        const int name = reader.columnIndex(u"Name"_qs);
        const int type = reader.columnIndex(u"Type"_qs);
        const int flags = reader.columnIndex(u"Flags"_qs);
        if (id < 0 || name < 0 || type < 0 || flags < 0) {
            throw accesserror::damaged(
                path_, u"the catalog lacks one of its columns Id, Name, Type, Flags"_qs);
        }
        // The reader's values are read as the column's type says; a column
        // of another type than Access gives it is damage, not another form.
        const auto typeOf = [&](int column) {
            return reader.columns().at(column).type;
        };
        if (typeOf(id) != MDB_LONGINT || typeOf(name) != MDB_TEXT || typeOf(type) != MDB_INT ||
            typeOf(flags) != MDB_LONGINT) {
            throw accesserror::damaged(
                path_, u"a catalog column Id, Name, Type or Flags has another type"_qs);
        }
        // The link columns (Text or Memo in Access); a catalog without them
        // simply holds no links.
        const auto linkColumn = [&](const char* columnName) {
            const int column = reader.columnIndex(QString::fromLatin1(columnName));
            if (column >= 0 && typeOf(column) != MDB_TEXT && typeOf(column) != MDB_MEMO) {
                throw accesserror::damaged(path_, u"the catalog column %1 is not text"_qs.arg(
                                                      QString::fromLatin1(columnName)));
            }
            return column;
        };
        const int database = linkColumn("Database");
        const int foreignName = linkColumn("ForeignName");
        const int connect = linkColumn("Connect");
        const auto textOf = [&](int column) {
            return column < 0 || reader.isNull(column) ? QString() : reader.text(column);
        };
        while (reader.next()) {
            if (reader.isNull(id) || reader.isNull(name) || reader.isNull(type))
                continue;
            const quint32 rowFlags = reader.isNull(flags) ? 0 : quint32(reader.integer(flags));
            if (keepQueryRow(reader.text(name), int(reader.integer(type) & 0x7F), rowFlags,
                             reader.integer(id)))
                continue;
            if (rowFlags & catalogSystemFlags)
                continue;
            const int rowType = int(reader.integer(type) & 0x7F);
            if (rowType == catalogTypeTable) {
                tables_.append({reader.text(name), quint32(reader.integer(id)) & 0xFFFFFFu});
            } else if (rowType == catalogTypeLink || rowType == catalogTypeOdbcLink) {
                AccessLinkEntry link;
                link.name = reader.text(name);
                link.connect = textOf(connect);
                link.database = textOf(database);
                link.foreignName = textOf(foreignName);
                link.kind = linkKind(rowType, link.connect);
                if (link.database.isEmpty() && link.kind == AccessLinkEntry::Kind::AccessFile)
                    link.database = databaseOption(link.connect);
                links_.append(link);
            }
        }
    } catch (const TableReader::Damaged& damage) {
        // A damaged catalog makes the whole file unreadable, whichever table
        // the operator meant.
        throw accesserror::damaged(path_, damage.detail());
    }
}

bool AccessFile::keepQueryRow(const QString& name, int type, quint32 flags, qint64 id)
{
    if (type == catalogTypeQuery) {
        queries_.append({name, id, flags});
        return true;
    }
    if (type == catalogTypeTable && (flags & catalogSystemFlags) &&
        name.compare(queryDefinitionTable, Qt::CaseInsensitive) == 0) {
        queryDefinitions_ = {name, quint32(id) & 0xFFFFFFu};
        return true;
    }
    return false;
}

} // namespace hakobee
