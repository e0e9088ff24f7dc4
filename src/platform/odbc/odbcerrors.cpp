#include "platform/odbc/odbcerrors.h"

namespace hakobee::odbcerror {

namespace {

Error withEngine(const QString& sentence, const QString& engine)
{
    return Error(engine.isEmpty() ? sentence : sentence + QLatin1Char('\n') + engine);
}

} // namespace

QString where(const QString& dataSourceName, const QString& server, const QString& database)
{
    QString named;
    if (!dataSourceName.isEmpty())
        named = u"ODBC データソース「%1」"_qs.arg(dataSourceName);
    else if (!server.isEmpty())
        named = u"サーバー「%1」"_qs.arg(server);
    else
        named = u"ODBC の接続先"_qs;
    if (!database.isEmpty())
        named += u"のデータベース「%1」"_qs.arg(database);
    return named;
}

Error driverNotInstalled(const QString& driver, const QString& engine)
{
    return withEngine(u"ODBCドライバー「%1」がインストールされていません。"
                      u"ドライバーをインストールするか、接続DBのドライバー名 "
                      u"(odbcinst.ini の [ ] の名前) を確認してください。"_qs.arg(driver),
                      engine);
}

Error dataSourceMissing(const QString& dataSourceName, const QString& engine)
{
    return withEngine(u"ODBC データソース「%1」がありません。odbc.ini "
                      u"(Windows では ODBC データ ソース アドミニストレーター) の"
                      u"データソース名を確認してください。"_qs.arg(dataSourceName),
                      engine);
}

Error authenticationRefused(const QString& where, const QString& engine)
{
    return withEngine(
        u"%1への接続を、サーバーがユーザーの認証で断りました。ユーザー名と、"
        u"ODBC データソース (odbc.ini) に書いたパスワードを確認してください。"_qs.arg(where),
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

Error noSuchTable(const QString& where, const QString& engine)
{
    return withEngine(
        u"SQL 文のテーブルは%1にありません。テーブル名を確認してください。"_qs.arg(where), engine);
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

} // namespace hakobee::odbcerror
