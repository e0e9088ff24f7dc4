#pragma once

#include "core/printrun/labeltitles.h"
#include "core/settings/layoutfile.h"
#include "ui/screen.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace hakobee {

class UnopenedPageNote;

// The output layout selection: the label layout with its two titles, saved
// into nimbeconfig4.txt with the paper and the printer connection type
// carried through as the file holds them at the save (other screens own
// them and may have saved since this one loaded). Its title fields are the titles every label
// prints: while the screen is open, as edited; otherwise as its loading
// reads them (the print runs load it hidden to ask).
class LayoutSelectionScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form3";

    explicit LayoutSelectionScreen(AppContext& context, QWidget* parent = nullptr);

    bool load() override;

    // Text1 and Text2, as they stand.
    LabelTitles titles() const;

    static QString noChoiceMessage();
    static QString savedMessage();

private:
    void buildControls();
    void save(); // Command4
    // Takes the file's paper and connection type into loaded_. False, after
    // saying why, when the file cannot be read although the loading could:
    // then nothing may be written.
    bool takeCarriedValuesFromFile();
    void openOrderPage(); // Command1
    void showEmptyFields();

    QRadioButton* labelOption_ = nullptr;         // Option1(0)
    QRadioButton* furnitureSlipOption_ = nullptr; // Option1(1)
    QRadioButton* secondCustomOption_ = nullptr;  // Option1(2)
    QRadioButton* customOption_ = nullptr;        // Option1(3)
    QLineEdit* title1Field_ = nullptr;            // Text1
    QLineEdit* title2Field_ = nullptr;            // Text2
    QLineEdit* companyNameField_ = nullptr;       // Text3
    QLineEdit* customValueField_ = nullptr;       // Text4
    QLabel* currentLayout_ = nullptr;             // Label3
    QPushButton* saveButton_ = nullptr;           // Command4
    QPushButton* orderButton_ = nullptr;          // Command1
    UnopenedPageNote* orderPageNote_ = nullptr;   // the order page's address, without a browser
    // The file as last read: a save carries its paper and connection type,
    // which the screen never shows.
    LayoutSettings loaded_;
    bool readAtLoad_ = false; // the loading read nimbeconfig4.txt
};

} // namespace hakobee
