#include "ui/screens/partialrunscreen.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/recordgridmodel.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/settings/datasourcefile.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/printerinuselabel.h"
#include "ui/screenhost.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/runscreenframe.h"
#include "ui/widgets/barcodeviews.h"
#include "ui/widgets/labelpreview.h"
#include "ui/widgets/recordgridview.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hakobee {

namespace {

constexpr int offsetTwips = 10;

} // namespace

PartialRunScreen::PartialRunScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent), inputs_(context)
{
    setWindowTitle(u"ﾊﾞｰｺｰﾄﾞハコビー　for ACCESS 部分印刷"_qs);
    buildControls();
    connect(startButton_, &QPushButton::clicked, this, &PartialRunScreen::startRun);
    followRunActivity(startButton_, this->context().screens->runActivity());
}

PartialRunScreen::~PartialRunScreen() = default;

void PartialRunScreen::buildControls()
{
    status_ = makeRunStatusLine(this);

    gridView_ = new RecordGridView(this);
    sample_ = new BarcodeSampleView(this);
    preview_ = new LabelPreview(this);

    QLabel* instruction = controls::label(this, u"Label3"_qs, u"※印刷行を指定してください。"_qs);
    firstRow_ = controls::lineEdit(this, u"TextPP1"_qs);
    lastRow_ = controls::lineEdit(this, u"TextPP2"_qs);
    for (QLineEdit* field : {firstRow_, lastRow_}) {
        field->setAlignment(Qt::AlignRight);
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance(u"0000000"_qs) + 16);
    }
    finishedOffset_ = controls::valueLabel(this, u"Label6"_qs);
    labelsPerRecord_ = makeLabelsPerRecordField(this);
    startButton_ = controls::button(this, u"Command3"_qs, u"印刷実行開始"_qs);
    QFont startFont = startButton_->font();
    startFont.setBold(true);
    startButton_->setFont(startFont);
    startButton_->setMinimumHeight(2 * startButton_->sizeHint().height());

    auto* range = new QGridLayout;
    range->addWidget(instruction, 0, 0, 1, 2);
    range->addWidget(firstRow_, 1, 0);
    range->addWidget(controls::label(this, u"Label4"_qs, u"行から"_qs), 1, 1);
    range->addWidget(lastRow_, 2, 0);
    range->addWidget(controls::label(this, u"Label5"_qs, u"行まで"_qs), 2, 1);
    range->setColumnStretch(1, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(controls::label(this, u"Picture1Caption"_qs, u"バーコード見本"_qs));
    side->addWidget(sample_);
    side->addWidget(controls::label(this, u"LabelPreviewCaption"_qs, u"選択した行のラベル"_qs));
    side->addWidget(preview_);
    side->addLayout(range);
    side->addLayout(labelsPerRecordRow(this, labelsPerRecord_));
    auto* offset = new QHBoxLayout;
    offset->addWidget(controls::label(this, u"Label6Caption"_qs, u"横位置"_qs));
    offset->addWidget(finishedOffset_, 1);
    side->addLayout(offset);
    side->addStretch(1);
    side->addWidget(startButton_);

    arrangeRunScreen(this, status_, makePrinterInUseLabel(this, context()), gridView_, side);
}

bool PartialRunScreen::load()
{
    resize(twipsToPixels(12600), twipsToPixels(8400));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    status_->clear();
    if (context().labels)
        sample_->setBarcodeCalls(&context().labels->barcodeCalls());
    try {
        const DataSourceSettings dataSource = readDataSourceRows(*context().settings);
        query_ = dataSourceQuery(dataSource.selectText, dataSource.table);
        grid_ = openRecordGrid(*context().databases, dataSource.databasePath, query_);
        grid_->setObjectName(u"Adodc1"_qs);
        gridView_->setGrid(grid_.get());
        connect(gridView_, &RecordGridView::rowSelected, this, &PartialRunScreen::showPreviewOfRow);
        showPreviewOfRow(grid_->currentRow());
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), ContinuousRunScreen::openingFailureTitle(),
                                  MessageIcon::None, MessageButtons::Ok});
    }
    return true;
}

void PartialRunScreen::showPreviewOfRow(int row)
{
    // A run moving the grid is not slowed by drawing labels twice.
    if (printing_ || !grid_ || !context().labels || row < 0 || row >= grid_->rowCount())
        return;
    previewRow(*preview_, context(), inputs_, grid_->rowFields(row));
}

void PartialRunScreen::setPrinting(bool printing)
{
    printing_ = printing;
    // The run walks the grid from its current row: no other row may be chosen meanwhile.
    gridView_->setEnabled(!printing);
}

void PartialRunScreen::closeEvent(QCloseEvent* event)
{
    if (printing_) {
        event->ignore();
        return;
    }
    Screen::closeEvent(event);
}

void PartialRunScreen::startRun()
{
    if (printing_ || context().screens->runActivity().isGoing())
        return;
    Q_ASSERT(context().printerSetup && context().labels);
    RunResult result;
    {
        RunActivity::Going going(context().screens->runActivity());
        setPrinting(true);
        PrinterSetupProtocol protocol(*context().printerSetup, this);
        PartialRun run({*context().databases, *context().settings, *context().labels, inputs_,
                        protocol, context().printer, context().rememberedPrinter},
                       *this);
        run.setLabelsPerRecord(labelsPerRecord_->value());
        if (grid_) {
            result = run.start(*grid_, firstRow_->text(), lastRow_->text());
        } else {
            result.end = RunEnd::Failed;
            result.failure.description = releasedRowsDescription();
        }
        setPrinting(false);
    }
    switch (result.end) {
    case RunEnd::Completed:
        finishedOffset_->setText(horizontalOffsetText_);
        context().messages->show(this,
                                 {withLabelsWithoutBarcodeNote(runCompletedMessage(result), result),
                                  runCompletedTitle(), MessageIcon::Information});
        closeScreen();
        break;
    case RunEnd::InvalidRange:
        context().messages->show(
            this, {invalidRangeMessage(), invalidRangeTitle(), MessageIcon::Exclamation});
        break;
    case RunEnd::Failed:
        context().messages->show(
            this, {withLabelsWithoutBarcodeNote(partialRunFailureMessage(result.failure), result),
                   partialRunFailureTitle(), MessageIcon::Critical});
        break;
    case RunEnd::AllowanceStopped:
    case RunEnd::Cancelled:
        showLabelsWithoutBarcode(*context().messages, this, result);
        break;
    case RunEnd::PrinterNotChosen:
    case RunEnd::Refused:
        break;
    }
}

void PartialRunScreen::showRunStatus(RunStatus status)
{
    status_->setText(runStatusText(status));
}

void PartialRunScreen::showAdjustments(const PrintAdjustments& saved)
{
    horizontalOffsetText_ = saved.horizontalOffsetMm;
}

} // namespace hakobee
