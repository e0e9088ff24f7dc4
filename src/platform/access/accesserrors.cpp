#include "platform/access/accesserrors.h"

#include <QDir>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

namespace hakobee::accesserror {

namespace {

Error withEngine(const QString& sentence, const QString& engine)
{
    return Error(engine.isEmpty() ? sentence : sentence + QLatin1Char('\n') + engine);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// ODBC connect strings often carry the data source's password.
QString withoutPassword(QString connect)
{
    static const QRegularExpression password(QStringLiteral("\\b(PWD|PASSWORD)=[^;]*"),
                                             QRegularExpression::CaseInsensitiveOption);
    return connect.replace(password, QStringLiteral("\\1=***"));
}

} // namespace

Error fileMissing(const QString& path, const QString& engine)
{
    return withEngine(
        QStringLiteral(
            "データベースファイル「%1」が見つかりません。ファイルの場所と名前を確認してください。")
            .arg(shown(path)),
        engine);
}

Error isFolder(const QString& path, const QString& engine)
{
    return withEngine(QStringLiteral("「%1」はフォルダーです。Access のデータベースファイル(.mdb "
                                     "または .accdb)を指定してください。")
                          .arg(shown(path)),
                      engine);
}

Error cannotOpen(const QString& path, const QString& engine)
{
    return withEngine(
        QStringLiteral(
            "データベースファイル「%1」を開けません。ファイルの読み取り権限を確認してください。")
            .arg(shown(path)),
        engine);
}

Error notAccessDatabase(const QString& path, const QString& engine)
{
    return withEngine(QStringLiteral("「%1」は Access のデータベースファイルではありません。"
                                     "データベースファイルを指定し直してください。")
                          .arg(shown(path)),
                      engine);
}

Error damaged(const QString& path, const QString& engine)
{
    return withEngine(
        QStringLiteral("データベースファイル「%1」は壊れているか、途中までしかありません。"
                       "Access で修復するか、元のファイルをコピーし直してください。")
            .arg(shown(path)),
        engine);
}

Error passwordProtected(const QString& path, bool encrypted, const QString& engine)
{
    if (encrypted) {
        return withEngine(QStringLiteral("データベースファイル「%1」はパスワードで保護され、"
                                         "暗号化されています。このプログラムは暗号化されたファイル"
                                         "を開けません。Access でパスワードを解除したコピーを"
                                         "指定してください。")
                              .arg(shown(path)),
                          engine);
    }
    return withEngine(QStringLiteral("データベースファイル「%1」はパスワードで保護されています。"
                                     "このプログラムはパスワード付きのファイルを開けません。"
                                     "Access でパスワードを解除したコピーを指定してください。")
                          .arg(shown(path)),
                      engine);
}

Error changedWhileRead(const QString& path)
{
    return withEngine(
        QStringLiteral("データベースファイル「%1」が読み込みの途中で書き換えられました。"
                       "書き換えが終わってから、もう一度開いてください。")
            .arg(shown(path)),
        QStringLiteral("the file's size or modification time changed"));
}

Error tableDamaged(const QString& path, const QString& table, const QString& engine)
{
    return withEngine(QStringLiteral("データベースファイル「%1」のテーブル「%2」が壊れています。"
                                     "Access で修復するか、元のファイルをコピーし直してください。")
                          .arg(shown(path), table),
                      engine);
}

Error noSuchTable(const QString& path, const QString& table, const QString& engine)
{
    return withEngine(QStringLiteral("テーブル「%1」はデータベースファイル「%2」にありません。"
                                     "テーブル名を確認してください。")
                          .arg(table, shown(path)),
                      engine);
}

Error queryUnreadable(const QString& path, const QString& query, const QString& engine)
{
    return withEngine(QStringLiteral("データベースファイル「%1」のクエリ「%2」の定義を読めません。"
                                     "Access でクエリを開いて保存し直すか、テーブルを指定して"
                                     "ください。")
                          .arg(shown(path), query),
                      engine);
}

Error queryNotLabelSource(const QString& query, const QString& kind, const QString& engine)
{
    return withEngine(QStringLiteral("クエリ「%1」は%2です。%2はラベルのデータに使えません。"
                                     "テーブルか選択クエリを指定してください。")
                          .arg(query, kind),
                      engine);
}

Error unionCannotRun(const QString& query, const QString& engine)
{
    return withEngine(
        QStringLiteral("クエリ「%1」はこのプログラムで実行できないユニオンクエリです。"
                       "ラベルのデータに使えません。テーブルか選択クエリを指定して"
                       "ください。")
            .arg(query),
        engine);
}

Error queryCannotRun(const QString& path, const QString& query, const QString& engine)
{
    return withEngine(QStringLiteral("データベースファイル「%1」のクエリ「%2」を実行できません。"
                                     "Access でクエリのテーブル名と列名を確認してください。")
                          .arg(shown(path), query),
                      engine);
}

Error queryUsesUnusable(const QString& query, const QString& used, const QString& engine)
{
    return withEngine(QStringLiteral("クエリ「%1」は、ラベルのデータに使えないクエリ「%2」を"
                                     "使っています。テーブルか選択クエリを指定してください。")
                          .arg(query, used),
                      engine);
}

Error noSuchColumn(const QString& path, const QString& column, const QString& engine)
{
    return withEngine(QStringLiteral("列「%1」はデータベースファイル「%2」のテーブルにありません。"
                                     "SQL 文の列名を確認してください。")
                          .arg(column, shown(path)),
                      engine);
}

Error odbcLink(const QString& link, const QString& connect)
{
    return withEngine(
        QStringLiteral(
            "テーブル「%1」は ODBC データソースへのリンクテーブルです。このプログラムは "
            "ODBC のリンクテーブルを読めません。Access でテーブルをインポートしたファイル"
            "を指定してください。")
            .arg(link),
        QStringLiteral("ODBC link, connect string: %1").arg(withoutPassword(connect)));
}

Error otherSourceLink(const QString& link, const QString& connect)
{
    return withEngine(
        QStringLiteral("テーブル「%1」は Access 以外のデータ(%2)へのリンクテーブルです。"
                       "このプログラムは Access のデータベースファイルのテーブルだけを"
                       "読めます。Access でテーブルをインポートしたファイルを指定して"
                       "ください。")
            .arg(link, connect.section(QLatin1Char(';'), 0, 0)),
        QStringLiteral("connect string: %1").arg(withoutPassword(connect)));
}

Error linkedFileMissing(const QString& link, const QStringList& triedPaths)
{
    if (triedPaths.isEmpty()) {
        return Error(QStringLiteral("リンクテーブル「%1」にはリンク先のデータベースファイル名があり"
                                    "ません。Access でリンクを作り直してください。")
                         .arg(link));
    }
    QStringList quoted;
    for (const QString& path : triedPaths)
        quoted.append(QStringLiteral("「%1」").arg(path));
    return withEngine(
        QStringLiteral("リンクテーブル「%1」のリンク先のデータベースファイルが見つかりません。"
                       "探した場所: %2。リンク先のファイルを、指定したデータベースファイルと同じ"
                       "フォルダーに置いてください。")
            .arg(link, quoted.join(QStringLiteral("、"))),
        QString::fromLocal8Bit(std::strerror(ENOENT)));
}

Error linkedFileUnreadable(const QString& link, const QString& path, const Error& why)
{
    return withEngine(
        QStringLiteral("リンクテーブル「%1」のリンク先のデータベースファイル「%2」を読めません。")
            .arg(link, shown(path)),
        why.description());
}

Error linkedTableMissing(const QString& link, const QString& path, const QString& foreignName)
{
    return withEngine(
        QStringLiteral("リンクテーブル「%1」のリンク先のテーブル「%2」は、"
                       "データベースファイル「%3」にありません。Access の"
                       "リンク テーブル マネージャーでリンクを更新してください。")
            .arg(link, foreignName, shown(path)),
        QStringLiteral("no table or link named %1 in the linked file").arg(foreignName));
}

Error linkCycle(const QString& link, const QStringList& chain)
{
    return withEngine(
        QStringLiteral("リンクテーブル「%1」のリンクをたどると、元のテーブルに戻って"
                       "しまいます。Access でリンクを作り直してください。")
            .arg(link),
        QStringLiteral("links run in a circle: %1").arg(chain.join(QStringLiteral(" -> "))));
}

Error queryNotUnderstood(const QString& query, const QString& engine)
{
    return withEngine(
        QStringLiteral("SQL 文を解釈できません。SQL 文を確認してください: %1").arg(query), engine);
}

Error queryFailed(const QString& query, const QString& engine)
{
    return withEngine(QStringLiteral("SQL 文を実行できません: %1").arg(query), engine);
}

Error unsupportedFunction(const QString& query, const QString& function, const QString& engine)
{
    return withEngine(
        QStringLiteral("関数「%1」は使えません。使える関数は IIf, Nz, Left, Right, Mid, "
                       "Len, Trim, UCase, LCase, CStr, CLng, CDbl, Val, Format "
                       "です。SQL 文を確認してください: %2")
            .arg(function, query),
        engine);
}

Error onlySelect(const QString& query, const QString& engine)
{
    return withEngine(
        QStringLiteral("データベースは読み取り専用です。SELECT 文だけを実行できます: %1")
            .arg(query),
        engine);
}

Error emptyResult()
{
    return Error(QStringLiteral("該当するレコードがありません。"));
}

Error noCurrentRecord()
{
    return Error(QStringLiteral("現在のレコードがありません。レコードの終わりを過ぎています。"));
}

Error noSuchField(const QString& name)
{
    return Error(QStringLiteral("列「%1」は SQL 文の結果にありません。").arg(name));
}

Error noSuchFieldPosition(int position, int fieldCount)
{
    return Error(
        QStringLiteral("SQL 文の結果には %1 列しかありません(%2 番目の列を求められました)。")
            .arg(fieldCount)
            .arg(position + 1));
}

} // namespace hakobee::accesserror
