#pragma once

#include "core/printrun/printrunview.h"
#include "ui/screen.h"
#include "ui/windowlabelinputs.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace hakobee {

class BarcodeSampleView;
class LabelPreview;
class RecordGridModel;
class RecordGridView;

// The partial print run: the grid of the data-source query and a range of
// row numbers, counted from the grid's current row as row 1. Its run prints
// from the grid's record set with an allowance of 300 rows walked a start.
class PartialRunScreen : public Screen, private PrintRunView
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "F_CustInput2";

    explicit PartialRunScreen(AppContext& context, QWidget* parent = nullptr);
    ~PartialRunScreen() override;

    bool load() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void startRun(); // Command3
    void setPrinting(bool printing);
    void showPreviewOfRow(int row);

    // PrintRunView
    void showRunStatus(RunStatus status) override;
    void showAdjustments(const PrintAdjustments& saved) override;

    WindowLabelInputs inputs_;
    QString query_;
    std::unique_ptr<RecordGridModel> grid_;
    bool printing_ = false;
    QString horizontalOffsetText_; // SIZE1 as saved when the last start read it

    QPushButton* startButton_ = nullptr;  // Command3
    QLineEdit* firstRow_ = nullptr;       // TextPP1
    QLineEdit* lastRow_ = nullptr;        // TextPP2
    RecordGridView* gridView_ = nullptr;  // DataGrid1
    BarcodeSampleView* sample_ = nullptr; // Picture1
    LabelPreview* preview_ = nullptr;
    QLabel* status_ = nullptr;            // Label1
    QLabel* finishedOffset_ = nullptr;    // Label6
    QSpinBox* labelsPerRecord_ = nullptr; // TextCopies
};

} // namespace hakobee
