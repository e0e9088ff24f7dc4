#include "platform/postgres/postgreserrors.h"

#include "platform/serversql/serverqueryerrors.h"

namespace hakobee::postgreserror {

namespace {

Error withEngine(const QString& sentence, const QString& engine)
{
    return Error(engine.isEmpty() ? sentence : sentence + QLatin1Char('\n') + engine);
}

} // namespace

QString serverAndDatabase(const QString& host, const QString& port, const QString& database)
{
    const QString server = port.isEmpty() ? host : host + u':' + port;
    return u"サーバー「%1」のデータベース「%2」"_qs.arg(server, database);
}

Error invalidUri(const QString& engine)
{
    return withEngine(u"接続DBの PostgreSQL の URI を読めません。"
                      u"postgresql://サーバー:ポート/データベース名 の形で書いてください。"_qs,
                      engine);
}

Error unreachable(const QString& where, const QString& engine)
{
    return withEngine(u"%1に接続できません。サーバー名とポート番号、サーバーが動いていること、"
                      u"ネットワークを確認してください。"_qs.arg(where),
                      engine);
}

Error authenticationRefused(const QString& where, const QString& engine)
{
    return withEngine(u"%1への接続を、サーバーがユーザーの認証で断りました。ユーザー名と、"
                      u"~/.pgpass、サービスファイル、環境変数 PGPASSWORD のパスワードを"
                      u"確認してください。"_qs.arg(where),
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

Error noSuchTable(const QString& where, const QString& engine)
{
    return withEngine(u"SQL 文のテーブルは%1にありません。テーブル名と、"
                      u"スキーマ (search_path) を確認してください。"_qs.arg(where),
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

Error twoStatements(const QString& query, const QString& engine)
{
    return serverqueryerror::severalStatements(query, engine);
}

Error writeRefused(const QString& query, const QString& engine)
{
    return serverqueryerror::writeRefused(query, engine);
}

Error notASelect(const QString& query, const QString& engine)
{
    return serverqueryerror::notASelect(query, engine);
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

} // namespace hakobee::postgreserror
