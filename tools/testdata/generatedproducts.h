#pragma once

#include <QString>

namespace hakobee::testdata {

// One row of the sample's shape (barcode, item name, name, tax-included
// price): varied, realistic Japanese shop products with valid JAN codes,
// derived from the row number alone.
struct GeneratedProduct
{
    QString barcode;  // 13 or 8 digits, check digit included
    QString itemName; // 品名
    QString name;     // 名称, in half-width katakana
    qint64 priceTimes10000 = 0;
};

GeneratedProduct generatedProduct(qint64 row);

} // namespace hakobee::testdata
