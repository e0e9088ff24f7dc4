#include "ui/printcommand.h"

#include "ui/exitcodes.h"

#include "core/datasource/databaseprovider.h"
#include "core/datasource/datasourcefile.h"
#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printer/activeprinter.h"
#include "core/printer/printersetup.h"
#include "core/printer/printsetupdialog.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/labelinputs.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/printrun/runrows.h"
#include "core/printrun/runsettings.h"
#include "core/render/calibrationlabel.h"
#include "core/render/cancelrequest.h"
#include "core/render/labelprogress.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "platform/access/accessdatabase.h"
#include "platform/barcode/zintbarcodeencoder.h"
#include "platform/desktop/fonts.h"
#include "platform/printing/printjoboutput.h"
#include "platform/printing/qtprinterbackend.h"
#include "platform/printing/qtprinterdevice.h"
#include "ui/installedfiles.h"
#include "ui/offscreenapplication.h"
#include "ui/programhelp.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

namespace hakobee {

namespace {

// A summary line goes to standard output, everything else to standard error.
void writeTo(std::FILE* stream, const QString& text)
{
    if (stream == stdout)
        writeToStandardOutput(text + u'\n');
    else
        writeToStandardError(text + u'\n');
}

void say(const QString& text)
{
    writeToStandardError(text + u'\n');
}

QString usage()
{
    return u"使い方: hakobee print [--rows 開始行-終了行 | --calibration-label] "
           u"[--pdf フォルダ | --printer プリンタ名] [--job-format raster|pdf] "
           u"[--settings-root フォルダ]"_qs;
}

struct PrintOptions
{
    std::optional<std::pair<qint64, qint64>> rows;
    QString pdfFolder;
    QString printerName;
    QtPrinterDevice::JobFormat jobFormat = QtPrinterDevice::JobFormat::DriversOwn;
    QString settingsRoot = SettingsFolder::defaultRoot();
    bool calibrationLabel = false;
};

// The options after "print"; a description of what is wrong otherwise.
std::variant<PrintOptions, QString> parseOptions(int argc, char** argv)
{
    PrintOptions options;
    for (int i = 2; i < argc; ++i) {
        QString option = QString::fromLocal8Bit(argv[i]);
        if (option == u"--calibration-label") {
            options.calibrationLabel = true;
            continue;
        }
        QString value;
        if (const qsizetype equals = option.indexOf(u'='); option.startsWith(u"--") && equals > 0) {
            value = option.mid(equals + 1);
            option = option.left(equals);
        } else if (i + 1 < argc) {
            value = QString::fromLocal8Bit(argv[++i]);
        } else {
            return u"%1 に値がありません。"_qs.arg(option);
        }
        if (option == u"--rows") {
            static const QRegularExpression range(u"^\\s*(\\d+)\\s*-\\s*(\\d+)\\s*$"_qs);
            const QRegularExpressionMatch match = range.match(value);
            const qint64 first = match.captured(1).toLongLong();
            const qint64 last = match.captured(2).toLongLong();
            if (!match.hasMatch() || first < 1 || last < first)
                return u"--rows には 開始行-終了行 を 1 "
                       u"以上の行番号で、開始行から順に指定してください"
                       u"（例: --rows 301-600）。「%1」は使えません。"_qs.arg(value);
            options.rows = {first, last};
        } else if (option == u"--pdf") {
            options.pdfFolder = value;
        } else if (option == u"--printer") {
            options.printerName = value;
        } else if (option == u"--job-format") {
            if (value != u"raster" && value != u"pdf")
                return u"--job-format には raster か pdf を指定してください。「%1」は使えません。"_qs
                    .arg(value);
            options.jobFormat = value == u"pdf" ? QtPrinterDevice::JobFormat::Pdf
                                                : QtPrinterDevice::JobFormat::DriversOwn;
        } else if (option == u"--settings-root") {
            options.settingsRoot = value;
        } else {
            return u"知らないオプション「%1」です。"_qs.arg(option);
        }
        if (value.isEmpty())
            return u"%1 の値が空です。"_qs.arg(option);
    }
    if (!options.pdfFolder.isEmpty() && !options.printerName.isEmpty())
        return u"--pdf と --printer は一緒に指定できません。"_qs;
    if (options.calibrationLabel && options.rows)
        return u"--calibration-label と --rows は一緒に指定できません。"_qs;
    return options;
}

// What would stop the main menu's loading: a settings file missing, empty
// or unreadable. Empty when all can be read.
QString settingsFault(const SettingsFolder& folder)
{
    try {
        readSettingsRows(folder.filePath(SettingsFiles::layout), 4);
        readSettingsRows(folder.filePath(SettingsFiles::dataSource), 3);
        readSettingsRows(folder.filePath(SettingsFiles::furnitureSlip), 99);
    } catch (const Error& error) {
        return error.description();
    }
    return {};
}

// Messages of the printer setup go to standard error.
class StandardErrorMessages : public MessageBoxes
{
public:
    MessageAnswer show(QWidget*, const Message& message) override
    {
        say(message.title.isEmpty() ? message.text : message.title + u": "_qs + message.text);
        return MessageAnswer::Ok;
    }
};

// Never shown: a run without windows chooses no printer in a dialog.
class NoPrintSetupDialog : public PrintSetupDialog
{
public:
    bool exec(quint32, QWidget*, QByteArray&, QByteArray&) override { return false; }
};

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

// The printers a print command chooses from: with --pdf only the PDF folder
// printer writing into that folder, otherwise the installed ones.
QtPrinterBackend printerBackendFor(const PrintOptions& options)
{
    const bool toPdf = !options.pdfFolder.isEmpty();
    return QtPrinterBackend(
        toPdf ? QDir(options.pdfFolder).absolutePath() : PdfFolderOutput::defaultFolder(),
        toPdf ? QtPrinterBackend::SystemPrinters::Ignore : QtPrinterBackend::SystemPrinters::Use);
}

// Makes the printer the command prints on current: the one --printer names,
// or, unless the labels go to a PDF folder, the one remembered from the
// window (made current when the printer is first used). False, said why,
// when --printer names no installed printer.
bool choosePrinter(ActivePrinter& printer, const PrintOptions& options,
                   RememberedPrinter& remembered)
{
    if (!options.printerName.isEmpty()) {
        if (!printer.makeCurrent(options.printerName)) {
            say(u"プリンタ「%1」はありません。使えるプリンタ: %2"_qs.arg(
                options.printerName, printer.installedPrinters().join(u"、"_qs)));
            return false;
        }
    } else if (options.pdfFolder.isEmpty()) {
        remembered.restoreAtFirstUse(printer);
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
    QtPrinterBackend backend = printerBackendFor(options);
    ActivePrinter printer(backend, ActivePrinter::Opening::OnFirstUse);
    SettingsFolder settings(options.settingsRoot);
    RememberedPrinter remembered(settings);
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
    if (const QString fault = settingsFault(settings); fault.isEmpty()) {
        StandardDatabaseProvider databases(settings, openAccessDatabase);
        applyStoredPaper(printer, readRunPrinterSettings(databases));
    } else {
        say(fault);
        say(u"設定ファイルを読めないので、プリンターの今の用紙に印刷します。"_qs);
    }

    NoLabelProgress progress;
    CancelRequest cancel;
    LabelPipeline labels(std::make_unique<ZintBarcodeEncoder>(), printer.canvas(), progress,
                         cancel);
    const CalibrationLabel label =
        calibrationLabelFor(printer, PrintFont{QApplication::font().family()},
                            labels.recordBarcode(QString::fromLatin1(calibrationBarcodeValue)));
    drawCalibrationLabel(printer.canvas(), label);
    writeTo(stdout,
            u"位置調整用ラベルを 1 枚印刷しました（%1、%2）。印刷先: %3"_qs.arg(
                label.resolutionDpi > 0 ? u"%1 dpi"_qs.arg(label.resolutionDpi) : u"解像度 不明"_qs,
                label.paperText, destinationOf(printer, backend)));
    return ExitCode::success;
}

int printLabels(const PrintOptions& options)
{
    SettingsFolder settings(options.settingsRoot);
    // An installed program keeps the default copies in its data folder, not
    // beside itself: restoring needs to be told where they are.
    settings.setDefaultCopyFolders(defaultCopyFolders());
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
    StandardDatabaseProvider databases(settings, openAccessDatabase);
    RememberedPrinter remembered(settings);
    if (!remembered.problem().isEmpty())
        say(remembered.problem());

    QtPrinterBackend backend = printerBackendFor(options);
    ActivePrinter printer(backend, ActivePrinter::Opening::OnFirstUse);
    if (!choosePrinter(printer, options, remembered))
        return ExitCode::failure;
    StandardErrorMessages messages;
    NoPrintSetupDialog dialog;
    PrinterSetup printerSetup(printer, dialog, messages);
    UnattendedPrinterProtocol protocol(printerSetup);
    if (asksForPrinterAtEachRun(readRunPrinterSettings(databases).connectionType)) {
        const QString destination = destinationOf(printer, backend);
        if (!remembered.isMissing())
            say(u"接続タイプは「変動」ですが、印刷設定の画面は出さずに %1 に印刷します。"_qs.arg(
                destination));
    }

    NoLabelProgress progress;
    CancelRequest cancel;
    LabelPipeline labels(std::make_unique<ZintBarcodeEncoder>(), printer.canvas(), progress,
                         cancel);
    // Every label sent is a progress line on standard error.
    class ProgressLines : public PrintRunView
    {
    public:
        void showRunStatus(RunStatus) override {}
        void showLabelPrinted(int label, const RunRecord& record) override
        {
            say(u"%1 枚目: %2 %3"_qs.arg(QString::number(label), record.barcodeValue,
                                         record.itemName));
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
        result = run.start(rows, u"1"_qs, QString::number(last - first + 1));
        rowsLeft = result.end == RunEnd::AllowanceStopped && result.nextRowNumber <= last;
        if (result.end == RunEnd::Failed) {
            say(withLabelsWithoutBarcodeNote(partialRunFailureMessage(result.failure), result));
            sayHowToChooseAnotherPrinter(remembered);
            return ExitCode::failure;
        }
    } else {
        ContinuousRun run(services, view);
        result = run.start(query);
        rowsLeft = result.end == RunEnd::AllowanceStopped;
        if (result.end == RunEnd::Failed) {
            say(continuousRunFailureMessage(result));
            sayHowToChooseAnotherPrinter(remembered);
            return ExitCode::failure;
        }
    }
    writeTo(stdout, u"%1 枚のラベルを印刷しました。印刷先: %2"_qs.arg(
                        QString::number(result.printed), destinationOf(printer, backend)));
    if (const QString note = labelsWithoutBarcodeNote(result); !note.isEmpty())
        writeTo(stdout, note);
    if (rowsLeft)
        say(u"1 回の印刷は 300 枚までです。%1 行目から後は印刷していません"
            u"（続きは --rows %1-... で印刷できます）。"_qs.arg(
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
    if (argc == 3 && (qstrcmp(argv[2], "--help") == 0 || qstrcmp(argv[2], "-h") == 0)) {
        writeTo(stdout, helpText());
        return ExitCode::success;
    }
    const std::variant<PrintOptions, QString> parsed = parseOptions(argc, argv);
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
