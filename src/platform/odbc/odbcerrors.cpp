#include "platform/odbc/odbcerrors.h"

#include "platform/serversql/serverqueryerrors.h"

namespace hakobee::odbcerror {

using serverqueryerror::withEngine;

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

Error noSuchTable(const QString& where, const QString& engine)
{
    return withEngine(
        u"SQL 文のテーブルは%1にありません。テーブル名を確認してください。"_qs.arg(where), engine);
}

} // namespace hakobee::odbcerror
