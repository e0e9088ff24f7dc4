#include "platform/access/accesserrors.h"

#include <QDir>

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
