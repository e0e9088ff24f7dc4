#pragma once

#include "core/settings/layoutfile.h"
#include "ui/screen.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace hakobee {

// How the print runs choose their printer: the fixed type prints on the
// current printer with the paper chosen on the paper screen, which opens
// after saving; the variable type asks with the print-setup dialog at every
// run. Stored as PRINTER (and YOSHI "999" for the variable type) in
// nimbeconfig4.txt.
class ConnectionTypeScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form17";

    explicit ConnectionTypeScreen(AppContext& context, QWidget* parent = nullptr);

    // Reads nimbeconfig4.txt and remembers the current printer for the
    // variable type's runs. A failure to read or to reach the printer is
    // thrown (hakobee::Error) to the caller.
    bool load() override;

    // Label2's text when saving or opening the paper screen failed.
    static QString saveFailedMessage();

private:
    void buildControls();
    void showStoredType(const QString& storedPrinter);
    void save(); // Command1
    // The columns this screen does not edit, as the file holds them now.
    void takeOtherColumnsFromFile();

    QRadioButton* fixedOption_ = nullptr;    // Option1(0)
    QRadioButton* variableOption_ = nullptr; // Option1(1), the type a save writes when checked
    QPushButton* saveButton_ = nullptr;      // Command1
    QLabel* errorLine_ = nullptr;            // Label2
    // The file as loaded; the titles and the paper are taken again from the
    // file just before the save writes them back.
    LayoutSettings loaded_;
};

} // namespace hakobee
