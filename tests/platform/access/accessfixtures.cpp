#include "accessfixtures.h"

#include "testdata/generatedproducts.h"
#include "testdata/productstable.h"

#include <limits>

namespace hakobee::accessfixtures {

using mdbwriter::Column;
using mdbwriter::ColumnType;
using mdbwriter::RowSlots;
using mdbwriter::Table;
using mdbwriter::Value;

namespace {

QList<Column> productColumns()
{
    return {{u"bar"_qs, ColumnType::Text, 50},
            {u"hi"_qs, ColumnType::Text, 255},
            {u"mei"_qs, ColumnType::Text, 255},
            {u"kakaku"_qs, ColumnType::Currency}};
}

Table productTable(const QString& name, const QList<Product>& products)
{
    Table table{name, productColumns(), products.size(), {}, {}, {}};
    table.rowAt = [products](qint64 row, QList<Value>& values) {
        const Product& product = products.at(row);
        // A null QString is a null value.
        const QString texts[] = {product.bar, product.hi, product.mei};
        for (int i = 0; i < 3; ++i) {
            if (!texts[i].isNull())
                values[i] = texts[i];
        }
        values[3] = product.kakakuTimes10000;
    };
    return table;
}

} // namespace

QList<Product> threeProducts()
{
    return {{u"4901234567894"_qs, u"緑茶 500ml"_qs, u"ﾘｮｸﾁｬ"_qs, 1000'0000},
            {u"4512345678906"_qs, u"おにぎり 鮭"_qs, u"ｵﾆｷﾞﾘ ｻｹ"_qs, 99'5000},
            {u"49123456"_qs, u"消しゴム"_qs, u"ｹｼｺﾞﾑ"_qs, 250'0000}};
}

void writeProducts(const QString& path, const QList<Product>& products)
{
    mdbwriter::writeDatabase(path,
                             {productTable(u"Master"_qs, products), productTable(u"Empty"_qs, {})});
}

void writeManyProducts(const QString& path, qint64 rowCount)
{
    Table table{u"Master"_qs, productColumns(), rowCount, {}, {}, {}};
    table.rowAt = [](qint64 row, QList<Value>& values) {
        values[0] = u"49%1"_qs.arg(row, 11, 10, QLatin1Char('0'));
        values[1] = u"商品 %1"_qs.arg(row);
        values[2] = u"ｼｮｳﾋﾝ %1"_qs.arg(row);
        values[3] = qint64(row * 10000 + 5000);
    };
    mdbwriter::writeDatabase(path, {table});
}

void writeSampleShape(const QString& path)
{
    const QList<QList<Value>> rows{
        {u"4901234567894"_qs, u"緑茶 500ml"_qs, u"ﾘｮｸﾁｬ"_qs, qint64(1000'0000)},
        {u"4512345678906"_qs, u"おにぎり 鮭"_qs, Value{}, qint64(1234567'0000)},
        {u"49123456"_qs, u"消しゴム"_qs, u"ｹｼｺﾞﾑ"_qs, qint64(99'5000)},
        {u"4909876543210"_qs, u"Tea & Coffee"_qs, u"tea ＆ ｃｏｆｆｅｅ"_qs, qint64(250'0000)},
    };
    Table table{u"Master"_qs, testdata::productColumns(), rows.size(), {}, {}, {}};
    table.rowAt = [rows](qint64 row, QList<Value>& values) {
        values = rows.at(row);
    };
    mdbwriter::writeDatabase(path, {table});
}

void writeAllTypes(const QString& path)
{
    const QList<Column> columns = {
        {u"Byte"_qs, ColumnType::Byte},
        {u"Integer"_qs, ColumnType::Integer},
        {u"Long"_qs, ColumnType::Long},
        {u"Currency"_qs, ColumnType::Currency},
        {u"Single"_qs, ColumnType::Single},
        {u"Double"_qs, ColumnType::Double},
        {u"DateTime"_qs, ColumnType::DateTime},
        {u"YesNo"_qs, ColumnType::YesNo},
        {u"Text"_qs, ColumnType::Text, 255},
        {u"Memo"_qs, ColumnType::Memo},
        {u"Decimal"_qs, ColumnType::Decimal, 255, 18, 4},
    };
    Table allTypes{u"AllTypes"_qs, columns, 3, {}, {}, {}};
    allTypes.rowAt = [](qint64 row, QList<Value>& values) {
        if (row == 0) {
            values[0] = qint64(7);
            values[1] = qint64(-1234);
            values[2] = qint64(123456789);
            values[3] = qint64(1234'5000);
            values[4] = double(1.1f);
            values[5] = 0.1 + 0.2;
            values[6] = QDateTime(QDate(2024, 3, 5), QTime(9, 7, 5));
            values[7] = true;
            values[8] = u"ｱｲｳ 漢字 ABC"_qs;
            values[9] = u"メモ 一行目\r\n二行目"_qs;
            values[10] = qint64(-12'5000);
        } else if (row == 1) {
            values[0] = qint64(255);
            values[1] = qint64(-32768);
            values[2] = qint64(std::numeric_limits<qint32>::min());
            values[3] = std::numeric_limits<qint64>::max();
            values[4] = double(-3.4e38f);
            values[5] = 1.0 / 3;
            values[6] = QDateTime(QDate(1899, 12, 30), QTime(23, 59, 59));
            values[7] = false;
            values[8] = QString(255, QChar(0x9AD9)); // 髙, 255 times
            QString memo;
            for (int i = 0; memo.size() < 10'000; ++i)
                memo += u"%1行目、"_qs.arg(i);
            values[9] = memo.left(10'000);
            values[10] = qint64(123456789012345678);
        }
    };
    Table japanese{u"商品 マスタ"_qs,
                   {{u"品 名"_qs, ColumnType::Text, 50}, {u"値段"_qs, ColumnType::Currency}},
                   2,
                   {},
                   {},
                   {}};
    japanese.rowAt = [](qint64 row, QList<Value>& values) {
        values[0] = row == 0 ? u"りんご"_qs : u"みかん"_qs;
        values[1] = qint64(row == 0 ? 1 : 0);
    };
    mdbwriter::writeDatabase(path, {allTypes, japanese});
}

QString deletedRowMark()
{
    return u"DELETED"_qs;
}

namespace {

// A deleted row keeping its bytes: the shape's values, marked.
QList<Value> deletedRow(qint64 n)
{
    return {deletedRowMark() + QString::number(n), u"削除済みの行 %1"_qs.arg(n), u"ｻｸｼﾞｮｽﾞﾐ"_qs,
            qint64(n * 10000)};
}

// A deleted row whose space was reclaimed.
const QList<Value> reclaimed;

RowSlots mixedSlots(qint64 row)
{
    RowSlots slots_;
    slots_.newPage = row % 50 == 0;
    if (row % 5 == 1)
        slots_.deletedBefore.append(deletedRow(row));
    if (row % 11 == 0)
        slots_.deletedBefore.append(reclaimed);
    if (row == 120) {
        slots_.newPage = true;
        slots_.deletedBefore = {deletedRow(row), reclaimed, deletedRow(row + 1000)};
        slots_.deletedEndPage = true;
    }
    slots_.moved = row % 7 == 3;
    return slots_;
}

} // namespace

SlotPatternTable slotPatternTable(SlotPattern pattern)
{
    SlotPatternTable result;
    Table& table = result.table;
    table.name = u"Master"_qs;
    table.columns = testdata::productColumns();
    table.rowAt = [](qint64 row, QList<Value>& values) {
        const testdata::GeneratedProduct product = testdata::generatedProduct(row);
        values = {product.barcode, product.itemName, product.name, product.priceTimes10000};
    };
    switch (pattern) {
    case SlotPattern::DeletedAtPageStart:
        // Slots 0 and 1 reclaimed (offsets equal the page size), then pages
        // whose first slot is deleted, reclaimed or keeping its bytes.
        table.rowCount = 30;
        table.slotsAt = [](qint64 row) {
            RowSlots slots_;
            if (row == 0)
                slots_.deletedBefore = {reclaimed, reclaimed};
            if (row == 10)
                slots_ = {true, {reclaimed}};
            if (row == 20)
                slots_ = {true, {deletedRow(row)}};
            return slots_;
        };
        break;
    case SlotPattern::DeletedBetweenRows:
        table.rowCount = 30;
        table.slotsAt = [](qint64 row) {
            RowSlots slots_;
            if (row == 3 || row == 7)
                slots_.deletedBefore = {deletedRow(row)};
            if (row == 5)
                slots_.deletedBefore = {reclaimed};
            if (row == 9)
                slots_.deletedBefore = {reclaimed, deletedRow(row), reclaimed};
            return slots_;
        };
        break;
    case SlotPattern::DeletedAtPageEnd:
        table.rowCount = 20;
        table.slotsAt = [](qint64 row) {
            RowSlots slots_;
            if (row == 10) {
                slots_.deletedBefore = {deletedRow(row), reclaimed};
                slots_.deletedEndPage = true;
            }
            return slots_;
        };
        table.deletedAfterLastRow = {deletedRow(99), reclaimed, reclaimed};
        break;
    case SlotPattern::PageOfDeletedRows:
        table.rowCount = 20;
        table.slotsAt = [](qint64 row) {
            RowSlots slots_;
            if (row == 10)
                slots_ = {true, {deletedRow(row), reclaimed, deletedRow(row + 100)}, true};
            return slots_;
        };
        break;
    case SlotPattern::MovedRows:
        // Rows 2 and 5 move to the next page, where the rows go on from 10.
        table.rowCount = 30;
        table.slotsAt = [](qint64 row) {
            RowSlots slots_;
            slots_.moved = row == 2 || row == 5 || row == 12 || row == 29;
            slots_.newPage = row == 10;
            return slots_;
        };
        result.hasMovedRows = true;
        break;
    case SlotPattern::Mixed:
        table.rowCount = 400;
        table.slotsAt = mixedSlots;
        table.deletedAfterLastRow = {deletedRow(9999), reclaimed};
        result.hasMovedRows = true;
        break;
    case SlotPattern::AllDeleted:
        table.rowCount = 0;
        table.deletedAfterLastRow = {deletedRow(1), reclaimed, deletedRow(2)};
        break;
    }
    return result;
}

} // namespace hakobee::accessfixtures
