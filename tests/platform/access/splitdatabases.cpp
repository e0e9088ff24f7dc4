#include "splitdatabases.h"

#include "mdbwriter/tablelink.h"
#include "testdata/productstable.h"

#include <QDir>
#include <QFile>

namespace hakobee::accessfixtures {

using mdbwriter::TableLink;

namespace {

const QString linkName = QStringLiteral("Master");
const QString foreignName = QStringLiteral("商品マスタ");
// How a failure names the link: as the operator knows it.
const QString namedLink = QStringLiteral("「Master」");

mdbwriter::Table shelf()
{
    mdbwriter::Table table{QStringLiteral("Shelf"),
                           {{QStringLiteral("code"), mdbwriter::ColumnType::Long}},
                           1,
                           {},
                           {},
                           {}};
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
    return QStringLiteral("C:\\Users\\shop\\データ\\back.mdb");
}

QString odbcPassword()
{
    return QStringLiteral("ura-kagi");
}

SplitDatabase writeSplitDatabase(const QString& folder, LinkForm form, qint64 rowCount)
{
    const QDir root(folder);
    root.mkpath(QStringLiteral("front"));
    root.mkpath(QStringLiteral("elsewhere"));
    SplitDatabase split;
    split.frontEnd = root.filePath(QStringLiteral("front/front.mdb"));
    split.rowCount = rowCount;
    const QString beside = root.filePath(QStringLiteral("front/back.mdb"));
    const QString elsewhere = root.filePath(QStringLiteral("elsewhere/back.mdb"));
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
        split.backEnd = root.filePath(QStringLiteral("elsewhere/stock.mdb"));
        mdbwriter::writeDatabase(split.backEnd, {products});
        const TableLink onward{foreignName,
                               QStringLiteral("\\\\server\\share\\stock.mdb"),
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
                QStringLiteral("dbo.Master"),
                QStringLiteral("ODBC;DSN=商品DB;UID=shop;PWD=%1;DATABASE=shop").arg(odbcPassword()),
                TableLink::Kind::Odbc};
        split.failureNames = {namedLink, QStringLiteral("ODBC")};
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
                             QStringLiteral("C:\\Users\\shop\\front.mdb"),
                             linkName,
                             {},
                             TableLink::Kind::AccessFile};
        mdbwriter::writeDatabase(beside, {}, {back});
        split.failureNames = {namedLink, QStringLiteral("->")};
        break;
    }
    }
    mdbwriter::writeDatabase(split.frontEnd, {shelf()}, {link});
    if (split.failureNames.isEmpty() == split.backEnd.isEmpty())
        qFatal("writeSplitDatabase: a form either reads or names its failure");
    return split;
}

} // namespace hakobee::accessfixtures
