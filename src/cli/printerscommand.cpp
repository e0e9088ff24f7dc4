#include "cli/printerscommand.h"

#include "cli/commandoptions.h"
#include "cli/offscreenapplication.h"
#include "cli/printerlisting.h"
#include "core/render/labelprogress.h"
#include "production/exitcodes.h"
#include "production/productionparts.h"
#include "production/standardstreams.h"

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

} // namespace

int runPrintersCommand(int argc, char** argv)
{
    CommandOptions given;
    given.withValue(u"--printer"_qs).withValue(u"--settings-root"_qs);
    const CommandOptions::Reading reading = given.read(argc, argv);
    if (reading == CommandOptions::Reading::Help) {
        writeToStandardOutput(helpText());
        return ExitCode::success;
    }
    if (reading == CommandOptions::Reading::Wrong) {
        writeToStandardError(given.problem() + u'\n' + usage() + u'\n');
        return ExitCode::usage;
    }
    OffscreenApplication application(argc, argv);
    // The printer chosen in the window is only read: the listing marks it
    // itself, without making it current.
    NoLabelProgress progress;
    ProductionOptions options;
    if (given.isSet(u"--settings-root"_qs))
        options.settingsRoot = given.value(u"--settings-root"_qs);
    options.restoreRememberedPrinter = false;
    options.dialogs = ProductionOptions::Dialogs::Unattended;
    ProductionParts production(options, progress);
    const RememberedPrinter& remembered = production.rememberedPrinter();
    if (!remembered.problem().isEmpty())
        writeToStandardError(remembered.problem() + u'\n');
    const PrinterListing listing = listPrinters(
        production.printerBackend(), given.value(u"--printer"_qs), remembered.deviceName());
    writeToStandardOutput(listing.out);
    writeToStandardError(listing.err);
    return listing.exitCode;
}

} // namespace hakobee
