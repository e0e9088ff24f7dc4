#include "generatedproducts.h"

#include "jancode.h"

#include <QStringList>

#include <iterator>

namespace hakobee::testdata {

namespace {

struct Word
{
    const char16_t* text;
    const char16_t* halfWidthReading;
};

const Word Makers[] = {
    {u"さくら食品", u"ｻｸﾗｼｮｸﾋﾝ"},        {u"みなと製菓", u"ﾐﾅﾄｾｲｶ"},
    {u"ひかり文具", u"ﾋｶﾘﾌﾞﾝｸﾞ"},        {u"あおば日用品", u"ｱｵﾊﾞﾆﾁﾖｳﾋﾝ"},
    {u"北星乳業", u"ﾎｸｾｲﾆｭｳｷﾞｮｳ"},       {u"富士見飲料", u"ﾌｼﾞﾐｲﾝﾘｮｳ"},
    {u"やまと水産", u"ﾔﾏﾄｽｲｻﾝ"},         {u"東雲ベーカリー", u"ｼﾉﾉﾒﾍﾞｰｶﾘｰ"},
    {u"しらかば化粧品", u"ｼﾗｶﾊﾞｹｼｮｳﾋﾝ"}, {u"大和紙工", u"ﾔﾏﾄｼｺｳ"},
    {u"つばめ製麺", u"ﾂﾊﾞﾒｾｲﾒﾝ"},        {u"朝日堂", u"ｱｻﾋﾄﾞｳ"},
};

const Word Items[] = {
    {u"緑茶", u"ﾘｮｸﾁｬ"},
    {u"ほうじ茶", u"ﾎｳｼﾞﾁｬ"},
    {u"麦茶", u"ﾑｷﾞﾁｬ"},
    {u"天然水", u"ﾃﾝﾈﾝｽｲ"},
    {u"炭酸水", u"ﾀﾝｻﾝｽｲ"},
    {u"缶コーヒー 微糖", u"ｶﾝｺｰﾋｰ ﾋﾞﾄｳ"},
    {u"オレンジジュース", u"ｵﾚﾝｼﾞｼﾞｭｰｽ"},
    {u"ポテトチップス うすしお味", u"ﾎﾟﾃﾄﾁｯﾌﾟｽ ｳｽｼｵｱｼﾞ"},
    {u"チョコレート", u"ﾁｮｺﾚｰﾄ"},
    {u"せんべい", u"ｾﾝﾍﾞｲ"},
    {u"ミルクキャンディ", u"ﾐﾙｸｷｬﾝﾃﾞｨ"},
    {u"ボールペン 黒 0.5mm", u"ﾎﾞｰﾙﾍﾟﾝ ｸﾛ 0.5MM"},
    {u"油性マーカー", u"ﾕｾｲﾏｰｶｰ"},
    {u"消しゴム", u"ｹｼｺﾞﾑ"},
    {u"ノート B5 30枚", u"ﾉｰﾄ B5 30ﾏｲ"},
    {u"はさみ", u"ﾊｻﾐ"},
    {u"ティッシュペーパー 5箱", u"ﾃｨｯｼｭﾍﾟｰﾊﾟｰ 5ﾊｺ"},
    {u"台所用洗剤", u"ﾀﾞｲﾄﾞｺﾛﾖｳｾﾝｻﾞｲ"},
    {u"歯ブラシ ふつう", u"ﾊﾌﾞﾗｼ ﾌﾂｳ"},
    {u"ハンドソープ 詰替", u"ﾊﾝﾄﾞｿｰﾌﾟ ﾂﾒｶｴ"},
    {u"牛乳", u"ｷﾞｭｳﾆｭｳ"},
    {u"食パン 6枚切", u"ｼｮｸﾊﾟﾝ 6ﾏｲｷﾞﾘ"},
    {u"カップうどん", u"ｶｯﾌﾟｳﾄﾞﾝ"},
    {u"さば水煮缶", u"ｻﾊﾞﾐｽﾞﾆｶﾝ"},
    {u"のど飴", u"ﾉﾄﾞｱﾒ"},
    {u"一番搾り風 発泡酒", u"ｲﾁﾊﾞﾝｼﾎﾞﾘﾌｳ ﾊｯﾎﾟｳｼｭ"},
};

const Word Sizes[] = {
    {u"", u""},       {u"350ml", u"350ML"}, {u"500ml", u"500ML"},  {u"2L", u"2L"},
    {u"80g", u"80G"}, {u"1個", u"1ｺ"},      {u"3本入", u"3ﾎﾟﾝｲﾘ"}, {u"徳用", u"ﾄｸﾖｳ"},
};

const Word Extras[] = {
    {u"", u""},
    {u"【期間限定】", u"ｷｶﾝｹﾞﾝﾃｲ "},
    {u"お徳用", u"ｵﾄｸﾖｳ "},
    {u"まとめ買い 24本入り ケース販売", u"ﾏﾄﾒｶﾞｲ 24ﾎﾝｲﾘ ｹｰｽﾊﾝﾊﾞｲ "},
};

// splitmix64: every row's values follow from its number alone, so any row
// can be generated without the ones before it.
quint64 mix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

template<std::size_t N> const Word& pick(const Word (&words)[N], quint64& state)
{
    state = mix(state);
    return words[state % N];
}

QString joined(std::initializer_list<QString> parts)
{
    QStringList nonEmpty;
    for (const QString& part : parts) {
        if (!part.isEmpty())
            nonEmpty.append(part);
    }
    return nonEmpty.join(u' ');
}

} // namespace

GeneratedProduct generatedProduct(qint64 row)
{
    quint64 state = mix(quint64(row));
    const Word& maker = pick(Makers, state);
    const Word& item = pick(Items, state);
    const Word& size = pick(Sizes, state);
    state = mix(state);
    // Most names are plain; one in eight carries a long campaign prefix.
    const Word& extra = (state % 8 == 0) ? pick(Extras, state) : Extras[0];

    GeneratedProduct product;
    // One code in ten is a short EAN-8; the rest are 13 digits. The row
    // number is part of the code, so codes are unique within a table.
    const QString prefix = (row % 2 == 0) ? u"49"_qs : u"45"_qs;
    if (row % 10 == 9 && row < 100000)
        product.barcode = withJanCheckDigit(prefix + u"%1"_qs.arg(row, 5, 10, QChar(u'0')));
    else
        product.barcode = withJanCheckDigit(prefix + u"%1"_qs.arg(row, 10, 10, QChar(u'0')));
    product.itemName = joined({QString::fromUtf16(extra.text), QString::fromUtf16(maker.text),
                               QString::fromUtf16(item.text), QString::fromUtf16(size.text)});
    product.name = joined(
        {QString::fromUtf16(extra.halfWidthReading) + QString::fromUtf16(maker.halfWidthReading),
         QString::fromUtf16(item.halfWidthReading), QString::fromUtf16(size.halfWidthReading)});
    state = mix(state);
    // Prices in yen from 0 to 99,999, most of them shop-shelf sized.
    const qint64 yen = (state % 50 == 0) ? qint64(mix(state) % 100000) : qint64(state % 2000);
    product.priceTimes10000 = yen * 10000;
    return product;
}

} // namespace hakobee::testdata
