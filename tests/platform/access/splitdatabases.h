#pragma once

#include <QString>
#include <QStringList>

// Split databases for the tests of linked tables: a front end whose table
// "Master" is a link, written with the back end it links from at test time.
namespace hakobee::accessfixtures {

enum class LinkForm
{
    // The link keeps the Windows path it was made with (C:\...\back.mdb);
    // the back end was copied beside the front end.
    BackEndBeside,
    // The link's path is one on this system, in another folder.
    StoredPathExists,
    // The back end itself links the table from a third file (\\server\...).
    ThroughASecondLink,
    // A Windows path, and no such file beside the front end.
    BackEndMissing,
    // A link to an ODBC data source (its connect string holds a password).
    OdbcLink,
    // The back end is there but holds no table of the link's foreign name.
    BackEndLacksTable,
    // The back end is cut short in the middle of a page.
    BackEndDamaged,
    // The back end links the table back to the front end.
    CircularLinks,
};

struct SplitDatabase
{
    QString frontEnd; // in folder/front/
    // The file whose table "商品マスタ" Master reads (empty if none): its
    // rows are testdata's generated products 0 to rowCount - 1.
    QString backEnd;
    qint64 rowCount = 0;
    // What the failure to read Master names (the link as 「Master」); empty
    // when Master reads.
    QStringList failureNames;
};

// Writes the front end (the link Master and a table of its own, "Shelf",
// of one row) and the files it links to under folder.
SplitDatabase writeSplitDatabase(const QString& folder, LinkForm form, qint64 rowCount = 5);

// The Windows path every link here was made with.
QString storedWindowsPath();

// The ODBC link's password, which no message may show.
QString odbcPassword();

} // namespace hakobee::accessfixtures
