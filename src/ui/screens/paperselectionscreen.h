#pragma once

#include "core/settings/layoutfile.h"
#include "ui/screen.h"

#include <QList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace hakobee {

// The printer and paper of the fixed connection type: a button to the
// print-setup dialog for the current printer (what the operator confirms
// there is remembered for the next start), the printer in use by name, and
// the list of paper sizes that printer accepts; the chosen code is stored as
// YOSHI in nimbeconfig4.txt, the other three columns are carried through.
//
// Below them the printer's calibration: a button that prints the calibration
// label (calibrationlabel.h) on the current printer, on the stored paper as
// the runs print on it, then where the operator measured the centre of its
// crosshair (millimetres from the label's left and top edges; nominally 10
// and 10), saved as the current printer's offset (printeroffset.h), which
// every label printed on it is moved by.
class PaperSelectionScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form7";

    // PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIES | PD_PRINTSETUP |
    // PD_NOPAGENUMS | PD_NOSELECTION: printer and paper only.
    static constexpr quint32 printSetupDialogFlags = 0x100000 | 0x40000 | 0x40 | 0x8 | 0x4;

    explicit PaperSelectionScreen(AppContext& context, QWidget* parent = nullptr);

    // Reads nimbeconfig4.txt and lists the current printer's paper sizes.
    // Returns false, having said why, when the file cannot be read.
    bool load() override;

private:
    void buildControls();
    void listPaperSizes();
    void takeSelectedPaper();     // List2 click
    void showPrintSetup();        // Command2
    void save();                  // Command3
    void printCalibrationLabel(); // CommandCalibration
    void saveCalibration();       // CommandCalibrationSave
    void showPrinterOffset();

    QPushButton* printSetupButton_ = nullptr;       // Command2
    QListWidget* paperList_ = nullptr;              // List2(0): "code TAB width x height"
    QList<int> paperCodes_;                         // the code of each entry of List2(0)
    QPushButton* saveButton_ = nullptr;             // Command3
    QLineEdit* paper_ = nullptr;                    // Text5: YOSHI as it will be saved
    QLabel* printerInUse_ = nullptr;                // LabelPrinterName
    QLabel* printerOffset_ = nullptr;               // LabelPrinterOffset: the offset in force
    QPushButton* calibrationPrintButton_ = nullptr; // CommandCalibration
    QLineEdit* measuredXMm_ = nullptr;              // TextCalibrationX
    QLineEdit* measuredYMm_ = nullptr;              // TextCalibrationY
    QPushButton* calibrationSaveButton_ = nullptr;  // CommandCalibrationSave
    // The file as loaded; the other three columns are taken again from the
    // file just before the save writes them back with the paper of Text5.
    LayoutSettings loaded_;
};

} // namespace hakobee
