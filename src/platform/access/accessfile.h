#pragma once

#include "platform/access/mdbhandle.h"

#include <QList>
#include <QString>

#include <memory>

namespace hakobee {

// A user table as the file's catalog lists it.
struct AccessTableEntry
{
    QString name;
    quint32 definitionPage = 0;
};

// A saved query as the file's catalog lists it: its definition lies in the
// rows of MSysQueries that carry its object id (savedqueries.h).
struct AccessQueryEntry
{
    QString name;
    qint64 objectId = 0;
    quint32 flags = 0; // the catalog's Flags: the query's kind in 0xF0
};

// A table the file's catalog links from another database: its rows live
// there, under foreignName. Access keeps links to Access files and to the
// other sources Jet reads through an ISAM driver (Excel, text, dBASE) as
// one catalog type, links to ODBC data sources as another.
struct AccessLinkEntry
{
    enum class Kind
    {
        AccessFile, // database is an .mdb or .accdb path
        Odbc,       // connect names an ODBC data source
        OtherSource // connect names an ISAM driver ("Excel 8.0;...", "Text;...")
    };

    QString name;        // the name the table is known by in this file
    QString database;    // the linked file's path as stored (often a Windows path)
    QString foreignName; // the table's name in the linked database
    QString connect;     // the connect string as stored; empty for most Access links
    Kind kind = Kind::AccessFile;
};

// An Access database file opened read-only with libmdb. The file is checked
// before libmdb sees it (a folder, an empty or foreign file, a file cut short
// are each reported as such), and the catalog (its tables and the tables it
// links from other databases) is read by this system's own row reader, so
// that damaged catalog rows give an error instead of reaching libmdb's
// property parser.
class AccessFile
{
public:
    // Throws hakobee::Error describing why the file cannot be read.
    static std::unique_ptr<AccessFile> open(const QString& path);

    const QString& path() const { return path_; }
    const QList<AccessTableEntry>& tables() const { return tables_; }
    const QList<AccessQueryEntry>& queries() const { return queries_; }
    // The system table MSysQueries that holds the queries' definitions; its
    // definition page is 0 when the catalog lists none.
    const AccessTableEntry& queryDefinitions() const { return queryDefinitions_; }
    const QList<AccessLinkEntry>& links() const { return links_; }
    // Pages in the file; no valid page number is this large.
    quint32 pageCount() const { return pageCount_; }

    // A handle with its own page buffers over the same open file, for one
    // scan of one table; scans on the same file do not disturb each other.
    MdbHandlePtr newScanHandle() const;

    // Throws hakobee::Error when the open file was written over since it was
    // opened (a copy tool replacing it in place): pages read before and after
    // that belong to two different databases. A file removed or renamed
    // over stays what was opened, and reads on.
    void checkUnchanged() const;

private:
    // What tells one version of the open file from another.
    struct Version
    {
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds
        bool operator==(const Version&) const = default;
    };

    AccessFile(QString path, MdbHandlePtr handle, quint32 pageCount);
    void readCatalog();
    bool keepQueryRow(const QString& name, int type, quint32 flags, qint64 id);
    Version currentVersion() const;

    QString path_;
    MdbHandlePtr handle_;
    quint32 pageCount_ = 0;
    Version opened_;
    QList<AccessTableEntry> tables_;
    QList<AccessQueryEntry> queries_;
    AccessTableEntry queryDefinitions_;
    QList<AccessLinkEntry> links_;
};

} // namespace hakobee
