#pragma once

#include "core/printrun/printrunview.h"
#include "core/printrun/runprinterprotocol.h"
#include "ui/screen.h"
#include "ui/windowlabelinputs.h"

#include <memory>

class QLabel;
class QPushButton;
class QSpinBox;

namespace hakobee {

class BarcodePictureView;
class BarcodeSampleView;
class ContinuousRun;
class LabelPreview;
class RecordGridModel;
class RecordGridView;

// The continuous print run: the grid of every record of the data-source
// query and the start button that prints them one label after another, at
// most 300 per opening of the screen. It shows what its run does: the
// paper, what is left to print (Label_PP), the barcode being printed and,
// when the records end, the horizontal offset the labels were printed with.
class ContinuousRunScreen : public Screen, private PrintRunView
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "F_CustInput";

    explicit ContinuousRunScreen(AppContext& context, QWidget* parent = nullptr);
    ~ContinuousRunScreen() override;

    bool load() override;

    static QString openingFailureTitle();

    // While its run prints, it cannot be closed.
    bool isPrinting() const { return printing_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void openGrid();
    void startRun(); // Command3
    void showPreviewOfRow(int row);

    // PrintRunView
    void showRunStatus(RunStatus status) override;
    void showPrinterSettings(const QString& connectionType, const QString& paper) override;
    void showAdjustments(const PrintAdjustments& saved) override;
    void showAllowance(int left) override;
    void showRecord(const RunRecord& record,
                    std::shared_ptr<const BarcodePicture> picture) override;

    WindowLabelInputs inputs_;
    // Made at the first start and kept for the opening: the run's allowance
    // counts across its starts.
    std::unique_ptr<PrinterSetupProtocol> printerProtocol_;
    std::unique_ptr<ContinuousRun> run_;
    bool printing_ = false;
    QString query_;
    std::unique_ptr<RecordGridModel> grid_;
    QString horizontalOffsetText_; // SIZE1 as saved when the last start read it

    QPushButton* startButton_ = nullptr;    // Command3
    RecordGridView* gridView_ = nullptr;    // DataGrid1
    BarcodeSampleView* sample_ = nullptr;   // Picture1
    BarcodePictureView* barcode_ = nullptr; // Picture2
    LabelPreview* preview_ = nullptr;
    QLabel* status_ = nullptr;            // Label1
    QLabel* paper_ = nullptr;             // Label_YOSHI
    QLabel* allowanceLabel_ = nullptr;    // Label_PP
    QLabel* finishedOffset_ = nullptr;    // Label3
    QLabel* rowNumber_ = nullptr;         // Label_RENBAN
    QSpinBox* labelsPerRecord_ = nullptr; // TextCopies
};

} // namespace hakobee
