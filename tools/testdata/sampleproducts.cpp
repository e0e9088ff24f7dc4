#include "sampleproducts.h"

#include "productstable.h"

namespace hakobee::testdata {

namespace {

struct Entry
{
    const char16_t* barcode;
    const char16_t* itemName;
    const char16_t* name;
    qint64 priceYen;
};

// Codes carry their check digit; prices are tax-included yen, from a free
// sample at 0 to a display model at 99,999.
const Entry Entries[] = {
    {u"4912345000118", u"緑茶 525ml", u"さくら飲料 お茶", 138},
    {u"4912345000286", u"ほうじ茶 600ml", u"ｻｸﾗｲﾝﾘｮｳ ﾎｳｼﾞﾁｬ", 140},
    {u"4987654102037", u"天然水 2L", u"富士見の天然水", 98},
    {u"4987654102105", u"炭酸水 レモン 500ml", u"ﾀﾝｻﾝｽｲ ﾚﾓﾝ", 108},
    {u"4523456700158", u"缶コーヒー 微糖 185g", u"朝日堂珈琲", 120},
    {u"4523456700226", u"野菜ジュース 200ml", u"北星ファーム 野菜一日分", 98},
    {u"4934567200114", u"牛乳 1000ml", u"北星乳業 成分無調整", 248},
    {u"4934567200282", u"オレンジジュース 果汁100% 1L", u"ｵﾚﾝｼﾞｼﾞｭｰｽ", 298},
    {u"4901111300170", u"ポテトチップス うすしお味 60g", u"みなと製菓", 158},
    {u"4901111300248", u"ミルクチョコレート 50g", u"みなと製菓 板チョコ", 118},
    {u"4562222400137", u"醤油せんべい 12枚", u"ｼｮｳﾕｾﾝﾍﾞｲ", 298},
    {u"4562222400205", u"ミルクキャンディ 袋", u"ﾐﾙｸｷｬﾝﾃﾞｨ", 198},
    {u"4901111300316", u"のど飴 はちみつレモン", u"ﾉﾄﾞｱﾒ ﾊﾁﾐﾂﾚﾓﾝ", 178},
    {u"49123456", u"ミントガム 9枚", u"ｶﾞﾑ ﾐﾝﾄ", 110},
    {u"49555011", u"コーンスナック", u"ｺｰﾝｽﾅｯｸ", 12},
    {u"4903333500192", u"ボールペン 黒 0.5mm", u"ひかり文具", 110},
    {u"4903333500260", u"油性マーカー 極細 赤", u"ﾕｾｲﾏｰｶｰ ｱｶ", 165},
    {u"45678905", u"消しゴム", u"ｹｼｺﾞﾑ", 88},
    {u"4903333500338", u"ノート B5 30枚 5冊パック", u"ひかり文具 学習帳", 528},
    {u"4903333500406", u"はさみ ステンレス 145mm", u"ﾊｻﾐ", 385},
    {u"4903333500574", u"修正テープ 5mm×6m", u"ｼｭｳｾｲﾃｰﾌﾟ", 275},
    {u"4974444600149", u"ティッシュペーパー 5箱パック", u"あおば日用品", 398},
    {u"4974444600217", u"台所用洗剤 詰替 400ml", u"ﾀﾞｲﾄﾞｺﾛﾖｳｾﾝｻﾞｲ ﾂﾒｶｴ", 168},
    {u"4974444600385", u"歯ブラシ ふつう 3本組", u"しらかば 歯ブラシ", 298},
    {u"4974444600453", u"ハンドソープ 泡タイプ 詰替用", u"ﾊﾝﾄﾞｿｰﾌﾟ ﾂﾒｶｴ", 248},
    {u"4974444600521", u"トイレットペーパー ダブル 12ロール", u"あおば日用品 トイレットペーパー",
     458},
    {u"49777123", u"単三アルカリ乾電池 8本", u"ｶﾝﾃﾞﾝﾁ ﾀﾝｻﾝ", 698},
    {u"4934567200350",
     u"【期間限定】北海道産生乳使用 濃厚ミルクプリン 3個パック お徳用 "
     u"まとめ買いケース（24個入り）業務用・店舗用 "
     u"冷蔵商品のため到着後はお早めにお召し上がりください",
     u"北星乳業 濃厚ミルクプリン ｹｰｽｳﾘ 24ｺｲﾘ ﾚｲｿﾞｳ", 5980},
    {u"4585555800122",
     u"充電式コードレス掃除機 スティック型 サイクロン式 ハンディ兼用 "
     u"本体・充電台・交換フィルター・すき間ノズル付き 店頭展示品",
     u"ｺｰﾄﾞﾚｽｿｳｼﾞｷ ｽﾃｨｯｸｶﾞﾀ ｻｲｸﾛﾝｼｷ", 99999},
    {u"4974444600699", u"試供品 ハンドクリーム 5g（非売品）", u"ﾐﾎﾝ ﾋｮｳﾋﾝ", 0},
};

} // namespace

const QList<SampleProduct>& sampleProducts()
{
    static const QList<SampleProduct> products = [] {
        QList<SampleProduct> list;
        for (const Entry& entry : Entries)
            list.append({QString::fromUtf16(entry.barcode), QString::fromUtf16(entry.itemName),
                         QString::fromUtf16(entry.name), entry.priceYen});
        return list;
    }();
    return products;
}

mdbwriter::Table sampleTable()
{
    mdbwriter::Table table;
    table.name = u"Master"_qs;
    table.columns = productColumns();
    table.rowCount = sampleProducts().size();
    table.rowAt = [](qint64 row, QList<mdbwriter::Value>& values) {
        const SampleProduct& product = sampleProducts()[row];
        values[0] = product.barcode;
        values[1] = product.itemName;
        values[2] = product.name;
        values[3] = product.priceYen * 10000;
    };
    return table;
}

} // namespace hakobee::testdata
