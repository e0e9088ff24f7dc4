#include "productdatabase.h"

#include <mdbwriter/mdbwriter.h>

namespace hakobee::test {

QString writeProductDatabase(const QString& path, int rowCount)
{
    using namespace hakobee::mdbwriter;
    Table master;
    master.name = u"Master"_qs;
    master.columns = {
        {u"bar"_qs, ColumnType::Text, 20},
        {u"hi"_qs, ColumnType::Text, 50},
        {u"mei"_qs, ColumnType::Text, 100},
        {u"kakaku"_qs, ColumnType::Currency},
    };
    master.rowCount = rowCount;
    master.rowAt = [](qint64 row, QList<Value>& values) {
        values = {
            QString::number(4901234000000 + row * 10),
            u"商品%1"_qs.arg(row + 1),
            u"ｻﾝﾌﾟﾙ品 %1 号"_qs.arg(row + 1),
            qint64((100 + row) * 10000),
        };
    };
    writeDatabase(path, {master});
    return path;
}

} // namespace hakobee::test
