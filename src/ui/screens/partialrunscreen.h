#pragma once

#include "ui/screen.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hakobee {

class BarcodeSampleView;
class LabelPreview;
class RecordGridModel;
class RecordGridView;

// The partial print run: the grid of the data-source query and a range of
// row numbers, counted from the grid's current row as row 1. Each record
// goes to the printer through the continuous-run screen's fields, which it
// loads hidden when it is not open, and that screen's allowance counts the
// rows walked, at most 300 a start.
class PartialRunScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "F_CustInput2";

    explicit PartialRunScreen(AppContext& context, QWidget* parent = nullptr);
    ~PartialRunScreen() override;

    bool load() override;

    static QString odbcPropertyFailure();
    static QString databasePathInvalidMessage();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class View;

    void buildControls();
    void startRun(); // Command3
    void setPrinting(bool printing);
    void showPreviewOfRow(int row);

    QString query_;
    std::unique_ptr<RecordGridModel> grid_;
    bool printing_ = false;

    QPushButton* startButton_ = nullptr;  // Command3
    QLineEdit* firstRow_ = nullptr;       // TextPP1
    QLineEdit* lastRow_ = nullptr;        // TextPP2
    RecordGridView* gridView_ = nullptr;  // DataGrid1
    BarcodeSampleView* sample_ = nullptr; // Picture1
    LabelPreview* preview_ = nullptr;
    QLabel* status_ = nullptr;         // Label1
    QLabel* finishedOffset_ = nullptr; // Label6

    // Working fields: written and read by code only.
    QLineEdit* connectionType_ = nullptr; // Text999
    QLineEdit* databasePath_ = nullptr;   // Textdb
    QLineEdit* table_ = nullptr;          // TextTT
    QLineEdit* selectText_ = nullptr;     // TextSS
    QLineEdit* barcodeText_ = nullptr;    // Text5
};

} // namespace hakobee
