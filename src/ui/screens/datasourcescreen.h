#pragma once

#include "core/datasource/datasourcesettings.h"
#include "ui/screen.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace hakobee {

struct Message;

// The data source settings screen: the Access database file, the table and
// the select text every print run reads, stored in nimbeconfig2.txt, with a
// connection test that runs the record query and shows its row count.
class DataSourceScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "setOracle";

    explicit DataSourceScreen(AppContext& context, QWidget* parent = nullptr);

    bool load() override;

private:
    void browseForDatabase();     // Command1
    void saveAndTest();           // Command2
    void showSampleDataPicture(); // Command3
    void saveOnly();              // Command4

    void buildControls();
    DataSourceSettings typedSettings() const;
    // Checks the three boxes before anything is written; shows the reason
    // and returns false when they cannot be stored.
    bool acceptTypedSettings();
    void tell(const Message& message);

    QLabel* heading_ = nullptr;                // Label111
    QLabel* sectionCaption_ = nullptr;         // Label5
    QGroupBox* accessFrame_ = nullptr;         // Frame1
    QLabel* databaseCaption_ = nullptr;        // Label2
    QLineEdit* databasePath_ = nullptr;        // Text1
    QPushButton* browseButton_ = nullptr;      // Command1
    QLabel* databaseExample_ = nullptr;        // Label6
    QPushButton* sampleButton_ = nullptr;      // Command3
    QLabel* countResult_ = nullptr;            // Label1
    QLabel* tableCaption_ = nullptr;           // Label9
    QLineEdit* tableName_ = nullptr;           // Text4
    QLabel* tableExample_ = nullptr;           // Label10
    QLabel* selectCaption_ = nullptr;          // Label11
    QPlainTextEdit* selectText_ = nullptr;     // Text5
    QLabel* selectExample_ = nullptr;          // Label12
    QLabel* selectNote_ = nullptr;             // Label13
    QLabel* selectRule1_ = nullptr;            // Label14
    QLabel* selectRule2_ = nullptr;            // Label15
    QLabel* selectRule3_ = nullptr;            // Label16
    QLabel* readBackDatabase_ = nullptr;       // Labeldb
    QLabel* readBackTable_ = nullptr;          // Labeltb
    QLabel* readBackSelect_ = nullptr;         // Labelsql
    QLabel* readBackPassword_ = nullptr;       // Labelpass
    QLabel* readBackUser_ = nullptr;           // Labeluser
    QPushButton* testAndSaveButton_ = nullptr; // Command2
    QPushButton* saveButton_ = nullptr;        // Command4
};

} // namespace hakobee
