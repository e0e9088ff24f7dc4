#include "ui/printerscommand.h"

#include "core/printer/rememberedprinter.h"
#include "core/settings/settingsfolder.h"
#include "platform/printing/printjoboutput.h"
#include "platform/printing/qtprinterbackend.h"
#include "ui/exitcodes.h"
#include "ui/offscreenapplication.h"
#include "ui/printerlisting.h"
#include "ui/programhelp.h"

#include <variant>

namespace hakobee {

namespace {

QString usage()
{
    return u"使い方: hakobee printers [--printer プリンタ名] [--settings-root フォルダ]"_qs;
}

QString helpText()
{
    return usage() +
           u"\n\n"
           u"使えるプリンターを OS の順に、それぞれの解像度と用紙の一覧をつけて書きます。\n"
           u"現在のプリンター（プリンター名を指定しない印刷の印刷先: 画面で選んで記憶した\n"
           u"プリンター、なければ OS の既定のプリンター）の行は「* 」で始まり、\n"
           u"ほかのプリンターの行は空白 2 つで始まります。記憶したプリンターがもうないときは\n"
           u"どの行にも「* 」をつけず、そのことを標準エラー出力に書きます。用紙は 1 行に 1 つ、\n"
           u"「用紙番号, 幅 x 高さ mm, 名前」で、用紙一覧と同じ整数のミリメートルです。\n"
           u"\n"
           u"  --printer プリンタ名    このプリンターだけを書く（大文字小文字は区別しない）\n"
           u"  --settings-root フォルダ  記憶したプリンターを、このフォルダーの下の設定フォルダー\n"
           u"                          qvx_ini から読む\n"
           u"\n"
           u"終了コード: 0 成功、1 失敗（知らないプリンター名など。理由は標準エラー出力に）、\n"
           u"            2 コマンドラインの誤り\n"_qs;
}

struct PrintersOptions
{
    QString printerName;
    // Where the printer chosen in the window is remembered.
    QString settingsRoot = SettingsFolder::defaultRoot();
};

// The options after "printers"; a description of what is wrong otherwise.
std::variant<PrintersOptions, QString> parseOptions(int argc, char** argv)
{
    PrintersOptions options;
    for (int i = 2; i < argc; ++i) {
        QString option = QString::fromLocal8Bit(argv[i]);
        QString value;
        if (const qsizetype equals = option.indexOf(u'='); option.startsWith(u"--") && equals > 0) {
            value = option.mid(equals + 1);
            option = option.left(equals);
        } else if (option != u"--printer" && option != u"--settings-root") {
            return u"知らないオプション「%1」です。"_qs.arg(option);
        } else if (i + 1 < argc) {
            value = QString::fromLocal8Bit(argv[++i]);
        } else {
            return u"%1 に値がありません。"_qs.arg(option);
        }
        if (option == u"--printer")
            options.printerName = value;
        else if (option == u"--settings-root")
            options.settingsRoot = value;
        else
            return u"知らないオプション「%1」です。"_qs.arg(option);
        if (value.isEmpty())
            return u"%1 の値が空です。"_qs.arg(option);
    }
    return options;
}

} // namespace

int runPrintersCommand(int argc, char** argv)
{
    if (argc == 3 && (qstrcmp(argv[2], "--help") == 0 || qstrcmp(argv[2], "-h") == 0)) {
        writeToStandardOutput(helpText());
        return ExitCode::success;
    }
    const std::variant<PrintersOptions, QString> parsed = parseOptions(argc, argv);
    if (const QString* problem = std::get_if<QString>(&parsed)) {
        writeToStandardError(*problem + u'\n' + usage() + u'\n');
        return ExitCode::usage;
    }
    const PrintersOptions& options = std::get<PrintersOptions>(parsed);
    OffscreenApplication application(argc, argv);
    const SettingsFolder settings(options.settingsRoot);
    const RememberedPrinter remembered(settings);
    if (!remembered.problem().isEmpty())
        writeToStandardError(remembered.problem() + u'\n');
    QtPrinterBackend backend(PdfFolderOutput::defaultFolder());
    const PrinterListing listing =
        listPrinters(backend, options.printerName, remembered.deviceName());
    writeToStandardOutput(listing.out);
    writeToStandardError(listing.err);
    return listing.exitCode;
}

} // namespace hakobee
