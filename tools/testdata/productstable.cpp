#include "productstable.h"

#include "generatedproducts.h"

namespace hakobee::testdata {

using mdbwriter::Column;
using mdbwriter::ColumnType;

QList<Column> productColumns()
{
    return {
        {u"bar"_qs, ColumnType::Text, 50},
        {u"hi"_qs, ColumnType::Text, 255},
        {u"mei"_qs, ColumnType::Text, 255},
        {u"as2"_qs, ColumnType::Currency},
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
