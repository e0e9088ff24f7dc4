#include "ui/screens/continuousrunscreen.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/recordgridmodel.h"
#include "core/settings/datasourcefile.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/printerinuselabel.h"
#include "ui/screenhost.h"
#include "ui/screens/runscreenframe.h"
#include "ui/widgets/barcodeviews.h"
#include "ui/widgets/labelpreview.h"
#include "ui/widgets/recordgridview.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hakobee {

namespace {

constexpr int offsetTwips = 10;

} // namespace

ContinuousRunScreen::ContinuousRunScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent), inputs_(context)
{
    setWindowTitle(u"ﾊﾞｰｺｰﾄﾞハコビー　for Access"_qs);
    buildControls();
    connect(startButton_, &QPushButton::clicked, this, &ContinuousRunScreen::startRun);
    followRunActivity(startButton_, this->context().screens->runActivity());
}

ContinuousRunScreen::~ContinuousRunScreen() = default;

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
    labelsPerRecord_ = makeLabelsPerRecordField(this);
    startButton_ = controls::button(this, u"Command3"_qs, u"連続印刷実行スタート"_qs);
    QFont startFont = startButton_->font();
    startFont.setBold(true);
    startButton_->setFont(startFont);
    startButton_->setMinimumHeight(2 * startButton_->sizeHint().height());

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
    side->addLayout(labelsPerRecordRow(this, labelsPerRecord_));
    side->addStretch(1);
    side->addWidget(startButton_);

    arrangeRunScreen(this, status_, makePrinterInUseLabel(this, context()), gridView_, side);
}

bool ContinuousRunScreen::load()
{
    resize(twipsToPixels(12600), twipsToPixels(8400));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    status_->clear();
    if (context().labels)
        sample_->setBarcodeCalls(&context().labels->barcodeCalls());
    try {
        openGrid();
    } catch (const Error& error) {
        context().messages->show(this, {error.description(), openingFailureTitle(),
                                        MessageIcon::None, MessageButtons::Ok});
    }
    return true;
}

void ContinuousRunScreen::openGrid()
{
    const DataSourceSettings dataSource = readDataSourceRows(*context().settings);
    query_ = dataSourceQuery(dataSource.selectText, dataSource.table);
    grid_ = openRecordGrid(*context().databases, dataSource.databasePath, query_);
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
    previewRow(*preview_, context(), inputs_, grid_->rowFields(row));
}

void ContinuousRunScreen::closeEvent(QCloseEvent* event)
{
    // The run shows what it does here.
    if (isPrinting()) {
        event->ignore();
        return;
    }
    Screen::closeEvent(event);
}

void ContinuousRunScreen::startRun()
{
    if (isPrinting() || context().screens->runActivity().isGoing())
        return;
    Q_ASSERT(context().printerSetup && context().labels);
    if (!run_) {
        printerProtocol_ = std::make_unique<PrinterSetupProtocol>(*context().printerSetup, this);
        PrintRunView& view = *this;
        run_ = std::make_unique<ContinuousRun>(
            PrintRunServices{*context().databases, *context().settings, *context().labels, inputs_,
                             *printerProtocol_, context().printer, context().rememberedPrinter},
            view);
    }
    RunResult result;
    {
        RunActivity::Going going(context().screens->runActivity());
        printing_ = true;
        run_->setLabelsPerRecord(labelsPerRecord_->value());
        result = run_->start(query_);
        printing_ = false;
    }
    switch (result.end) {
    case RunEnd::Completed:
        finishedOffset_->setText(horizontalOffsetText_);
        context().messages->show(this,
                                 {withLabelsWithoutBarcodeNote(runCompletedMessage(result), result),
                                  runCompletedTitle(), MessageIcon::Information});
        closeScreen();
        break;
    case RunEnd::Failed:
        context().messages->show(
            this, {continuousRunFailureMessage(result), runFailureTitle(), MessageIcon::Critical});
        break;
    case RunEnd::AllowanceStopped:
    case RunEnd::Cancelled:
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

void ContinuousRunScreen::showPrinterSettings(const QString&, const QString& paper)
{
    paper_->setText(paper);
}

void ContinuousRunScreen::showAdjustments(const PrintAdjustments& saved)
{
    horizontalOffsetText_ = saved.horizontalOffsetMm;
}

void ContinuousRunScreen::showAllowance(int left)
{
    allowanceLabel_->setText(QString::number(left));
}

void ContinuousRunScreen::showRecord(const RunRecord&,
                                     std::shared_ptr<const BarcodePicture> picture)
{
    barcode_->setPicture(std::move(picture));
}

} // namespace hakobee
