#include "ui/programhelp.h"

#include "core/programversion.h"

namespace hakobee {

namespace {

bool asksFor(const QStringList& arguments, const QStringList& options)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i - 1] == QLatin1String("--settings-root"))
            continue;
        if (options.contains(arguments[i]))
            return true;
    }
    return false;
}

} // namespace

QString programVersionText()
{
    return u"hakobee "_qs + QString::fromLatin1(programVersion) + u'\n';
}

QString programHelpText()
{
    return u"使い方: hakobee [--settings-root フォルダー]\n"
           u"        hakobee サブコマンド [オプション]\n"
           u"\n"
           u"Access データベースのレコードを 1 件ずつバーコードラベルに印刷します。\n"
           u"サブコマンドなしで起動すると画面（メインメニュー）を開きます。\n"
           u"\n"
           u"オプション:\n"
           u"  --settings-root フォルダー  設定フォルダー qvx_ini をこのフォルダーの下で使う\n"
           u"                              （既定: ホームフォルダー、Windows では C:\\）\n"
           u"  -h, --help                  この説明を表示して終了する\n"
           u"  -v, --version               バージョンを表示して終了する\n"
           u"\n"
           u"サブコマンド（それぞれ --help で説明を表示します）:\n"
           u"  print     画面を使わずに通常発行（--rows で部分発行）する。\n"
           u"            --calibration-label で位置調整用ラベルを 1 枚印刷する\n"
           u"  printers  使えるプリンターと、それぞれの解像度と用紙を書く\n"
           u"  query     データベースに SQL 文を実行し、結果を CSV で標準出力に書く。\n"
           u"            --tables でテーブルと保存されたクエリの一覧を書く。データベースは\n"
           u"            Access ファイル、CSV ファイルのフォルダー、Excel ブック (.xlsx, .xls)、\n"
           u"            PostgreSQL の URI、ODBC の接続文字列\n"
           u"\n"
           u"終了コード:\n"
           u"  0  成功\n"
           u"  1  "
           u"処理の失敗（データベースや印刷のエラー、画面を表示できない）。理由は標準エラー出力に\n"
           u"  2  コマンドラインの誤り（知らないオプションやサブコマンド、値の不足）\n"
           u"\n"
           u"詳しくは man hakobee を参照してください。\n"_qs;
}

bool asksForHelp(const QStringList& arguments)
{
    return asksFor(arguments, {u"-h"_qs, u"--help"_qs, u"-?"_qs, u"--help-all"_qs});
}

bool asksForVersion(const QStringList& arguments)
{
    return asksFor(arguments, {u"-v"_qs, u"--version"_qs});
}

} // namespace hakobee
