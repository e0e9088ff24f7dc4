#include "ui/screens/partialrunscreen.h"

#include "core/datasource/datasourcefile.h"
#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/printrun.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/recordgridmodel.h"
#include "core/printrun/runprinterprotocol.h"
#include "core/printrun/runsettings.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/printerinuselabel.h"
#include "ui/screenhost.h"
#include "ui/widgets/barcodeviews.h"
#include "ui/screens/continuousrunscreen.h"
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

// The run's status shows here; the record goes to the continuous-run
// screen's fields and prints from there.
class PartialRunScreen::View : public PrintRunView
{
public:
    View(PartialRunScreen& screen, ContinuousRunScreen& handOverScreen)
        : screen_(screen), handOverScreen_(handOverScreen)
    {}

    void showRunStatus(RunStatus status) override
    {
        screen_.status_->setText(runStatusText(status));
    }
    void showPrinterSettings(const QString& connectionType, const QString&) override
    {
        screen_.connectionType_->setText(connectionType);
    }
    void showRowNumber(qint64 rowNumber) override { handOverScreen_.showRowNumber(rowNumber); }
    void handOver(const RunRecord& record, const QString& barcodeText,
                  std::shared_ptr<const BarcodePicture> picture) override
    {
        handOverScreen_.handOver(record, barcodeText, std::move(picture));
    }
    void printOneLabel() override { handOverScreen_.printOneLabel(); }

private:
    PartialRunScreen& screen_;
    ContinuousRunScreen& handOverScreen_;
};

PartialRunScreen::PartialRunScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(u"ﾊﾞｰｺｰﾄﾞハコビー　for ACCESS 部分印刷"_qs);
    buildControls();
    connect(startButton_, &QPushButton::clicked, this, &PartialRunScreen::startRun);
}

PartialRunScreen::~PartialRunScreen() = default;

QString PartialRunScreen::odbcPropertyFailure()
{
    return u"ODBC ドライバは要求されたプロパティをサポートしていません。"_qs;
}

QString PartialRunScreen::databasePathInvalidMessage()
{
    return u"ﾃﾞｰﾀﾍﾞｰｽまたは読み取りﾌｧｲﾙのﾊﾟｽが無効です。ﾃﾞｰﾀﾍﾞｰｽ設定またはﾌｧｲﾙの存在を"
           u"確認してください。"_qs;
}

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
    startButton_ = controls::button(this, u"Command3"_qs, u"印刷実行開始"_qs);
    QFont startFont = startButton_->font();
    startFont.setBold(true);
    startButton_->setFont(startFont);
    startButton_->setMinimumHeight(2 * startButton_->sizeHint().height());

    connectionType_ = workingField(this, u"Text999"_qs);
    databasePath_ = workingField(this, u"Textdb"_qs);
    table_ = workingField(this, u"TextTT"_qs);
    selectText_ = workingField(this, u"TextSS"_qs);
    barcodeText_ = workingField(this, u"Text5"_qs);

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
    barcodeText_->setText(BarcodeSampleView::sampleBarcodeText());
    if (context().labels)
        sample_->setBarcodeCalls(&context().labels->barcodeCalls());
    try {
        query_ = loadDataSourceFields(*context().settings, databasePath_, table_, selectText_);
        grid_ = openRecordGrid(*context().databases, databasePath_->text(), query_);
        grid_->setObjectName(u"Adodc1"_qs);
        gridView_->setGrid(grid_.get());
        connect(gridView_, &RecordGridView::rowSelected, this, &PartialRunScreen::showPreviewOfRow);
        showPreviewOfRow(grid_->currentRow());
    } catch (const Error& error) {
        const QString message = error.description() == odbcPropertyFailure()
                                    ? databasePathInvalidMessage()
                                    : error.description();
        context().messages->show(this, {message, ContinuousRunScreen::openingFailureTitle(),
                                        MessageIcon::None, MessageButtons::Ok});
    }
    return true;
}

void PartialRunScreen::showPreviewOfRow(int row)
{
    // A run moving the grid is not slowed by drawing labels twice.
    if (printing_ || !grid_ || !context().labels || row < 0 || row >= grid_->rowCount())
        return;
    // The adjustments the continuous-run screen loads and prints with.
    LabelAdjustments adjustments;
    if (const auto* handOver = context().screens->find<ContinuousRunScreen>()) {
        adjustments = handOver->adjustments();
    } else {
        try {
            adjustments = readLabelAdjustments(*context().settings);
        } catch (const Error& error) {
            preview_->showProblem(error.description());
            return;
        }
    }
    QFont base = font();
    base.setPointSizeF(ContinuousRunScreen::baseFontPoints);
    preview_->showRow(grid_->rowFields(row), context().labels->encoder(), adjustments,
                      LayoutSelectionScreen::titlesInForce(context()),
                      {base.family(), base.pointSizeF()}, context().printer);
}

void PartialRunScreen::setPrinting(bool printing)
{
    printing_ = printing;
    startButton_->setEnabled(!printing);
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
    if (printing_)
        return;
    Q_ASSERT(context().printerSetup && context().labels);
    // Each record goes through the continuous-run screen's fields; reading
    // them loads that screen without showing it.
    ContinuousRunScreen* handOverScreen = context().screens->loaded<ContinuousRunScreen>();
    if (!handOverScreen || handOverScreen->isPrinting())
        return;

    RunResult result;
    {
        ContinuousRunScreen::Printing handOverInUse(*handOverScreen);
        setPrinting(true);
        View view(*this, *handOverScreen);
        PrinterSetupProtocol protocol(*context().printerSetup, this);
        PartialRun run({*context().databases, *context().settings, *context().labels,
                        handOverScreen->allowanceText(), protocol, context().printer,
                        context().rememberedPrinter},
                       view);
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
        finishedOffset_->setText(handOverScreen->horizontalOffsetText());
        context().messages->show(this, {withLabelsWithoutBarcodeNote(runCompletedMessage(), result),
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
        showLabelsWithoutBarcode(*context().messages, this, result);
        break;
    case RunEnd::PrinterNotChosen:
    case RunEnd::Refused:
        break;
    }
}

} // namespace hakobee
