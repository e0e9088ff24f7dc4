#pragma once

#include "core/printer/printercanvas.h"
#include "core/printer/printeroffset.h"
#include "core/printrun/printrunview.h"
#include "core/printrun/runallowance.h"
#include "core/printrun/runsettings.h"
#include "ui/screen.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hakobee {

class BarcodePictureView;
class BarcodeSampleView;
class LabelPreview;
class RecordGridModel;
class RecordGridView;

// The continuous print run: the grid of every record of the data-source
// query and the start button that prints them one label after another, at
// most 300 per opening of the screen.
//
// It is also where every record goes on its way to the printer: both runs
// hand the record over into its working fields, and PrintOneLabel prints
// what those fields hold, with its print adjustments and the titles of the
// layout selection screen. Its allowance (Label_PP) is the one the progress
// screen's cancel sets to "1".
class ContinuousRunScreen : public Screen, public PrintRunView
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "F_CustInput";
    static constexpr int allowancePerOpening = 300;
    // The size of the working field Text1, whose font every label's text
    // is drawn in; its size sets the line height.
    static constexpr double baseFontPoints = 9.0;

    explicit ContinuousRunScreen(AppContext& context, QWidget* parent = nullptr);
    ~ContinuousRunScreen() override;

    bool load() override;

    static QString openingFailureTitle();

    // Label_PP.
    RunAllowance& allowanceText() { return allowanceText_; }
    // What this opening may still print.
    int allowance() const { return allowance_; }
    // Textsize1: the horizontal offset, also shown when a run completes.
    QString horizontalOffsetText() const;
    // Textsize1, Textsize2 and Textsize3: what every label is moved and scaled by.
    LabelAdjustments adjustments() const;

    // While a run prints through this screen (its own or the partial run),
    // it cannot start another nor be closed.
    bool isPrinting() const { return printing_ > 0; }
    class Printing
    {
    public:
        explicit Printing(ContinuousRunScreen& screen);
        ~Printing();
        Printing(const Printing&) = delete;
        Printing& operator=(const Printing&) = delete;

    private:
        ContinuousRunScreen& screen_;
    };

    // PrintRunView
    void showRunStatus(RunStatus status) override;
    void showPrinterSettings(const QString& connectionType, const QString& paper) override;
    void showDataSource(const DataSourceSettings& dataSource) override;
    void showRowNumber(qint64 rowNumber) override;
    void handOver(const RunRecord& record, const QString& barcodeText,
                  std::shared_ptr<const BarcodePicture> picture) override;
    void printOneLabel() override;

signals:
    void printingChanged(bool printing);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void openGrid();
    void startRun(); // Command3
    void setPrinting(bool printing);
    void showPreviewOfRow(int row);
    RunRecord handedOverRecord() const;
    // The calibration offset of the printer the next label goes to.
    PrinterOffsetMm printerOffset() const;
    PrintFont baseFont() const;

    RunAllowance allowanceText_;
    int allowance_ = allowancePerOpening;
    int printing_ = 0;
    QString query_;
    std::unique_ptr<RecordGridModel> grid_;

    QPushButton* startButton_ = nullptr;    // Command3
    RecordGridView* gridView_ = nullptr;    // DataGrid1
    BarcodeSampleView* sample_ = nullptr;   // Picture1
    BarcodePictureView* barcode_ = nullptr; // Picture2
    LabelPreview* preview_ = nullptr;
    QLabel* status_ = nullptr;         // Label1
    QLabel* paper_ = nullptr;          // Label_YOSHI
    QLabel* allowanceLabel_ = nullptr; // Label_PP
    QLabel* finishedOffset_ = nullptr; // Label3
    QLabel* rowNumber_ = nullptr;      // Label_RENBAN

    // Working fields: written and read by code only.
    QLineEdit* barcodeValue_ = nullptr;   // Text1
    QLineEdit* itemName_ = nullptr;       // Text2
    QLineEdit* name_ = nullptr;           // Text3
    QLineEdit* price_ = nullptr;          // Text4
    QLineEdit* barcodeText_ = nullptr;    // Text5
    QLineEdit* caption_ = nullptr;        // Text8
    QLineEdit* connectionType_ = nullptr; // Text999
    QLineEdit* offsetX_ = nullptr;        // Textsize1
    QLineEdit* offsetY_ = nullptr;        // Textsize2
    QLineEdit* fontAdjustment_ = nullptr; // Textsize3
    QLineEdit* databasePath_ = nullptr;   // Textdb
    QLineEdit* table_ = nullptr;          // TextTT
    QLineEdit* selectText_ = nullptr;     // TextSS
};

} // namespace hakobee
