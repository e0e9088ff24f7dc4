#include "platform/postgres/postgreserrors.h"

#include "platform/serversql/serverqueryerrors.h"

namespace hakobee::postgreserror {

using serverqueryerror::withEngine;

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

Error authenticationRefused(const QString& where, const QString& engine)
{
    return withEngine(u"%1への接続を、サーバーがユーザーの認証で断りました。ユーザー名と、"
                      u"~/.pgpass、サービスファイル、環境変数 PGPASSWORD のパスワードを"
                      u"確認してください。"_qs.arg(where),
                      engine);
}

Error noSuchTable(const QString& where, const QString& engine)
{
    return withEngine(u"SQL 文のテーブルは%1にありません。テーブル名と、"
                      u"スキーマ (search_path) を確認してください。"_qs.arg(where),
                      engine);
}

} // namespace hakobee::postgreserror
