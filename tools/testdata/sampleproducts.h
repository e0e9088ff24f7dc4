#pragma once

#include "mdbwriter/mdbwriter.h"

#include <QList>
#include <QString>

namespace hakobee::testdata {

// The products of the sample database that ships with the program: a shop's
// shelf of drinks, snacks, stationery and daily goods.
struct SampleProduct
{
    QString barcode;  // JAN: 13 digits, or 8 for small items
    QString itemName; // 品名
    QString name;     // 名称
    qint64 priceYen = 0;
};

const QList<SampleProduct>& sampleProducts();

// Table Master (bar, hi, mei, as2) holding the sample products.
mdbwriter::Table sampleTable();

} // namespace hakobee::testdata
