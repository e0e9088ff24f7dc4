#pragma once

#include "shell/screen.h"

#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hakobee {

// The main menu: shows the data source the next print run will use and
// opens the runs, the record-count check and the printer connection screen.
// Its loading reads the settings files and restores the default copies when
// a file is missing or unreadable.
class Form1 : public Screen
{
    Q_OBJECT

public:
    explicit Form1(AppContext& context, QWidget* parent = nullptr);

    bool load() override;

    // Shown in Label4 instead of the second title in the furniture-slip layout.
    static QString furnitureSlipNote();
    // Label12 texts for a failed opening of the record-count check and of the
    // printer connection screen.
    static QString databaseSettingsInvalidMessage();
    static QString printerErrorMessage();

    // True when Label4 shows the furniture-slip note.
    bool isFurnitureSlipMode() const;

    // The two values kept from the data row: DB and TABLE of nimbeconfig2.txt,
    // or DB2 and DB1 of nimbeconfig5.txt in the furniture-slip layout.
    QString keptDatabase() const;
    QString keptTable() const;

    // How a button opens a slow screen: shows the connecting notice, paints
    // it, runs `open` (normally context().screens->open<T>()), closes the
    // notice. When `open` returns null or throws hakobee::Error, the failure
    // message goes to Label12 (an empty message leaves Label12 alone) and
    // false is returned. A button wired this way is enabled by
    //
    //     connectButton(u"Command3"_qs, [this] {
    //         openBehindNotice([this] { return context().screens->open<Form6>(); },
    //                          databaseSettingsInvalidMessage());
    //     });
    bool openBehindNotice(const std::function<Screen*()>& open, const QString& failureMessage);
    // Enables the named button and runs the action on each click.
    void connectButton(const QString& objectName, std::function<void()> action);

private:
    void buildControls();
    void restoreSettingsFiles();
    void readLayout();
    void readFurnitureSlip();
    void readDataSource();

    QLabel* label4_ = nullptr;
    QLabel* label7_ = nullptr;
    QLabel* label11_ = nullptr;
    QLabel* label12_ = nullptr;
    QLabel* label15_ = nullptr;
    QLineEdit* textdb_ = nullptr;
    QLineEdit* textuser_ = nullptr;
    QStringList keptSettingsCopies_; // backups the restores of this loading made
};

} // namespace hakobee
