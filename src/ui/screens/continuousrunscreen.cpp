#include "ui/screens/continuousrunscreen.h"

#include "core/datasource/datasourcefile.h"
#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printer/activeprinter.h"
#include "core/printer/rememberedprinter.h"
#include "core/printrun/gatherlabel.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/recordgridmodel.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/printrun/runsettings.h"
#include "core/render/labelrecord.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/printerinuselabel.h"
#include "ui/screenhost.h"
#include "ui/widgets/barcodeviews.h"
#include "ui/widgets/labelpreview.h"
#include "ui/screens/layoutselectionscreen.h"
#include "ui/widgets/recordgridview.h"
#include "ui/screens/runscreenframe.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace hakobee {

namespace {

constexpr int offsetTwips = 10;

QLineEdit* workingField(QWidget* parent, const QString& objectName)
{
    QLineEdit* field = controls::lineEdit(parent, objectName);
    field->setReadOnly(true);
    field->hide();
    return field;
}

} // namespace

ContinuousRunScreen::Printing::Printing(ContinuousRunScreen& screen) : screen_(screen)
{
    if (screen_.printing_++ == 0)
        screen_.setPrinting(true);
}

ContinuousRunScreen::Printing::~Printing()
{
    if (--screen_.printing_ == 0)
        screen_.setPrinting(false);
}

ContinuousRunScreen::ContinuousRunScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setWindowTitle(u"ﾊﾞｰｺｰﾄﾞハコビー　for Access"_qs);
    buildControls();
    connect(&allowanceText_, &RunAllowance::textChanged, allowanceLabel_, &QLabel::setText);
    connect(startButton_, &QPushButton::clicked, this, &ContinuousRunScreen::startRun);
    // The progress screen's cancel stops the run that prints through here.
    this->context().runAllowance = &allowanceText_;
}

ContinuousRunScreen::~ContinuousRunScreen()
{
    if (context().runAllowance == &allowanceText_)
        context().runAllowance = nullptr;
}

QString ContinuousRunScreen::openingFailureTitle()
{
    return u"設定エラー。データベースに接続できません。"_qs;
}

void ContinuousRunScreen::buildControls()
{
    status_ = makeRunStatusLine(this);

    gridView_ = new RecordGridView(this);
    sample_ = new BarcodeSampleView(this);
    barcode_ = new BarcodePictureView(this);
    preview_ = new LabelPreview(this);

    allowanceLabel_ = controls::valueLabel(this, u"Label_PP"_qs);
    paper_ = controls::valueLabel(this, u"Label_YOSHI"_qs);
    finishedOffset_ = controls::valueLabel(this, u"Label3"_qs);
    rowNumber_ = controls::valueLabel(this, u"Label_RENBAN"_qs);
    startButton_ = controls::button(this, u"Command3"_qs, u"連続印刷実行スタート"_qs);
    QFont startFont = startButton_->font();
    startFont.setBold(true);
    startButton_->setFont(startFont);
    startButton_->setMinimumHeight(2 * startButton_->sizeHint().height());

    barcodeValue_ = workingField(this, u"Text1"_qs);
    QFont base = barcodeValue_->font();
    base.setPointSizeF(baseFontPoints);
    barcodeValue_->setFont(base);
    itemName_ = workingField(this, u"Text2"_qs);
    name_ = workingField(this, u"Text3"_qs);
    price_ = workingField(this, u"Text4"_qs);
    barcodeText_ = workingField(this, u"Text5"_qs);
    caption_ = workingField(this, u"Text8"_qs);
    connectionType_ = workingField(this, u"Text999"_qs);
    offsetX_ = workingField(this, u"Textsize1"_qs);
    offsetY_ = workingField(this, u"Textsize2"_qs);
    fontAdjustment_ = workingField(this, u"Textsize3"_qs);
    databasePath_ = workingField(this, u"Textdb"_qs);
    table_ = workingField(this, u"TextTT"_qs);
    selectText_ = workingField(this, u"TextSS"_qs);

    auto* figures = new QGridLayout;
    figures->addWidget(controls::label(this, u"LabelPPCaption"_qs, u"印刷可能残数"_qs), 0, 0);
    figures->addWidget(allowanceLabel_, 0, 1);
    figures->addWidget(controls::label(this, u"LabelYoshiCaption"_qs, u"用紙"_qs), 1, 0);
    figures->addWidget(paper_, 1, 1);
    figures->addWidget(controls::label(this, u"LabelRenbanCaption"_qs, u"印刷行"_qs), 2, 0);
    figures->addWidget(rowNumber_, 2, 1);
    figures->addWidget(controls::label(this, u"Label3Caption"_qs, u"横位置"_qs), 3, 0);
    figures->addWidget(finishedOffset_, 3, 1);
    figures->setColumnStretch(1, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(controls::label(this, u"Picture1Caption"_qs, u"バーコード見本"_qs));
    side->addWidget(sample_);
    side->addWidget(controls::label(this, u"Picture2Caption"_qs, u"印刷中のバーコード"_qs));
    side->addWidget(barcode_);
    side->addWidget(controls::label(this, u"LabelPreviewCaption"_qs, u"選択した行のラベル"_qs));
    side->addWidget(preview_);
    side->addLayout(figures);
    side->addStretch(1);
    side->addWidget(startButton_);

    arrangeRunScreen(this, status_, makePrinterInUseLabel(this, context()), gridView_, side);
}

bool ContinuousRunScreen::load()
{
    resize(twipsToPixels(12600), twipsToPixels(8400));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    status_->clear();
    allowance_ = allowancePerOpening;
    barcodeText_->setText(BarcodeSampleView::sampleBarcodeText());
    if (context().labels)
        sample_->setBarcodeCalls(&context().labels->barcodeCalls());
    try {
        const LabelAdjustments adjustments = readLabelAdjustments(*context().settings);
        offsetX_->setText(adjustments.offsetXMm);
        offsetY_->setText(adjustments.offsetYMm);
        fontAdjustment_->setText(adjustments.fontAdjustmentPt);
        query_ = loadDataSourceFields(*context().settings, databasePath_, table_, selectText_);
        openGrid();
    } catch (const Error& error) {
        context().messages->show(this, {error.description(), openingFailureTitle(),
                                        MessageIcon::None, MessageButtons::Ok});
    }
    return true;
}

void ContinuousRunScreen::openGrid()
{
    grid_ = openRecordGrid(*context().databases, databasePath_->text(), query_);
    grid_->setObjectName(u"Adodc1"_qs);
    gridView_->setGrid(grid_.get());
    connect(gridView_, &RecordGridView::rowSelected, this, &ContinuousRunScreen::showPreviewOfRow);
    showPreviewOfRow(grid_->currentRow());
}

void ContinuousRunScreen::showPreviewOfRow(int row)
{
    // A run moving the grid is not slowed by drawing labels twice.
    if (isPrinting() || !grid_ || !context().labels || row < 0 || row >= grid_->rowCount())
        return;
    preview_->showRow(grid_->rowFields(row), context().labels->encoder(), adjustments(),
                      LayoutSelectionScreen::titlesInForce(context()), baseFont(),
                      context().printer);
}

LabelAdjustments ContinuousRunScreen::adjustments() const
{
    return {offsetX_->text(), offsetY_->text(), fontAdjustment_->text()};
}

PrintFont ContinuousRunScreen::baseFont() const
{
    const QFont base = barcodeValue_->font();
    return {base.family(), base.pointSizeF()};
}

RunRecord ContinuousRunScreen::handedOverRecord() const
{
    return {barcodeValue_->text(), itemName_->text(), name_->text(), price_->text()};
}

PrinterOffsetMm ContinuousRunScreen::printerOffset() const
{
    // The printer a label goes to can change between labels of a run
    // (connection type "1" goes back to the chosen printer before each).
    if (!context().rememberedPrinter || !context().printer)
        return {};
    return context().rememberedPrinter->offsetMm(context().printer->deviceName());
}

QString ContinuousRunScreen::horizontalOffsetText() const
{
    return offsetX_->text();
}

void ContinuousRunScreen::setPrinting(bool printing)
{
    startButton_->setEnabled(!printing);
    emit printingChanged(printing);
}

void ContinuousRunScreen::closeEvent(QCloseEvent* event)
{
    // The label being drawn reads this screen's fields.
    if (isPrinting()) {
        event->ignore();
        return;
    }
    Screen::closeEvent(event);
}

void ContinuousRunScreen::startRun()
{
    if (isPrinting())
        return;
    Q_ASSERT(context().printerSetup && context().labels);
    RunResult result;
    {
        Printing printing(*this);
        PrinterSetupProtocol protocol(*context().printerSetup, this);
        ContinuousRun run({*context().databases, *context().settings, *context().labels,
                           allowanceText_, protocol, context().printer,
                           context().rememberedPrinter},
                          *this);
        result = run.start(query_, allowance_);
    }
    switch (result.end) {
    case RunEnd::Completed:
        finishedOffset_->setText(offsetX_->text());
        context().messages->show(this, {withLabelsWithoutBarcodeNote(runCompletedMessage(), result),
                                        runCompletedTitle(), MessageIcon::Information});
        closeScreen();
        break;
    case RunEnd::Failed:
        context().messages->show(
            this, {continuousRunFailureMessage(result), runFailureTitle(), MessageIcon::Critical});
        break;
    case RunEnd::AllowanceStopped:
        showLabelsWithoutBarcode(*context().messages, this, result);
        break;
    case RunEnd::PrinterNotChosen:
    case RunEnd::InvalidRange:
    case RunEnd::Refused:
        break;
    }
}

void ContinuousRunScreen::showRunStatus(RunStatus status)
{
    status_->setText(runStatusText(status));
}

void ContinuousRunScreen::showPrinterSettings(const QString& connectionType, const QString& paper)
{
    connectionType_->setText(connectionType);
    paper_->setText(paper);
}

void ContinuousRunScreen::showDataSource(const DataSourceSettings& dataSource)
{
    databasePath_->setText(dataSource.databasePath);
    table_->setText(dataSource.table);
}

void ContinuousRunScreen::showRowNumber(qint64 rowNumber)
{
    rowNumber_->setText(QString::number(rowNumber));
}

void ContinuousRunScreen::handOver(const RunRecord& record, const QString& barcodeText,
                                   std::shared_ptr<const BarcodePicture> picture)
{
    barcodeValue_->setText(record.barcodeValue);
    itemName_->setText(record.itemName);
    name_->setText(record.name);
    price_->setText(record.price);
    barcodeText_->setText(barcodeText);
    caption_->setText(record.barcodeValue);
    barcode_->setPicture(std::move(picture));
}

void ContinuousRunScreen::printOneLabel()
{
    // The layout screen's fields, as edited if it is open; loaded hidden if not.
    LabelTitles titles;
    if (LayoutSelectionScreen* layout = context().screens->loaded<LayoutSelectionScreen>())
        titles = layout->titles();
    LabelRecord record = gatherLabelRecord(handedOverRecord(), barcode_->picture(), adjustments(),
                                           titles, baseFont(), printerOffset());
    record.barcodeCaption = caption_->text();
    context().labels->printLabel(record);
}

} // namespace hakobee
