#pragma once

#include "core/datasource/database.h"

#include <QString>
#include <QStringList>

// What the test server's seeded tables (postgresserver.h) read as through
// any server backend: the products as the labels print them, and the 1,234
// rows of `many` streamed in order past the first blocks.
namespace hakobee::test {

inline const QString seededProductsQuery =
    u"select jan, jan_text, hinmei, meisho, price, price_numeric, on_sale, updated　from "
    u"products order by id"_qs;

// The rows of seededProductsQuery as joinedQueryRows (queryrows.h) gives them.
inline QStringList seededProductTexts()
{
    return {
        u"4901234567894|4901234567894|緑茶 500ml|ﾘｮｸﾁｬ|128|128|True|2024/03/05 9:07:05"_qs,
        u"4512345678906|4512345678906|コーヒー 微糖|ｺｰﾋｰ|150|149.5|False|2024/03/05"_qs,
        u"49123456|49123456|消しゴム|(null)|80|80|(null)|(null)"_qs,
        u"4987654321094|4987654321094|髙島屋 ①のり|ﾉﾘ|1280|1280|True|2024/01/01"_qs,
        u"4567890123456|4567890123456|ボールペン 黒|ﾍﾟﾝ|0|(null)|False|(null)"_qs,
    };
}

// Opens `many` for a run, learns its count by moving to the last row, reads
// that row, goes back to the first and walks every row in order. Empty when
// all of it held, else what did not.
inline QString manyRowsStreamInOrder(Connection& connection)
{
    const auto records = connection.openRecordset(u"select id, label from many order by id"_qs,
                                                  CursorKind::StaticRead);
    if (records->recordCount() != -1)
        return u"the count is known before the end: %1"_qs.arg(records->recordCount());
    records->moveLast();
    if (records->recordCount() != 1234)
        return u"the count is %1, not 1234"_qs.arg(records->recordCount());
    if (records->field(1) != FieldValue(u"item 1234"_qs))
        return u"the last row holds %1"_qs.arg(records->field(1).value_or(u"(null)"_qs));
    records->moveFirst();
    qint64 expected = 1;
    for (; !records->eof(); records->moveNext()) {
        if (records->field(0) != FieldValue(QString::number(expected)))
            return u"row %1 holds %2"_qs.arg(expected).arg(
                records->field(0).value_or(u"(null)"_qs));
        ++expected;
    }
    return expected == 1235 ? QString() : u"%1 rows, not 1234"_qs.arg(expected - 1);
}

} // namespace hakobee::test
