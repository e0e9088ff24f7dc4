#pragma once

#include <mdbwriter/mdbwriter.h>
#include <testdata/jancode.h>

#include <QList>
#include <QString>
#include <QStringList>

// An Access file with saved queries, as operators' files hold them, written
// by the project's writer: table Master (bar, hi, mei, as2 Currency, maker)
// and table Maker (code, mname; M1 and M3 share a name, no M9), and these
// queries:
//   Bargains        SELECT TOP 3 Master.bar, Master.hi, [Maker].[mname] & "特価"
//                   AS mei, Master.as2 FROM Master INNER JOIN Maker ON
//                   Master.maker = Maker.code WHERE (((Master.as2)>=100))
//                   ORDER BY Master.as2 DESC
//                   (two products tie at the third price: four rows)
//   BargainsByPrice its rows by price, then barcode: a query on a query
//   メーカー別       Master.bar AS バーコード, Master.hi, Maker.mname, LEFT JOIN
//   Extremes        a union query: the products under 100 and over 400
//   Makers          SELECT DISTINCTROW Maker.mname FROM Maker INNER JOIN Master
//                   ...: each maker with products once (two share a name)
//   RaisePrices     an update query
//   PriceAsked      a parameter query ([上限])
//   UsesPriceAsked  a select query on the parameter query
namespace hakobee::test {

struct SavedQueryProduct
{
    QString bar;
    QString hi;
    QString mei;
    qint64 as2Yen = 0;
    QString maker;
};

// Master's rows in file order, A to H in the tests.
inline QList<SavedQueryProduct> savedQueryProducts()
{
    const auto jan = [](const char* digits) {
        return testdata::withJanCheckDigit(QString::fromLatin1(digits));
    };
    return {
        {jan("490123456789"), u"緑茶"_qs, u"ﾘｮｸﾁｬ"_qs, 300, u"M1"_qs},
        {jan("451234567890"), u"紅茶"_qs, u"ｺｳﾁｬ"_qs, 200, u"M2"_qs},
        {jan("490987654321"), u"おにぎり"_qs, u"ｵﾆｷﾞﾘ"_qs, 150, u"M1"_qs},
        {jan("491234567890"), u"麦茶"_qs, u"ﾑｷﾞﾁｬ"_qs, 150, u"M2"_qs},
        {jan("450000000001"), u"水"_qs, u"ﾐｽﾞ"_qs, 120, u"M1"_qs},
        {jan("450000000002"), u"菓子"_qs, u"ｶｼ"_qs, 500, u"M9"_qs},
        {jan("450000000003"), u"飴"_qs, u"ｱﾒ"_qs, 80, u"M1"_qs},
        {jan("450000000004"), u"塩"_qs, u"ｼｵ"_qs, 110, u"M3"_qs},
    };
}

inline QList<mdbwriter::SavedQuery> savedQueries()
{
    using namespace mdbwriter::querypart;
    using mdbwriter::QueryKind;
    return {
        {u"Bargains"_qs,
         QueryKind::Select,
         {},
         {},
         0x10,
         u"3"_qs,
         {table(u"Master"_qs), table(u"Maker"_qs), column(u"Master.bar"_qs),
          column(u"Master.hi"_qs), column(u"[Maker].[mname] & \"特価\""_qs, u"mei"_qs),
          column(u"Master.as2"_qs),
          join(1, u"Master"_qs, u"Maker"_qs, u"Master.maker = Maker.code"_qs),
          where(u"(((Master.as2)>=100))"_qs), orderBy(u"Master.as2"_qs, true)}},
        {u"BargainsByPrice"_qs,
         QueryKind::Select,
         {},
         {},
         0,
         {},
         {table(u"Bargains"_qs), column(u"Bargains.bar"_qs), column(u"Bargains.hi"_qs),
          column(u"Bargains.mei"_qs), column(u"Bargains.as2"_qs), orderBy(u"Bargains.as2"_qs),
          orderBy(u"Bargains.bar"_qs)}},
        {u"メーカー別"_qs,
         QueryKind::Select,
         {},
         {},
         0,
         {},
         {table(u"Master"_qs), table(u"Maker"_qs), column(u"Master.bar"_qs, u"バーコード"_qs),
          column(u"Master.hi"_qs), column(u"Maker.mname"_qs),
          join(2, u"Master"_qs, u"Maker"_qs, u"Master.maker = Maker.code"_qs),
          orderBy(u"Master.bar"_qs)}},
        {u"Extremes"_qs,
         QueryKind::Union,
         {},
         {},
         0x02,
         {},
         {unionSelect(1, u"SELECT bar, hi, mei, as2 FROM Master WHERE as2 < 100"_qs),
          unionSelect(2, u"SELECT bar, hi, mei, as2 FROM Master WHERE as2 > 400;"_qs),
          orderBy(u"bar"_qs)}},
        {u"Makers"_qs,
         QueryKind::Select,
         {},
         {},
         0x08,
         {},
         {table(u"Maker"_qs), table(u"Master"_qs), column(u"Maker.mname"_qs),
          join(1, u"Maker"_qs, u"Master"_qs, u"Maker.code = Master.maker"_qs),
          orderBy(u"Maker.mname"_qs)}},
        {u"RaisePrices"_qs,
         QueryKind::Update,
         {},
         {},
         0,
         {},
         {table(u"Master"_qs), assignment(u"Master.as2"_qs, u"[as2]*1.1"_qs)}},
        {u"PriceAsked"_qs,
         QueryKind::Select,
         {},
         {},
         0,
         {},
         {parameter(u"上限"_qs, 5), table(u"Master"_qs), column(u"Master.bar"_qs),
          column(u"Master.hi"_qs), column(u"Master.mei"_qs), column(u"Master.as2"_qs),
          where(u"(((Master.as2)<=[上限]))"_qs)}},
        {u"UsesPriceAsked"_qs,
         QueryKind::Select,
         {},
         {},
         0,
         {},
         {table(u"PriceAsked"_qs), column(u"PriceAsked.bar"_qs)}},
    };
}

inline void writeSavedQueryFile(const QString& path,
                                mdbwriter::FileFormat format = mdbwriter::FileFormat::Jet4)
{
    using mdbwriter::ColumnType;
    const QList<SavedQueryProduct> products = savedQueryProducts();
    mdbwriter::Table master;
    master.name = u"Master"_qs;
    master.columns = {{u"bar"_qs, ColumnType::Text, 13},
                      {u"hi"_qs, ColumnType::Text, 50},
                      {u"mei"_qs, ColumnType::Text, 50},
                      {u"as2"_qs, ColumnType::Currency},
                      {u"maker"_qs, ColumnType::Text, 10}};
    master.rowCount = products.size();
    master.rowAt = [products](qint64 row, QList<mdbwriter::Value>& values) {
        const SavedQueryProduct& product = products.at(row);
        values = {product.bar, product.hi, product.mei, product.as2Yen * 10'000, product.maker};
    };
    const QList<QStringList> makers{
        {u"M1"_qs, u"山田"_qs}, {u"M2"_qs, u"佐藤"_qs}, {u"M3"_qs, u"山田"_qs}};
    mdbwriter::Table maker;
    maker.name = u"Maker"_qs;
    maker.columns = {{u"code"_qs, ColumnType::Text, 10}, {u"mname"_qs, ColumnType::Text, 50}};
    maker.rowCount = makers.size();
    maker.rowAt = [makers](qint64 row, QList<mdbwriter::Value>& values) {
        values = {makers.at(row).at(0), makers.at(row).at(1)};
    };
    mdbwriter::FileOptions options;
    options.format = format;
    options.codePage = 932;
    mdbwriter::writeDatabase(path, {master, maker}, savedQueries(), options);
}

} // namespace hakobee::test
