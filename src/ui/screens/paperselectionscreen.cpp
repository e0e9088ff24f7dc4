#include "ui/screens/paperselectionscreen.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printer/activeprinter.h"
#include "core/printer/paperlist.h"
#include "core/printer/printeroffset.h"
#include "core/printer/printersetup.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/runsettings.h"
#include "core/render/calibrationlabel.h"
#include "core/render/labelnumbers.h"
#include "core/settings/layoutfile.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/printerinuselabel.h"
#include "ui/screenhost.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QVBoxLayout>

namespace hakobee {

namespace {

constexpr int widthTwips = 8000;
// Room for the calibration below the printer and paper.
constexpr int heightTwips = 5900;
constexpr int offsetTwips = 10;

// "+2.00", "-1.50", "0.00".
QString signedMillimetres(double mm)
{
    const QString text = QString::number(mm, 'f', 2);
    return mm > 0 ? u"+"_qs + text : text;
}

// A measured distance on the label: a number from 0 to 100 millimetres.
double measuredMillimetres(const QString& text, const QString& whatItIs)
{
    constexpr double largestMm = 100;
    const double mm = parseDecimalText(text, whatItIs);
    if (mm < 0 || mm > largestMm)
        throw Error(u"%1「%2」は 0 から %3 mm の間で入力してください。"_qs.arg(
            whatItIs, text, QString::number(largestMm)));
    return mm;
}

} // namespace

PaperSelectionScreen::PaperSelectionScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setWindowTitle(u"プリンター設定"_qs);
    buildControls();
    connect(paperList_, &QListWidget::itemSelectionChanged, this,
            &PaperSelectionScreen::takeSelectedPaper);
    connect(printSetupButton_, &QPushButton::clicked, this, &PaperSelectionScreen::showPrintSetup);
    connect(saveButton_, &QPushButton::clicked, this, &PaperSelectionScreen::save);
    connect(calibrationPrintButton_, &QPushButton::clicked, this,
            &PaperSelectionScreen::printCalibrationLabel);
    connect(calibrationSaveButton_, &QPushButton::clicked, this,
            &PaperSelectionScreen::saveCalibration);
    if (!this->context().labels)
        calibrationPrintButton_->setEnabled(false);
    if (this->context().rememberedPrinter)
        connect(this->context().rememberedPrinter, &RememberedPrinter::changed, this,
                &PaperSelectionScreen::showPrinterOffset);
    else
        calibrationSaveButton_->setEnabled(false);
}

void PaperSelectionScreen::buildControls()
{
    QLabel* choosePrinter =
        controls::label(this, u"label1"_qs, u"プリンターを選択してください。"_qs);
    printSetupButton_ = controls::button(this, u"Command2"_qs, u"プリンターの設定"_qs);
    printSetupButton_->setMinimumSize(twipsToPixels(2535), twipsToPixels(615));
    QLabel* choosePaper = controls::label(this, u"Label3"_qs, u"用紙サイズを選択してください"_qs);

    paperList_ = new QListWidget(this);
    paperList_->setObjectName(u"List2(0)"_qs);
    paperList_->setSelectionMode(QAbstractItemView::SingleSelection);
    paperList_->setMinimumSize(twipsToPixels(2895), twipsToPixels(780));

    // Filled from the list; typing a code by hand could store one the
    // printer does not accept.
    paper_ = controls::lineEdit(this, u"Text5"_qs);
    paper_->setReadOnly(true);
    saveButton_ = controls::button(this, u"Command3"_qs, u"用紙設定"_qs);
    saveButton_->setMinimumSize(twipsToPixels(2535), twipsToPixels(615));
    QLabel* note = controls::label(this, u"Label4"_qs, u"※プリンターの設定のみ変更可能です"_qs);
    controls::setTextColour(note, Qt::red);

    printerInUse_ = makePrinterInUseLabel(this, context());

    auto* calibration = new QGroupBox(u"印刷位置の補正（プリンターごと）"_qs, this);
    calibration->setObjectName(u"FrameCalibration"_qs);
    QLabel* howTo = controls::label(
        calibration, u"LabelCalibration"_qs,
        u"「位置調整用ラベル印刷」で印刷したラベルの十字の中心を、ラベルの左端と上端から測って"
        u"入力してください（ずれがなければ 10 mm、10 mm）。"_qs);
    howTo->setWordWrap(true);
    calibrationPrintButton_ =
        controls::button(calibration, u"CommandCalibration"_qs, u"位置調整用ラベル印刷"_qs);
    measuredXMm_ = controls::lineEdit(calibration, u"TextCalibrationX"_qs);
    measuredYMm_ = controls::lineEdit(calibration, u"TextCalibrationY"_qs);
    for (QLineEdit* field : {measuredXMm_, measuredYMm_}) {
        field->setAlignment(Qt::AlignRight);
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance(u"000.00"_qs) + 16);
    }
    calibrationSaveButton_ =
        controls::button(calibration, u"CommandCalibrationSave"_qs, u"補正を保存"_qs);
    printerOffset_ = controls::label(calibration, u"LabelPrinterOffset"_qs);
    auto* measured = new QHBoxLayout;
    measured->addWidget(controls::label(calibration, u"LabelCalibrationX"_qs, u"左端から"_qs));
    measured->addWidget(measuredXMm_);
    measured->addWidget(controls::label(calibration, u"LabelCalibrationXUnit"_qs, u"mm"_qs));
    measured->addSpacing(12);
    measured->addWidget(controls::label(calibration, u"LabelCalibrationY"_qs, u"上端から"_qs));
    measured->addWidget(measuredYMm_);
    measured->addWidget(controls::label(calibration, u"LabelCalibrationYUnit"_qs, u"mm"_qs));
    measured->addSpacing(12);
    measured->addWidget(calibrationSaveButton_);
    measured->addStretch(1);
    auto* calibrationRows = new QVBoxLayout(calibration);
    calibrationRows->addWidget(calibrationPrintButton_, 0, Qt::AlignLeft);
    calibrationRows->addWidget(howTo);
    calibrationRows->addLayout(measured);
    calibrationRows->addWidget(printerOffset_);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 12, 16, 8);
    layout->setHorizontalSpacing(24);
    layout->setColumnStretch(1, 1);
    // Wide enough for the printer's name under its button.
    layout->setColumnMinimumWidth(0, twipsToPixels(3300));
    layout->addWidget(choosePrinter, 0, 0);
    // The printer's name wraps under its button; in a column of its own it
    // gets the height its lines need.
    auto* printerColumn = new QVBoxLayout;
    printerColumn->addWidget(printSetupButton_);
    printerColumn->addWidget(printerInUse_);
    // A long name takes two lines; the grid does not ask a wrapped label.
    printerInUse_->setMinimumHeight(2 * printerInUse_->fontMetrics().lineSpacing());
    printerInUse_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    printerColumn->addStretch(1);
    layout->addLayout(printerColumn, 1, 0, 3, 1);
    layout->addWidget(choosePaper, 0, 1);
    layout->addWidget(paperList_, 1, 1);
    layout->addWidget(paper_, 2, 1);
    layout->addWidget(saveButton_, 3, 1);
    layout->addWidget(note, 4, 0, 1, 2);
    layout->addWidget(calibration, 5, 0, 1, 2);
    layout->setRowStretch(1, 1);
    showPrinterOffset();
}

bool PaperSelectionScreen::load()
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    try {
        loaded_ = readLayoutRecord(*context().databases);
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
        return false;
    }
    paper_->setText(loaded_.paper);
    listPaperSizes();
    showPrinterOffset();
    return true;
}

void PaperSelectionScreen::listPaperSizes()
{
    // A printer that cannot say which sizes it takes leaves both lists empty;
    // the save then keeps the loaded paper.
    QList<SupportedPaperSize> sizes;
    try {
        sizes = context().printer->supportedPaperSizes();
    } catch (const Error&) {
    }
    for (const SupportedPaperSize& size : sizes) {
        paperList_->addItem(paperListEntry(size));
        paperCodes_.append(size.code);
    }
}

void PaperSelectionScreen::takeSelectedPaper()
{
    for (int row = 0; row < paperList_->count(); ++row) {
        if (paperList_->item(row)->isSelected())
            paper_->setText(QString::number(paperCodes_[row]));
    }
}

void PaperSelectionScreen::showPrintSetup()
{
    // The printer and paper chosen there are the current printer's, which
    // the fixed connection type prints on; the list stays as it was probed.
    if (context().printerSetup->ShowPrinterSetup(printSetupDialogFlags, this)) {
        showPrinterInUse(printerInUse_, context());
        showPrinterOffset();
    }
}

void PaperSelectionScreen::showPrinterOffset()
{
    if (!context().rememberedPrinter || !context().printer || !context().printer->isOpen()) {
        printerOffset_->clear();
        return;
    }
    const PrinterOffsetMm offset =
        context().rememberedPrinter->offsetMm(context().printer->deviceName());
    printerOffset_->setText(u"このプリンターの補正: 横 %1 mm、縦 %2 mm"_qs.arg(
        signedMillimetres(offset.horizontalMm), signedMillimetres(offset.verticalMm)));
}

void PaperSelectionScreen::printCalibrationLabel()
{
    ActivePrinter& printer = *context().printer;
    try {
        // The printer's first use makes the remembered printer current; when
        // it is gone the label goes nowhere rather than to another printer.
        printer.deviceName();
        if (context().rememberedPrinter)
            context().rememberedPrinter->checkNotMissing();
        // On the paper the labels print on, so that the crosshair lands where
        // a label's print position would.
        applyStoredPaper(printer, readRunPrinterSettings(*context().databases));
        const CalibrationLabel label = calibrationLabelFor(
            printer, PrintFont{font().family()},
            context().labels->recordBarcode(QString::fromLatin1(calibrationBarcodeValue)));
        // Straight on the printer's canvas, without the printer's offset:
        // saveCalibration takes what is measured as the whole drift.
        drawCalibrationLabel(printer.canvas(), label);
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
    }
    // The first use may have opened the default printer, which a context
    // without a remembered printer does not report.
    showPrinterInUse(printerInUse_, context());
}

void PaperSelectionScreen::saveCalibration()
{
    RememberedPrinter* remembered = context().rememberedPrinter;
    Q_ASSERT(remembered && context().printer);
    QString deviceName;
    PrinterOffsetMm offset;
    try {
        const double xMm =
            measuredMillimetres(measuredXMm_->text(), u"十字の中心の左端からの位置"_qs);
        const double yMm =
            measuredMillimetres(measuredYMm_->text(), u"十字の中心の上端からの位置"_qs);
        deviceName = context().printer->deviceName();
        // The calibration label is drawn straight on the printer's canvas,
        // without the offsets labels are moved by: what was measured is the
        // printer's whole drift, and replaces the offset stored.
        offset = offsetFromCalibration({}, xMm, yMm);
        remembered->setOffsetMm(deviceName, offset);
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
        return;
    }
    showPrinterOffset();
    context().messages->show(
        this, {u"プリンタ「%1」の印刷位置の補正を保存しました（横 %2 mm、縦 %3 mm）。"_qs.arg(
                   deviceName, signedMillimetres(offset.horizontalMm),
                   signedMillimetres(offset.verticalMm)),
               windowTitle(), MessageIcon::Information});
}

void PaperSelectionScreen::save()
{
    // The layout and connection type screens may have saved since this one
    // loaded; writing back what it loaded would undo that.
    LayoutSettings saved = loaded_;
    try {
        saved = readLayoutRecord(*context().databases);
    } catch (const Error&) {
        // Unreadable now: the values as loaded make the file whole again.
    }
    saved.title1 = storedLayoutText(saved.title1);
    saved.title2 = storedLayoutText(saved.title2);
    paper_->setText(storedLayoutText(paper_->text()));
    saved.paper = paper_->text();
    try {
        writeLayoutSettings(*context().settings, saved);
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
        return;
    }
    closeScreen();
    QWidget* owner = context().screens ? context().screens->container() : nullptr;
    context().messages->show(
        owner, {u"設定が変更されました｡"_qs, u"設定変更"_qs, MessageIcon::Information});
}

} // namespace hakobee
