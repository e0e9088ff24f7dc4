#pragma once

#include "mdbwriter/mdbwriter.h"

#include <QString>

// Access files for the backend's tests, written at test time by the
// project's Jet 4 writer.
namespace hakobee::accessfixtures {

// A null QString is written as a null value.
struct Product
{
    QString bar;
    QString hi;
    QString mei;
    qint64 kakakuTimes10000 = 0;
};

// The three products of the query tests, in file order.
QList<Product> threeProducts();

// Table "Master" (bar Text, hi Text, mei Text, kakaku Currency) holding the
// given products, plus an empty table "Empty" of the same columns.
void writeProducts(const QString& path, const QList<Product>& products);

// Table "Master" of the same shape with rowCount generated rows.
void writeManyProducts(const QString& path, qint64 rowCount);

// Table "Master" of the sample database's shape (bar, hi, mei, as2) with
// four products for the query forms: 4901234567894 緑茶 500ml ﾘｮｸﾁｬ 1000;
// 4512345678906 おにぎり 鮭 (null) 1234567; 49123456 消しゴム ｹｼｺﾞﾑ 99.5;
// 4909876543210 Tea & Coffee "tea ＆ ｃｏｆｆｅｅ" 250.
void writeSampleShape(const QString& path);

// Table "AllTypes": one column of every type the writer knows (named after
// the type), row 0 with typical values, row 1 with the extremes, row 2 all
// null; plus a Japanese-named table "商品 マスタ" with a column "品 名".
void writeAllTypes(const QString& path);

// Tables of the sample's shape (bar, hi, mei, as2; testdata's generated
// products) whose data pages hold what Access leaves after deletes and
// updates: deleted rows (reclaimed at the page end or keeping their bytes),
// moved rows (a pointer slot, the row on a later page) and pages where they
// mix with live rows.
enum class SlotPattern
{
    DeletedAtPageStart,
    DeletedBetweenRows,
    DeletedAtPageEnd,
    PageOfDeletedRows,
    MovedRows,
    Mixed,
    AllDeleted,
};

struct SlotPatternTable
{
    mdbwriter::Table table;
    bool hasMovedRows = false; // moved rows are read at their new place
};

SlotPatternTable slotPatternTable(SlotPattern pattern);

// Every deleted row's barcode starts with this; no reader may show one.
QString deletedRowMark();

} // namespace hakobee::accessfixtures
