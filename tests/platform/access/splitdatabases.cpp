#include "splitdatabases.h"

#include "mdbwriter/tablelink.h"
#include "testdata/productstable.h"

#include <QDir>
#include <QFile>

namespace hakobee::accessfixtures {

using mdbwriter::TableLink;

namespace {

const QString linkName = u"Master"_qs;
const QString foreignName = u"商品マスタ"_qs;
// How a failure names the link: as the operator knows it.
const QString namedLink = u"「Master」"_qs;

mdbwriter::Table shelf()
{
    mdbwriter::Table table{u"Shelf"_qs, {{u"code"_qs, mdbwriter::ColumnType::Long}}, 1, {}, {}, {}};
    table.rowAt = [](qint64, QList<mdbwriter::Value>& values) {
        values[0] = qint64(7);
    };
    return table;
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString storedWindowsPath()
{
    return u"C:\\Users\\shop\\データ\\back.mdb"_qs;
}

QString odbcPassword()
{
    return u"ura-kagi"_qs;
}

SplitDatabase writeSplitDatabase(const QString& folder, LinkForm form, qint64 rowCount)
{
    const QDir root(folder);
    root.mkpath(u"front"_qs);
    root.mkpath(u"elsewhere"_qs);
    SplitDatabase split;
    split.frontEnd = root.filePath(u"front/front.mdb"_qs);
    split.rowCount = rowCount;
    const QString beside = root.filePath(u"front/back.mdb"_qs);
    const QString elsewhere = root.filePath(u"elsewhere/back.mdb"_qs);
    const mdbwriter::Table products = testdata::generatedProductsTable(foreignName, rowCount);

    TableLink link{linkName, storedWindowsPath(), foreignName, {}, TableLink::Kind::AccessFile};
    switch (form) {
    case LinkForm::BackEndBeside:
        mdbwriter::writeDatabase(beside, {products});
        split.backEnd = beside;
        break;
    case LinkForm::StoredPathExists:
        link.database = elsewhere;
        mdbwriter::writeDatabase(elsewhere, {products});
        split.backEnd = elsewhere;
        break;
    case LinkForm::ThroughASecondLink: {
        link.database = elsewhere;
        split.backEnd = root.filePath(u"elsewhere/stock.mdb"_qs);
        mdbwriter::writeDatabase(split.backEnd, {products});
        const TableLink onward{foreignName,
                               u"\\\\server\\share\\stock.mdb"_qs,
                               foreignName,
                               {},
                               TableLink::Kind::AccessFile};
        mdbwriter::writeDatabase(elsewhere, {shelf()}, {onward});
        break;
    }
    case LinkForm::BackEndMissing:
        split.failureNames = {namedLink, storedWindowsPath(), native(beside)};
        break;
    case LinkForm::OdbcLink:
        link = {linkName,
                {},
                u"dbo.Master"_qs,
                u"ODBC;DSN=商品DB;UID=shop;PWD=%1;DATABASE=shop"_qs.arg(odbcPassword()),
                TableLink::Kind::Odbc};
        split.failureNames = {namedLink, u"ODBC"_qs};
        break;
    case LinkForm::BackEndLacksTable:
        mdbwriter::writeDatabase(beside, {testdata::generatedProductsTable(linkName, rowCount)});
        split.failureNames = {namedLink, foreignName, native(beside)};
        break;
    case LinkForm::BackEndDamaged: {
        mdbwriter::writeDatabase(beside, {products});
        QFile file(beside);
        file.resize(file.size() - 100);
        split.failureNames = {namedLink, native(beside)};
        break;
    }
    case LinkForm::CircularLinks: {
        const TableLink back{foreignName,
                             u"C:\\Users\\shop\\front.mdb"_qs,
                             linkName,
                             {},
                             TableLink::Kind::AccessFile};
        mdbwriter::writeDatabase(beside, {}, {back});
        split.failureNames = {namedLink, u"->"_qs};
        break;
    }
    }
    mdbwriter::writeDatabase(split.frontEnd, {shelf()}, {link});
    if (split.failureNames.isEmpty() == split.backEnd.isEmpty())
        qFatal("writeSplitDatabase: a form either reads or names its failure");
    return split;
}

} // namespace hakobee::accessfixtures
