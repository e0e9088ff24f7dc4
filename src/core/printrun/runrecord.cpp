#include "core/printrun/runrecord.h"

#include "core/error.h"

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

QString barcodeValueOf(const QList<FieldValue>& fields)
{
    return fields.isEmpty() ? QString() : fields.first().value_or(QString());
}

} // namespace hakobee
