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

    QLabel* Label111 = nullptr;
    QLabel* Label5 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QPlainTextEdit* Text5 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Labeldb = nullptr;
    QLabel* Labeltb = nullptr;
    QLabel* Labelsql = nullptr;
    QLabel* Labelpass = nullptr;
    QLabel* Labeluser = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command4 = nullptr;
};

} // namespace hakobee
