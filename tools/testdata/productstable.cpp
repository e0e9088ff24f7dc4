#include "productstable.h"

#include "generatedproducts.h"

namespace hakobee::testdata {

using mdbwriter::Column;
using mdbwriter::ColumnType;

QList<Column> productColumns()
{
    return {
        {QStringLiteral("bar"), ColumnType::Text, 50},
        {QStringLiteral("hi"), ColumnType::Text, 255},
        {QStringLiteral("mei"), ColumnType::Text, 255},
        {QStringLiteral("as2"), ColumnType::Currency},
    };
}

mdbwriter::Table generatedProductsTable(const QString& name, qint64 rowCount)
{
    mdbwriter::Table table;
    table.name = name;
    table.columns = productColumns();
    table.rowCount = rowCount;
    table.rowAt = [](qint64 row, QList<mdbwriter::Value>& values) {
        GeneratedProduct product = generatedProduct(row);
        values[0] = std::move(product.barcode);
        values[1] = std::move(product.itemName);
        values[2] = std::move(product.name);
        values[3] = product.priceTimes10000;
    };
    return table;
}

} // namespace hakobee::testdata
