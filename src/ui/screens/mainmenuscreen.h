#pragma once

#include "core/settings/layoutmode.h"
#include "ui/screen.h"

#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;

namespace hakobee {

// The main menu: shows the data source the next print run will use and
// opens the runs, the record-count check and the printer connection screen.
// Its loading reads the settings files and restores the default copies when
// a file is missing or unreadable.
class MainMenuScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "Form1";

    explicit MainMenuScreen(AppContext& context, QWidget* parent = nullptr);

    bool load() override;

    // Shown in Label4 instead of the second title in the furniture-slip layout.
    static QString furnitureSlipNote();
    // Label12 texts for a failed opening of the record-count check and of the
    // printer connection screen.
    static QString databaseSettingsInvalidMessage();
    static QString printerErrorMessage();

    // The layout mode the loading found; StandardLabel when nimbeconfig4.txt
    // could not be read.
    LayoutMode layoutMode() const { return layoutMode_; }

    // The two values kept from the data row: DB and TABLE of nimbeconfig2.txt,
    // or DB2 and DB1 of nimbeconfig5.txt in the furniture-slip layout.
    QString keptDatabase() const { return keptDatabase_; }
    QString keptTable() const { return keptTable_; }

    // How a button opens a slow screen: shows the connecting notice, paints
    // it, runs `open` (normally context().screens->open<T>()), closes the
    // notice. When `open` returns null or throws hakobee::Error, the failure
    // message goes to Label12 (an empty message leaves Label12 alone) and
    // false is returned. A button wired this way is enabled by
    //
    //     connectButton(u"Command3"_qs, [this] {
    //         openBehindNotice([this] { return context().screens->open<RecordCountScreen>(); },
    //                          databaseSettingsInvalidMessage());
    //     });
    bool openBehindNotice(const std::function<Screen*()>& open, const QString& failureMessage);
    // Enables the named button and runs the action on each click.
    void connectButton(const QString& objectName, std::function<void()> action);

private:
    void buildControls();
    void restoreSettingsFiles();
    void showRememberedPrinterProblem();
    void readLayout();
    void readSlipDataFile();
    void readDataSource();

    QLabel* layoutNote_ = nullptr;     // Label4: the second title, or the furniture-slip note
    QLabel* databaseValue_ = nullptr;  // Label7
    QLabel* osVersionValue_ = nullptr; // Label11
    QLabel* statusLine_ = nullptr;     // Label12: start-up faults and failed openings, in red
    QLabel* tableValue_ = nullptr;     // Label15
    QLabel* sourceKindNote_ = nullptr; // Label3: the kind of data source, "DB by Access"
    LayoutMode layoutMode_ = LayoutMode::StandardLabel;
    QString keptDatabase_;           // DB, or DB2 in the furniture-slip layout
    QString keptTable_;              // TABLE, or DB1 in the furniture-slip layout
    QStringList keptSettingsCopies_; // backups the restores of this loading made
};

} // namespace hakobee
