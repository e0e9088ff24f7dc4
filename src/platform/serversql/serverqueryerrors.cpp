#include "platform/serversql/serverqueryerrors.h"

namespace hakobee::serverqueryerror {

Error withEngine(const QString& sentence, const QString& engine)
{
    return Error(engine.isEmpty() ? sentence : sentence + QLatin1Char('\n') + engine);
}

Error severalStatements(const QString& query, const QString& engine)
{
    return withEngine(u"SQL 文が 2 つ以上あります。実行できるのは SELECT 文 1 つだけです。"
                      u"セミコロン (;) の後ろを消してください: %1"_qs.arg(query),
                      engine);
}

Error writeRefused(const QString& query, const QString& engine)
{
    return withEngine(
        u"データベースには読み取り専用で接続しています。データを書き換える SQL 文は実行できません。"
        u"SELECT 文だけを実行できます: %1"_qs.arg(query),
        engine);
}

Error notASelect(const QString& query, const QString& engine)
{
    return withEngine(u"ラベルのデータになるのは SELECT 文の結果だけです。"
                      u"SELECT 文を指定してください: %1"_qs.arg(query),
                      engine);
}

Error unreachable(const QString& where, const QString& engine)
{
    return withEngine(u"%1に接続できません。サーバー名とポート番号、サーバーが動いていること、"
                      u"ネットワークを確認してください。"_qs.arg(where),
                      engine);
}

Error databaseMissing(const QString& where, const QString& engine)
{
    return withEngine(u"%1はありません。データベース名を確認してください。"_qs.arg(where), engine);
}

Error cannotConnect(const QString& where, const QString& engine)
{
    return withEngine(u"%1に接続できません。"_qs.arg(where), engine);
}

Error connectionLost(const QString& where, const QString& engine)
{
    return withEngine(
        u"%1との接続が切れました。サーバーとネットワークを確認してください。"_qs.arg(where),
        engine);
}

Error noSuchColumn(const QString& where, const QString& engine)
{
    return withEngine(
        u"SQL 文の列は%1のテーブルにありません。SQL 文の列名を確認してください。"_qs.arg(where),
        engine);
}

Error notAllowedToRead(const QString& where, const QString& engine)
{
    return withEngine(u"%1のテーブルを読む権限がありません。"
                      u"データベースの管理者に SELECT の権限を頼んでください。"_qs.arg(where),
                      engine);
}

Error queryRejected(const QString& where, const QString& query, const QString& engine)
{
    return withEngine(
        u"%1が SQL 文を受け付けません。SQL 文を確認してください: %2"_qs.arg(where, query), engine);
}

Error queryFailed(const QString& where, const QString& query, const QString& engine)
{
    return withEngine(u"%1で SQL 文を実行できません: %2"_qs.arg(where, query), engine);
}

} // namespace hakobee::serverqueryerror
