#include "platform/serversql/serverqueryerrors.h"

namespace hakobee::serverqueryerror {

namespace {

Error withEngine(const QString& sentence, const QString& engine)
{
    return Error(engine.isEmpty() ? sentence : sentence + QLatin1Char('\n') + engine);
}

} // namespace

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

} // namespace hakobee::serverqueryerror
