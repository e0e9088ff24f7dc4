#include "cli/querycommand.h"

#include "cli/commandoptions.h"
#include "core/datasource/datasourcekind.h"
#include "core/datasource/datasourcesettings.h"
#include "core/error.h"
#include "core/render/labelprogress.h"
#include "platform/access/accessdatabase.h"
#include "platform/odbc/odbcdatabase.h"
#include "platform/postgres/postgresdatabase.h"
#include "platform/textfolder/textfolder.h"
#include "platform/workbook/workbook.h"
#include "production/exitcodes.h"
#include "production/productionparts.h"
#include "production/standardstreams.h"

#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace hakobee {

namespace {

QString csvField(const FieldValue& value)
{
    if (!value)
        return {};
    QString text = *value;
    const bool needsQuotes = text.isEmpty() || text.contains(QLatin1Char(',')) ||
                             text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n')) ||
                             text.contains(QLatin1Char('\r')) || text.front().isSpace() ||
                             text.back().isSpace();
    if (!needsQuotes)
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
           QLatin1Char('"');
}

bool writeLine(const QStringList& fields)
{
    return writeToStandardOutput(fields.join(QLatin1Char(',')) + QLatin1Char('\n'));
}

void writeError(const QString& text)
{
    writeToStandardError(text + QLatin1Char('\n'));
}

// One line per table and saved query: the name, a tab, what it is.
int writeSourceNames(const QString& database)
{
    try {
        if (isPostgresUri(database)) {
            for (const PostgresSourceName& source : postgresSourceNames(database.trimmed())) {
                if (!writeToStandardOutput(source.name +
                                           (source.view ? u"\tview\n"_qs : u"\ttable\n"_qs)))
                    return ExitCode::failure;
            }
            return ExitCode::success;
        }
        if (isOdbcConnectionString(database)) {
            for (const OdbcSourceName& source : odbcSourceNames(database)) {
                if (!writeToStandardOutput(source.name +
                                           (source.view ? u"\tview\n"_qs : u"\ttable\n"_qs)))
                    return ExitCode::failure;
            }
            return ExitCode::success;
        }
        if (QFileInfo(database).isDir() || isWorkbookPath(database)) {
            const QStringList tables = isWorkbookPath(database) ? workbookSheetNames(database)
                                                                : textFolderTableNames(database);
            for (const QString& table : tables) {
                if (!writeToStandardOutput(table + u"\ttable\n"_qs))
                    return ExitCode::failure;
            }
            return ExitCode::success;
        }
        for (const AccessSourceName& source : accessSourceNames(database)) {
            const QLatin1String kind(source.kind == AccessSourceName::Kind::Query    ? "query"
                                     : source.kind == AccessSourceName::Kind::Linked ? "linked"
                                                                                     : "table");
            if (!writeToStandardOutput(source.name + QLatin1Char('\t') + kind + QLatin1Char('\n')))
                return ExitCode::failure;
        }
    } catch (const Error& error) {
        writeError(error.description());
        return ExitCode::failure;
    }
    return ExitCode::success;
}

// A result column's type as its kind of source names it: the Access type of
// a column of an Access file, text folder or workbook; the server's type
// name on PostgreSQL.
QString columnType(const Recordset& records, int position)
{
    const QString access = accessColumnType(records, position);
    return access.isEmpty() ? postgresColumnType(records, position) : access;
}

// The result of the query as CSV, or with `types` its columns' names and types.
int writeQueryResult(const QString& database, const QString& sql, bool types)
{
    // The database is opened as the screens and `hakobee print` open theirs.
    NoLabelProgress progress;
    ProductionOptions options;
    options.dialogs = ProductionOptions::Dialogs::Unattended;
    ProductionParts production(options, progress);
    try {
        const auto connection = production.databases().open(dataSourceConnectionString(database));
        const auto records = connection->openRecordset(sql, CursorKind::StaticRead);
        if (types) {
            for (int i = 0; i < records->fieldCount(); ++i) {
                if (!writeLine(
                        {csvField(records->fieldName(i)), csvField(columnType(*records, i))}))
                    return ExitCode::failure;
            }
            return ExitCode::success;
        }
        QStringList fields;
        for (int i = 0; i < records->fieldCount(); ++i)
            fields << csvField(records->fieldName(i));
        if (!writeLine(fields))
            return ExitCode::failure;
        for (; !records->eof(); records->moveNext()) {
            fields.clear();
            for (int i = 0; i < records->fieldCount(); ++i)
                fields << csvField(records->field(i));
            if (!writeLine(fields))
                return ExitCode::failure;
        }
    } catch (const Error& error) {
        writeError(error.description());
        return ExitCode::failure;
    }
    return ExitCode::success;
}

QString helpText()
{
    return u"使い方: hakobee query --db データベースファイル --sql SQL文 [--types]\n"
           u"        hakobee query --db データベースファイル --tables\n"
           u"\n"
           u"データベースに SQL 文を実行し、結果を CSV で標準出力に書きます\n"
           u"（UTF-8、1 行目は列名、null は空の欄、空の文字列は \"\"）。\n"
           u"--db には次のどれかを指定します:\n"
           u"  Access ファイル (.mdb, .accdb)\n"
           u"  CSV・テキストファイルのフォルダー（ファイルがテーブル: from 商品.csv）\n"
           u"  Excel ブック (.xlsx, .xls)（シートがテーブル: from Sheet1 か from [Sheet1$]）\n"
           u"  PostgreSQL の URI (postgresql://サーバー:ポート/データベース名)\n"
           u"  ODBC の接続文字列 (DSN=データソース名 や Driver={…};Server=…)\n"
           u"--types を付けると、結果の列ごとに列名とデータ型を 1 行ずつ書きます\n"
           u"（Access のデータ型、PostgreSQL ではサーバーの型名）。\n"
           u"--tables は SQL 文の代わりに、テーブルと、テーブルのように使える\n"
           u"保存されたクエリ（選択クエリ、実行できるユニオンクエリ）を 1 行に 1 つ、\n"
           u"名前、タブ、table または query の形で書きます。フォルダーではファイル、\n"
           u"ブックではシートがテーブルです。\n"
           u"ファイルは読み取り専用で開き、画面は使いません。\n"
           u"PostgreSQL では SQL 文はサーバーの SQL のまま読み取り専用で実行され、\n"
           u"--tables は search_path のテーブルとビューを table または view として書きます。\n"
           u"パスワードは ~/.pgpass か PGPASSWORD で渡します。\n"
           u"ODBC ではそのドライバーのデータベースに同じように読み取り専用で実行します。\n"
           u"パスワードは DSN の設定 (odbc.ini) に書きます。\n"
           u"\n"
           u"終了コード: 0 成功、1 クエリの失敗（説明は標準エラー出力に）、\n"
           u"            2 コマンドラインの誤り\n"_qs;
}

} // namespace

int runQueryCommand(int argc, char** argv)
{
    CommandOptions given;
    given.withValue(u"--db"_qs)
        .withValue(u"--sql"_qs)
        .withSwitch(u"--types"_qs)
        .withSwitch(u"--tables"_qs);
    const CommandOptions::Reading reading = given.read(argc, argv);
    if (reading == CommandOptions::Reading::Help) {
        writeToStandardOutput(helpText());
        return ExitCode::success;
    }
    const bool tables = given.isSet(u"--tables"_qs);
    const bool types = given.isSet(u"--types"_qs);
    // One usage line for any wrong command line: it names every option.
    if (reading == CommandOptions::Reading::Wrong || !given.isSet(u"--db"_qs) ||
        given.isSet(u"--sql"_qs) == tables || (tables && types)) {
        writeError(
            u"使い方: hakobee query --db データベースファイル (--sql SQL文 [--types] | --tables)"_qs);
        return ExitCode::usage;
    }
    const QString database = given.value(u"--db"_qs);
    return tables ? writeSourceNames(database)
                  : writeQueryResult(database, given.value(u"--sql"_qs), types);
}

} // namespace hakobee
