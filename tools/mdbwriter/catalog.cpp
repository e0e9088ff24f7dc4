#include "catalog.h"

#include "jetformat.h"

namespace hakobee::mdbwriter {

namespace {

constexpr qint64 TablesContainerId = 0x0F000001;
constexpr qint64 TableObjectType = 1;
constexpr qint64 SystemObjectFlags = qint64(0x80000002) - (qint64(1) << 32); // as a signed Long
constexpr qint64 OdbcLinkObjectType = 4;
constexpr qint64 LinkObjectType = 6;
// The flags Access gives the two kinds of link.
constexpr qint64 LinkObjectFlags = 0x00200000;
constexpr qint64 OdbcLinkObjectFlags = 0x20100000;
// A link has no definition page; Access numbers links from the lowest Long
// up, where no page number lies.
constexpr qint64 FirstLinkId = -(qint64(1) << 31) + 10;

} // namespace

QString catalogTableName()
{
    return u"MSysObjects"_qs;
}

TableLayout catalogLayout()
{
    const QList<Column> columns{
        {u"Id"_qs, ColumnType::Long},
        {u"ParentId"_qs, ColumnType::Long},
        {u"Name"_qs, ColumnType::Text, 128},
        {u"Type"_qs, ColumnType::Integer},
        {u"DateCreate"_qs, ColumnType::DateTime},
        {u"DateUpdate"_qs, ColumnType::DateTime},
        {u"Flags"_qs, ColumnType::Long},
        {u"Database"_qs, ColumnType::Memo},
        {u"Connect"_qs, ColumnType::Memo},
        {u"ForeignName"_qs, ColumnType::Text, 255},
        // Long binary (OLE Object) in Access; always null here, so laid out
        // like a Memo column and only declared with the OLE type byte.
        {u"LvProp"_qs, ColumnType::Memo},
    };
    TableLayout layout = layoutTable(catalogTableName(), columns);
    layout.columns.back().typeCode = jet::OleCode;
    return layout;
}

QList<Value> catalogRow(const CatalogEntry& entry, const QDateTime& created)
{
    return {
        qint64(entry.definitionPage),
        TablesContainerId,
        entry.name,
        TableObjectType,
        created,
        created,
        entry.systemTable ? SystemObjectFlags : qint64(0),
        std::monostate{},
        std::monostate{},
        std::monostate{},
        std::monostate{},
    };
}

QList<Value> catalogLinkRow(const TableLink& link, int position, const QDateTime& created)
{
    const bool odbc = link.kind == TableLink::Kind::Odbc;
    const auto textOrNull = [](const QString& text) {
        return text.isEmpty() ? Value{} : Value{text};
    };
    return {
        FirstLinkId + position,
        TablesContainerId,
        link.name,
        odbc ? OdbcLinkObjectType : LinkObjectType,
        created,
        created,
        odbc ? OdbcLinkObjectFlags : LinkObjectFlags,
        textOrNull(link.database),
        textOrNull(link.connect),
        textOrNull(link.foreignName),
        std::monostate{},
    };
}

} // namespace hakobee::mdbwriter
