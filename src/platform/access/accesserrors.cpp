#include "platform/access/accesserrors.h"

#include <QDir>
#include <QFileInfo>
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
    static const QRegularExpression password(u"\\b(PWD|PASSWORD)=[^;]*"_qs,
                                             QRegularExpression::CaseInsensitiveOption);
    return connect.replace(password, u"\\1=***"_qs);
}

} // namespace

Error fileMissing(const QString& path, const QString& engine)
{
    return withEngine(
        u"データベースファイル「%1」が見つかりません。ファイルの場所と名前を確認してください。"_qs
            .arg(shown(path)),
        engine);
}

Error isFolder(const QString& path, const QString& engine)
{
    return withEngine(u"「%1」はフォルダーです。Access のデータベースファイル(.mdb "
                      u"または .accdb)を指定してください。"_qs.arg(shown(path)),
                      engine);
}

Error cannotOpen(const QString& path, const QString& engine)
{
    return withEngine(
        u"データベースファイル「%1」を開けません。ファイルの読み取り権限を確認してください。"_qs
            .arg(shown(path)),
        engine);
}

Error notAccessDatabase(const QString& path, const QString& engine)
{
    return withEngine(u"「%1」は Access のデータベースファイルではありません。"
                      u"データベースファイルを指定し直してください。"_qs.arg(shown(path)),
                      engine);
}

Error damaged(const QString& path, const QString& engine)
{
    return withEngine(
        u"データベースファイル「%1」は壊れているか、途中までしかありません。"
        u"Access で修復するか、元のファイルをコピーし直してください。"_qs.arg(shown(path)),
        engine);
}

Error passwordProtected(const QString& path, bool encrypted, const QString& engine)
{
    if (encrypted) {
        return withEngine(u"データベースファイル「%1」はパスワードで保護され、"
                          u"暗号化されています。このプログラムは暗号化されたファイル"
                          u"を開けません。Access でパスワードを解除したコピーを"
                          u"指定してください。"_qs.arg(shown(path)),
                          engine);
    }
    return withEngine(
        u"データベースファイル「%1」はパスワードで保護されています。"
        u"このプログラムはパスワード付きのファイルを開けません。"
        u"Access でパスワードを解除したコピーを指定してください。"_qs.arg(shown(path)),
        engine);
}

Error changedWhileRead(const QString& path)
{
    return withEngine(u"データベースファイル「%1」が読み込みの途中で書き換えられました。"
                      u"書き換えが終わってから、もう一度開いてください。"_qs.arg(shown(path)),
                      u"the file's size or modification time changed"_qs);
}

Error tableDamaged(const QString& path, const QString& table, const QString& engine)
{
    return withEngine(
        u"データベースファイル「%1」のテーブル「%2」が壊れています。"
        u"Access で修復するか、元のファイルをコピーし直してください。"_qs.arg(shown(path), table),
        engine);
}

namespace {

// What the query ran over, as the operator named it: an Access file, a
// folder of text files, or an Excel workbook.
QString sourceShown(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return u"フォルダー「%1」"_qs.arg(shown(path));
    if (info.suffix().startsWith(u"xls"_qs, Qt::CaseInsensitive))
        return u"ブック「%1」"_qs.arg(shown(path));
    return u"データベースファイル「%1」"_qs.arg(shown(path));
}

} // namespace

Error noSuchTable(const QString& path, const QString& table, const QString& engine)
{
    return withEngine(u"テーブル「%1」は%2にありません。"
                      u"テーブル名を確認してください。"_qs.arg(table, sourceShown(path)),
                      engine);
}

Error queryUnreadable(const QString& path, const QString& query, const QString& engine)
{
    return withEngine(u"データベースファイル「%1」のクエリ「%2」の定義を読めません。"
                      u"Access でクエリを開いて保存し直すか、テーブルを指定して"
                      u"ください。"_qs.arg(shown(path), query),
                      engine);
}

Error queryNotLabelSource(const QString& query, const QString& kind, const QString& engine)
{
    return withEngine(u"クエリ「%1」は%2です。%2はラベルのデータに使えません。"
                      u"テーブルか選択クエリを指定してください。"_qs.arg(query, kind),
                      engine);
}

Error unionCannotRun(const QString& query, const QString& engine)
{
    return withEngine(u"クエリ「%1」はこのプログラムで実行できないユニオンクエリです。"
                      u"ラベルのデータに使えません。テーブルか選択クエリを指定して"
                      u"ください。"_qs.arg(query),
                      engine);
}

Error queryCannotRun(const QString& path, const QString& query, const QString& engine)
{
    return withEngine(
        u"データベースファイル「%1」のクエリ「%2」を実行できません。"
        u"Access でクエリのテーブル名と列名を確認してください。"_qs.arg(shown(path), query),
        engine);
}

Error queryUsesUnusable(const QString& query, const QString& used, const QString& engine)
{
    return withEngine(u"クエリ「%1」は、ラベルのデータに使えないクエリ「%2」を"
                      u"使っています。テーブルか選択クエリを指定してください。"_qs.arg(query, used),
                      engine);
}

Error noSuchColumn(const QString& path, const QString& column, const QString& engine)
{
    return withEngine(u"列「%1」は%2のテーブルにありません。"
                      u"SQL 文の列名を確認してください。"_qs.arg(column, sourceShown(path)),
                      engine);
}

Error odbcLink(const QString& link, const QString& connect)
{
    return withEngine(
        u"テーブル「%1」は ODBC データソースへのリンクテーブルです。このプログラムは "
        u"ODBC のリンクテーブルを読めません。Access でテーブルをインポートしたファイル"
        u"を指定してください。"_qs.arg(link),
        u"ODBC link, connect string: %1"_qs.arg(withoutPassword(connect)));
}

Error otherSourceLink(const QString& link, const QString& connect)
{
    return withEngine(u"テーブル「%1」は Access 以外のデータ(%2)へのリンクテーブルです。"
                      u"このプログラムは Access のデータベースファイルのテーブルだけを"
                      u"読めます。Access でテーブルをインポートしたファイルを指定して"
                      u"ください。"_qs.arg(link, connect.section(QLatin1Char(';'), 0, 0)),
                      u"connect string: %1"_qs.arg(withoutPassword(connect)));
}

Error linkedFileMissing(const QString& link, const QStringList& triedPaths)
{
    if (triedPaths.isEmpty()) {
        return Error(u"リンクテーブル「%1」にはリンク先のデータベースファイル名があり"
                     u"ません。Access でリンクを作り直してください。"_qs.arg(link));
    }
    QStringList quoted;
    for (const QString& path : triedPaths)
        quoted.append(u"「%1」"_qs.arg(path));
    return withEngine(u"リンクテーブル「%1」のリンク先のデータベースファイルが見つかりません。"
                      u"探した場所: %2。リンク先のファイルを、指定したデータベースファイルと同じ"
                      u"フォルダーに置いてください。"_qs.arg(link, quoted.join(u"、"_qs)),
                      QString::fromLocal8Bit(std::strerror(ENOENT)));
}

Error linkedFileUnreadable(const QString& link, const QString& path, const Error& why)
{
    return withEngine(
        u"リンクテーブル「%1」のリンク先のデータベースファイル「%2」を読めません。"_qs.arg(
            link, shown(path)),
        why.description());
}

Error linkedTableMissing(const QString& link, const QString& path, const QString& foreignName)
{
    return withEngine(u"リンクテーブル「%1」のリンク先のテーブル「%2」は、"
                      u"データベースファイル「%3」にありません。Access の"
                      u"リンク テーブル マネージャーでリンクを更新してください。"_qs.arg(
                          link, foreignName, shown(path)),
                      u"no table or link named %1 in the linked file"_qs.arg(foreignName));
}

Error linkCycle(const QString& link, const QStringList& chain)
{
    return withEngine(u"リンクテーブル「%1」のリンクをたどると、元のテーブルに戻って"
                      u"しまいます。Access でリンクを作り直してください。"_qs.arg(link),
                      u"links run in a circle: %1"_qs.arg(chain.join(u" -> "_qs)));
}

Error queryNotUnderstood(const QString& query, const QString& engine)
{
    return withEngine(u"SQL 文を解釈できません。SQL 文を確認してください: %1"_qs.arg(query),
                      engine);
}

Error queryFailed(const QString& query, const QString& engine)
{
    return withEngine(u"SQL 文を実行できません: %1"_qs.arg(query), engine);
}

Error unsupportedFunction(const QString& query, const QString& function, const QString& engine)
{
    return withEngine(u"関数「%1」は使えません。使える関数は IIf, Nz, Left, Right, Mid, "
                      u"Len, Trim, UCase, LCase, CStr, CLng, CDbl, Val, Format "
                      u"です。SQL 文を確認してください: %2"_qs.arg(function, query),
                      engine);
}

Error onlySelect(const QString& query, const QString& engine)
{
    return withEngine(
        u"データベースは読み取り専用です。SELECT 文だけを実行できます: %1"_qs.arg(query), engine);
}

Error emptyResult()
{
    return Error(u"該当するレコードがありません。"_qs);
}

Error noCurrentRecord()
{
    return Error(u"現在のレコードがありません。レコードの終わりを過ぎています。"_qs);
}

Error noSuchField(const QString& name)
{
    return Error(u"列「%1」は SQL 文の結果にありません。"_qs.arg(name));
}

Error noSuchFieldPosition(int position, int fieldCount)
{
    return Error(
        u"SQL 文の結果には %1 列しかありません(%2 番目の列を求められました)。"_qs.arg(fieldCount)
            .arg(position + 1));
}

} // namespace hakobee::accesserror
