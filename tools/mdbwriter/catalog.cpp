#include "catalog.h"

#include "jetformat.h"

namespace hakobee::mdbwriter {

namespace {

constexpr qint64 TablesContainerId = 0x0F000001;
constexpr qint64 TableObjectType = 1;
constexpr qint64 SystemObjectFlags = qint64(0x80000002) - (qint64(1) << 32); // as a signed Long

} // namespace

QString catalogTableName()
{
    return QStringLiteral("MSysObjects");
}

TableLayout catalogLayout()
{
    const QList<Column> columns{
        {QStringLiteral("Id"), ColumnType::Long},
        {QStringLiteral("ParentId"), ColumnType::Long},
        {QStringLiteral("Name"), ColumnType::Text, 128},
        {QStringLiteral("Type"), ColumnType::Integer},
        {QStringLiteral("DateCreate"), ColumnType::DateTime},
        {QStringLiteral("DateUpdate"), ColumnType::DateTime},
        {QStringLiteral("Flags"), ColumnType::Long},
        // Long binary (OLE Object) in Access; always null here, so laid out
        // like a Memo column and only declared with the OLE type byte.
        {QStringLiteral("LvProp"), ColumnType::Memo},
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
    };
}

} // namespace hakobee::mdbwriter
