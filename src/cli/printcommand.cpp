#include "cli/printcommand.h"

#include "cli/commandoptions.h"
#include "cli/offscreenapplication.h"
#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/labelinputs.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/printrun/runrecord.h"
#include "core/printrun/runrows.h"
#include "core/printrun/runsettings.h"
#include "core/render/calibrationlabel.h"
#include "core/render/labelprogress.h"
#include "core/settings/datasourcefile.h"
#include "core/settings/layoutfile.h"
#include "core/settings/printadjustmentsfile.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/qtprinterbackend.h"
#include "platform/printing/qtprinterdevice.h"
#include "production/exitcodes.h"
#include "production/productionparts.h"
#include "production/standardstreams.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QRegularExpression>

#include <optional>

namespace hakobee {

namespace {

// A summary line goes to standard output, everything else to standard error.
void report(const QString& text)
{
    writeToStandardOutput(text + u'\n');
}

void say(const QString& text)
{
    writeToStandardError(text + u'\n');
}

QString usage()
{
    return u"使い方: hakobee print [--rows 開始行-終了行 | --calibration-label] "
           u"[--copies 枚数] [--pdf フォルダ | --printer プリンタ名] [--job-format raster|pdf] "
           u"[--settings-root フォルダ]"_qs;
}

struct PrintOptions
{
    std::optional<std::pair<qint64, qint64>> rows;
    int labelsPerRecord = 1;
    QString pdfFolder;
    QString printerName;
    QtPrinterDevice::JobFormat jobFormat = QtPrinterDevice::JobFormat::DriversOwn;
    QString settingsRoot = SettingsFolder::defaultRoot();
    bool calibrationLabel = false;
};

// The options after "print", as the command line gave them; a description
// of what is wrong otherwise.
std::variant<PrintOptions, QString> printOptionsFrom(const CommandOptions& given)
{
    PrintOptions options;
    options.calibrationLabel = given.isSet(u"--calibration-label"_qs);
    if (given.isSet(u"--rows"_qs)) {
        const QString value = given.value(u"--rows"_qs);
        static const QRegularExpression range(u"^\\s*(\\d+)\\s*-\\s*(\\d+)\\s*$"_qs);
        const QRegularExpressionMatch match = range.match(value);
        const qint64 first = match.captured(1).toLongLong();
        const qint64 last = match.captured(2).toLongLong();
        if (!match.hasMatch() || first < 1 || last < first)
            return u"--rows には 開始行-終了行 を 1 "
                   u"以上の行番号で、開始行から順に指定してください"
                   u"（例: --rows 301-600）。「%1」は使えません。"_qs.arg(value);
        options.rows = {first, last};
    }
    if (given.isSet(u"--copies"_qs)) {
        const QString value = given.value(u"--copies"_qs);
        static const QRegularExpression digits(u"^\\d{1,3}$"_qs);
        const int labels = value.toInt();
        if (!digits.match(value).hasMatch() || labels < 1 || labels > mostLabelsOfRecord)
            return u"--copies には 1 から %1 までの枚数を指定してください。「%2」は使えません。"_qs
                .arg(mostLabelsOfRecord)
                .arg(value);
        options.labelsPerRecord = labels;
    }
    options.pdfFolder = given.value(u"--pdf"_qs);
    options.printerName = given.value(u"--printer"_qs);
    if (given.isSet(u"--job-format"_qs)) {
        const QString value = given.value(u"--job-format"_qs);
        if (value != u"raster" && value != u"pdf")
            return u"--job-format には raster か pdf を指定してください。「%1」は使えません。"_qs
                .arg(value);
        options.jobFormat = value == u"pdf" ? QtPrinterDevice::JobFormat::Pdf
                                            : QtPrinterDevice::JobFormat::DriversOwn;
    }
    if (given.isSet(u"--settings-root"_qs))
        options.settingsRoot = given.value(u"--settings-root"_qs);
    if (!options.pdfFolder.isEmpty() && !options.printerName.isEmpty())
        return u"--pdf と --printer は一緒に指定できません。"_qs;
    if (options.calibrationLabel && options.rows)
        return u"--calibration-label と --rows は一緒に指定できません。"_qs;
    if (options.calibrationLabel && given.isSet(u"--copies"_qs))
        return u"--calibration-label と --copies は一緒に指定できません。"_qs;
    return options;
}

// The program's parts as the command prints with them: nobody to ask, the
// installed default copies, the PDF folder of --pdf, and the printer
// remembered from the window unless the command names where labels go.
ProductionOptions productionOptionsFor(const PrintOptions& options)
{
    ProductionOptions production = ProductionOptions::installedProgram(options.settingsRoot);
    production.pdfFolder = options.pdfFolder;
    production.restoreRememberedPrinter =
        options.printerName.isEmpty() && options.pdfFolder.isEmpty();
    production.dialogs = ProductionOptions::Dialogs::Unattended;
    return production;
}

// What would stop the main menu's loading: a settings file missing, empty
// or unreadable. Empty when all can be read.
QString settingsFault(const SettingsFolder& folder)
{
    try {
        readLayoutRows(folder);
        readDataSourceRows(folder);
        readPrintAdjustmentsRecord(folder);
    } catch (const Error& error) {
        return error.description();
    }
    return {};
}

QString destinationOf(const ActivePrinter& printer, const QtPrinterBackend& backend)
{
    if (printer.deviceName() == QtPrinterBackend::pdfFolderPrinterName())
        return u"PDFフォルダ %1"_qs.arg(QDir::toNativeSeparators(backend.pdfFolder()));
    return u"プリンタ「%1」"_qs.arg(printer.deviceName());
}

// The command line's own way past a remembered printer that is missing.
void sayHowToChooseAnotherPrinter(const RememberedPrinter& remembered)
{
    if (remembered.isMissing())
        say(u"別のプリンターに印刷するには --printer プリンタ名 を指定してください。"_qs);
}

// Makes the printer --printer names current; without it the parts make the
// one remembered from the window current when the printer is first used
// (productionOptionsFor). False, said why, when --printer names no
// installed printer.
bool choosePrinter(ActivePrinter& printer, const PrintOptions& options,
                   const RememberedPrinter& remembered)
{
    if (!options.printerName.isEmpty() && !printer.makeCurrent(options.printerName)) {
        say(u"プリンタ「%1」はありません。使えるプリンタ: %2"_qs.arg(
            options.printerName, printer.installedPrinters().join(u"、"_qs)));
        return false;
    }
    if (options.jobFormat != QtPrinterDevice::JobFormat::DriversOwn && !remembered.isMissing()) {
        if (auto* device = dynamic_cast<QtPrinterDevice*>(&printer.device()))
            device->setJobFormat(options.jobFormat);
    }
    return true;
}

// One calibration label on the chosen printer, on the paper the labels print
// on (the paper screen's, with the fixed connection type). Unreadable
// settings leave the printer's own paper: a calibration label is no reason
// to restore the settings files.
int printCalibrationLabel(const PrintOptions& options)
{
    NoLabelProgress progress;
    ProductionParts production(productionOptionsFor(options), progress);
    ActivePrinter& printer = production.printer();
    const RememberedPrinter& remembered = production.rememberedPrinter();
    if (!remembered.problem().isEmpty())
        say(remembered.problem());
    if (!choosePrinter(printer, options, remembered))
        return ExitCode::failure;
    printer.deviceName(); // the printer's first use: the remembered one, if still there
    if (remembered.isMissing()) {
        say(remembered.missingMessage());
        sayHowToChooseAnotherPrinter(remembered);
        return ExitCode::failure;
    }
    if (const QString fault = settingsFault(production.settings()); fault.isEmpty()) {
        applyStoredPaper(printer, readRunPrinterSettings(production.databases()));
    } else {
        say(fault);
        say(u"設定ファイルを読めないので、プリンターの今の用紙に印刷します。"_qs);
    }

    const CalibrationLabel label = calibrationLabelFor(
        printer, PrintFont{QApplication::font().family()},
        production.labels().recordBarcode(QString::fromLatin1(calibrationBarcodeValue)));
    drawCalibrationLabel(printer.canvas(), label);
    report(u"位置調整用ラベルを 1 枚印刷しました（%1、%2）。印刷先: %3"_qs.arg(
        label.resolutionDpi > 0 ? u"%1 dpi"_qs.arg(label.resolutionDpi) : u"解像度 不明"_qs,
        label.paperText, destinationOf(printer, production.printerBackend())));
    return ExitCode::success;
}

int printLabels(const PrintOptions& options)
{
    NoLabelProgress progress;
    ProductionParts production(productionOptionsFor(options), progress);
    SettingsFolder& settings = production.settings();
    if (const QString fault = settingsFault(settings); !fault.isEmpty()) {
        say(fault);
        const SettingsResetReport report = resetSettingsFiles(settings);
        if (!report.complete()) {
            say(report.message());
            return ExitCode::failure;
        }
        say(u"設定ファイルを初期値に戻しました（%1）。初期値で印刷します。"_qs.arg(
            QDir::toNativeSeparators(settings.folderPath())));
    }
    StandardDatabaseProvider& databases = production.databases();
    RememberedPrinter& remembered = production.rememberedPrinter();
    if (!remembered.problem().isEmpty())
        say(remembered.problem());

    const QtPrinterBackend& backend = production.printerBackend();
    ActivePrinter& printer = production.printer();
    if (!choosePrinter(printer, options, remembered))
        return ExitCode::failure;
    UnattendedPrinterProtocol protocol(production.printerSetup());
    if (asksForPrinterAtEachRun(readRunPrinterSettings(databases).connectionType)) {
        const QString destination = destinationOf(printer, backend);
        if (!remembered.isMissing())
            say(u"接続タイプは「変動」ですが、印刷設定の画面は出さずに %1 に印刷します。"_qs.arg(
                destination));
    }

    LabelPipeline& labels = production.labels();
    // Every label sent is a progress line on standard error; one of a
    // record of several labels says which of them it is.
    class ProgressLines : public PrintRunView
    {
    public:
        void showRunStatus(RunStatus) override {}
        void showLabelPrinted(int label, const RunRecord& record, int copy, int copies) override
        {
            QString line = u"%1 枚目: %2 %3"_qs.arg(QString::number(label), record.barcodeValue,
                                                    record.itemName);
            if (copies > 1)
                line += u"（%1/%2枚目）"_qs.arg(copy).arg(copies);
            say(line);
        }
    } view;
    SavedLabelInputs inputs(settings, databases, QApplication::font().family(), &remembered,
                            &printer);
    const PrintRunServices services{databases, settings, labels,     inputs,
                                    protocol,  &printer, &remembered};

    const DataSourceSettings dataSource = readDataSourceRows(settings);
    const QString query = dataSourceQuery(dataSource.selectText, dataSource.table);
    RunResult result;
    bool rowsLeft = false;
    if (options.rows) {
        const auto [first, last] = *options.rows;
        std::unique_ptr<Connection> connection =
            databases.open(dataSourceConnectionString(dataSource.databasePath));
        std::unique_ptr<Recordset> records =
            connection->openRecordset(query, CursorKind::StaticRead);
        RecordsetRows rows(std::move(connection), std::move(records));
        rows.skipTo(first);
        PartialRun run(services, view);
        run.setLabelsPerRecord(options.labelsPerRecord);
        result = run.start(rows, u"1"_qs, QString::number(last - first + 1));
        rowsLeft = result.end == RunEnd::AllowanceStopped && result.nextRowNumber <= last;
        if (result.end == RunEnd::Failed) {
            say(withLabelsWithoutBarcodeNote(partialRunFailureMessage(result.failure), result));
            say(u"%1 枚印刷しました。"_qs.arg(QString::number(result.printed)));
            sayHowToChooseAnotherPrinter(remembered);
            return ExitCode::failure;
        }
    } else {
        ContinuousRun run(services, view);
        run.setLabelsPerRecord(options.labelsPerRecord);
        result = run.start(query);
        rowsLeft = result.end == RunEnd::AllowanceStopped;
        if (result.end == RunEnd::Failed) {
            say(continuousRunFailureMessage(result));
            sayHowToChooseAnotherPrinter(remembered);
            return ExitCode::failure;
        }
    }
    const QString printed = result.records == result.printed
                                ? u"%1 枚"_qs.arg(result.printed)
                                : u"%1 枚（%2 件）"_qs.arg(result.printed).arg(result.records);
    report(
        u"%1のラベルを印刷しました。印刷先: %2"_qs.arg(printed, destinationOf(printer, backend)));
    if (const QString note = labelsWithoutBarcodeNote(result); !note.isEmpty())
        report(note);
    // The allowance counts records: said in labels while they are the same.
    if (rowsLeft)
        say(u"1 回の印刷は 300 %1までです。%2 行目から後は印刷していません"
            u"（続きは --rows %2-... で印刷できます）。"_qs.arg(
                result.records == result.printed ? u"枚"_qs : u"件"_qs,
                QString::number(result.nextRowNumber)));
    return 0;
}

} // namespace

QString helpText()
{
    return usage() +
           u"\n\n"
           u"設定フォルダーの設定で、画面の通常発行と同じように全レコードを印刷します\n"
           u"（1 回に 300 件まで、1 件が 1 つの印刷ジョブ）。画面は使いません。\n"
           u"\n"
           u"  --rows 開始行-終了行    部分発行: クエリ結果のこの範囲の行だけを印刷する\n"
           u"  --copies 枚数           1 件のレコードに印刷するラベルの枚数（1〜999、既定 1）。\n"
           u"                          SQL構文に 5 番目の項目があれば、その値（0〜999）を\n"
           u"                          レコードごとの枚数として優先する。1 件の枚数分が\n"
           u"                          1 つの印刷ジョブ\n"
           u"  --calibration-label     レコードの代わりに位置調整用ラベルを 1 枚印刷する\n"
           u"                          （印刷可能範囲の左上からのミリメートル目盛り、\n"
           u"                          (10, 10) mm の十字線、プリンター名・解像度・用紙、\n"
           u"                          テスト用バーコード 4901234567894）\n"
           u"  --pdf フォルダ          PDF プリンターでこのフォルダに 1 件 1 ファイルで書く\n"
           u"  --printer プリンタ名    このプリンターに印刷する（既定: 画面で選んだプリンター）\n"
           u"  --job-format raster|pdf  ラスター対応のドライバー（ラベルプリンター）にも\n"
           u"                          PDF "
           u"で送る（pdf）か、ドライバーのラスターで送る（raster、既定）\n"
           u"  --settings-root フォルダ  設定フォルダー qvx_ini をこのフォルダーの下で使う\n"
           u"\n"
           u"進み具合は標準エラー出力に書きます。\n"
           u"終了コード: 0 成功、1 印刷の失敗（理由は標準エラー出力に）、\n"
           u"            2 コマンドラインの誤り\n"_qs;
}

int runPrintCommand(int argc, char** argv)
{
    CommandOptions given;
    given.withSwitch(u"--calibration-label"_qs)
        .withValue(u"--rows"_qs)
        .withValue(u"--copies"_qs)
        .withValue(u"--pdf"_qs)
        .withValue(u"--printer"_qs)
        .withValue(u"--job-format"_qs)
        .withValue(u"--settings-root"_qs);
    const CommandOptions::Reading reading = given.read(argc, argv);
    if (reading == CommandOptions::Reading::Help) {
        report(helpText());
        return ExitCode::success;
    }
    const std::variant<PrintOptions, QString> parsed =
        reading == CommandOptions::Reading::Wrong
            ? std::variant<PrintOptions, QString>(given.problem())
            : printOptionsFrom(given);
    if (const QString* problem = std::get_if<QString>(&parsed)) {
        say(*problem);
        say(usage());
        return ExitCode::usage;
    }
    OffscreenApplication application(argc, argv);
    useJapaneseDefaultFont();
    try {
        const PrintOptions& options = std::get<PrintOptions>(parsed);
        return options.calibrationLabel ? printCalibrationLabel(options) : printLabels(options);
    } catch (const Error& error) {
        say(error.description());
        return ExitCode::failure;
    }
}

} // namespace hakobee
