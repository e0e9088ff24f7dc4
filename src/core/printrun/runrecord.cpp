#include "core/printrun/runrecord.h"

#include "core/error.h"

#include <QRegularExpression>

#include <cmath>

namespace hakobee {

namespace {

constexpr int recordFieldCount = 4;

QString columnCaption(int position)
{
    static const char16_t* const captions[recordFieldCount] = {u"バーコード", u"品名", u"名称",
                                                               u"税込価格"};
    return QString::fromUtf16(captions[position]);
}

} // namespace

RunRecord runRecordFromFields(const QList<FieldValue>& fields)
{
    if (fields.size() < recordFieldCount)
        throw Error(u"レコードの項目が %1 個しかありません。SQL構文ではバーコード、品名、名称、"
                    u"税込価格の 4 項目をこの順に指定してください。"_qs.arg(fields.size()));
    QString texts[recordFieldCount];
    for (int position = 0; position < recordFieldCount; ++position) {
        if (!fields[position])
            throw Error(u"%1 番目の項目（%2）が空（Null）です。"_qs.arg(position + 1)
                            .arg(columnCaption(position)));
        texts[position] = *fields[position];
    }
    return {texts[0], texts[1], texts[2], texts[3]};
}

std::optional<int> labelCountOfFields(const QList<FieldValue>& fields)
{
    constexpr int position = recordFieldCount;
    if (fields.size() <= position)
        return std::nullopt;
    const FieldValue& field = fields[position];
    // The operator may have meant the column for something else (a select
    // of every column of a wide table): the message says how the fifth
    // column is read and how to print one label of each record.
    static const QString howItIsRead =
        u" 選ぶ項目の 5 番目はラベルの枚数です。1 件に 1 枚なら、選ぶ項目を 4 つにしてください。"_qs;
    if (!field)
        throw Error(u"%1 番目の項目（枚数）が空（Null）です。"_qs.arg(position + 1) + howItIsRead);
    // Decimal digits only: a number reader would also take an exponent,
    // "inf" or digit grouping.
    static const QRegularExpression decimal(u"^[+-]?\\d+(\\.\\d*)?$"_qs);
    const QString text = field->trimmed();
    const double value = text.toDouble();
    if (!decimal.match(text).hasMatch() || value < 0 || value > mostLabelsOfRecord ||
        std::floor(value) != value)
        throw Error(u"%1 番目の項目（枚数）「%2」は 0 から %3 までの整数ではありません。"_qs
                        .arg(position + 1)
                        .arg(*field)
                        .arg(mostLabelsOfRecord) +
                    howItIsRead);
    return static_cast<int>(value);
}

QString barcodeValueOf(const QList<FieldValue>& fields)
{
    return fields.isEmpty() ? QString() : fields.first().value_or(QString());
}

} // namespace hakobee
