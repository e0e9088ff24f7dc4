#include "ui/screens/mainmenuscreen.h"

#include "core/datasource/datasourcekind.h"
#include "core/error.h"
#include "core/printer/rememberedprinter.h"
#include "core/programversion.h"
#include "core/settings/datasourcefile.h"
#include "core/settings/layoutfile.h"
#include "core/settings/printadjustmentsfile.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "core/units.h"
#include "platform/desktop/osversion.h"
#include "ui/controls.h"
#include "ui/printerinuselabel.h"
#include "ui/screenhost.h"
#include "ui/screens/connectingnotice.h"
#include "ui/screens/connectiontypescreen.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/partialrunscreen.h"
#include "ui/screens/recordcountscreen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace hakobee {

MainMenuScreen::MainMenuScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QString::fromLatin1(screenObjectName));
    setWindowTitle(u"メインメニュー　　Va"_qs + QString::fromLatin1(programVersion));
    buildControls();
    connectButton(u"Command3"_qs, [this] {
        openBehindNotice([this] { return this->context().screens->open<RecordCountScreen>(); },
                         databaseSettingsInvalidMessage());
    });
    connectButton(u"Command4"_qs, [this] {
        openBehindNotice([this] { return this->context().screens->open<ConnectionTypeScreen>(); },
                         printerErrorMessage());
    });
    // The run screens report their own loading faults.
    connectButton(u"Command1"_qs, [this] {
        openBehindNotice([this] { return this->context().screens->open<ContinuousRunScreen>(); },
                         QString());
    });
    connectButton(u"Command5"_qs, [this] { this->context().screens->open<PartialRunScreen>(); });
}

void MainMenuScreen::buildControls()
{
    setFixedSize(560, 466);

    QLabel* title = controls::label(this, u"Label2"_qs, u"ﾊﾞｰｺｰﾄﾞハコビー メインメニュー"_qs);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* check = new QGroupBox(u"発行前確認"_qs, this);
    check->setObjectName(u"Frame1"_qs);
    // Buttons are enabled by connectButton once the screen they open exists.
    const auto disabledButton = [check](const QString& name, const QString& text) {
        QPushButton* button = controls::button(check, name, text);
        button->setEnabled(false);
        return button;
    };
    databaseValue_ = controls::valueLabel(check, u"Label7"_qs);
    tableValue_ = controls::valueLabel(check, u"Label15"_qs);
    osVersionValue_ = controls::valueLabel(check, u"Label11"_qs);
    auto* rows = new QGridLayout(check);
    rows->setColumnMinimumWidth(0, 150);
    rows->setColumnStretch(1, 1);
    rows->addWidget(controls::label(check, u"Label1"_qs, u"データ件数"_qs), 0, 0);
    rows->addWidget(disabledButton(u"Command3"_qs, u"DB接続　==>　件数表示"_qs), 0, 1,
                    Qt::AlignLeft);
    rows->addWidget(controls::label(check, u"Label6"_qs, u"データベースパス"_qs), 1, 0);
    rows->addWidget(databaseValue_, 1, 1);
    rows->addWidget(controls::label(check, u"Label14"_qs, u"データテーブル"_qs), 2, 0);
    rows->addWidget(tableValue_, 2, 1);
    rows->addWidget(controls::label(check, u"Label8"_qs, u"出力プリンター設定"_qs), 3, 0);
    auto* printer = new QHBoxLayout;
    printer->addWidget(disabledButton(u"Command4"_qs, u"プリンター/用紙設定"_qs));
    printer->addWidget(makePrinterInUseLabel(check, context()), 1);
    rows->addLayout(printer, 3, 1);
    rows->addWidget(controls::label(check, u"Label10"_qs, u"OSバージョン"_qs), 4, 0);
    rows->addWidget(osVersionValue_, 4, 1);

    statusLine_ = controls::label(this, u"Label12"_qs);
    statusLine_->setWordWrap(true);
    // Room for four lines: a restore names the backups it kept.
    statusLine_->setMinimumHeight(4 * statusLine_->fontMetrics().lineSpacing() + 8);
    controls::setTextColour(statusLine_, Qt::red);

    QPushButton* continuous = controls::button(this, u"Command1"_qs, u"発行開始"_qs);
    QPushButton* partial = controls::button(this, u"Command5"_qs, u"部分発行"_qs);
    for (QPushButton* run : {continuous, partial}) {
        run->setEnabled(false);
        run->setMinimumHeight(50);
    }
    // The layout mode note lies under the partial-run button, in the same
    // cell: the operator does not see it.
    layoutNote_ = controls::label(this, u"Label4"_qs);
    controls::setTextColour(layoutNote_, QColor(0, 128, 0));
    layoutNote_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    sourceKindNote_ = controls::label(this, u"Label3"_qs, u"DB by Access"_qs);
    sourceKindNote_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(20, 10, 20, 10);
    layout->setHorizontalSpacing(20);
    layout->addWidget(title, 0, 0, 1, 2);
    layout->addWidget(check, 1, 0, 1, 2);
    layout->addWidget(statusLine_, 2, 0, 1, 2);
    layout->addWidget(continuous, 3, 0);
    layout->addWidget(layoutNote_, 3, 1);
    layout->addWidget(partial, 3, 1);
    layout->addWidget(sourceKindNote_, 4, 0, 1, 2);
    layoutNote_->lower();
}

QString MainMenuScreen::furnitureSlipNote()
{
    return u"ﾌﾟﾛｸﾞﾗﾑC7304動作中"_qs;
}

QString MainMenuScreen::databaseSettingsInvalidMessage()
{
    return u"DBの設定が不正です。設定し直して下さい"_qs;
}

QString MainMenuScreen::printerErrorMessage()
{
    return u"プリンターエラー"_qs;
}

bool MainMenuScreen::load()
{
    move(twipsToPixels(10), twipsToPixels(10));
    // Each step that fails restores the settings files and loading goes on
    // with the next step; what the failed step would have shown stays as it was.
    readLayout();
    osVersionValue_->setText(operatingSystemVersionText());
    if (layoutMode_ == LayoutMode::FurnitureSlip)
        readSlipDataFile();
    else
        readDataSource();
    showRememberedPrinterProblem();
    return true;
}

void MainMenuScreen::showRememberedPrinterProblem()
{
    // Only said: the four settings files are not restored because of it.
    const RememberedPrinter* remembered = context().rememberedPrinter;
    if (!remembered || remembered->problem().isEmpty())
        return;
    const QString earlier = statusLine_->text();
    statusLine_->setText(earlier.isEmpty() ? remembered->problem()
                                           : earlier + u'\n' + remembered->problem());
}

void MainMenuScreen::restoreSettingsFiles()
{
    SettingsResetReport report = resetSettingsFiles(*context().settings);
    // A later restore of the same loading keeps naming the earlier backups.
    keptSettingsCopies_ += report.kept;
    report.kept = keptSettingsCopies_;
    statusLine_->setText(report.message());
}

void MainMenuScreen::readLayout()
{
    try {
        const QString title2 = readLayoutRows(*context().settings).title2;
        layoutMode_ = layoutModeForTitle2(title2);
        layoutNote_->setText(layoutMode_ == LayoutMode::FurnitureSlip ? furnitureSlipNote()
                                                                      : title2);
    } catch (const Error&) {
        restoreSettingsFiles();
    }
}

void MainMenuScreen::readSlipDataFile()
{
    try {
        const CarriedColumns carried = readPrintAdjustmentsRecord(*context().settings).carried;
        keptDatabase_ = carried.slipDataFile;
        keptTable_ = carried.slipDataFolder;
    } catch (const Error&) {
        restoreSettingsFiles();
    }
}

void MainMenuScreen::readDataSource()
{
    try {
        const DataSourceSettings dataSource = readDataSourceRows(*context().settings);
        keptDatabase_ = dataSource.databasePath;
        keptTable_ = dataSource.table;
        databaseValue_->setText(dataSource.databasePath);
        tableValue_->setText(dataSource.table);
        sourceKindNote_->setText(dataSourceKindNote(dataSourceKindOf(dataSource.databasePath)));
    } catch (const Error&) {
        restoreSettingsFiles();
    }
}

bool MainMenuScreen::openBehindNotice(const std::function<Screen*()>& open,
                                      const QString& failureMessage)
{
    bool opened = false;
    {
        ConnectingNotice notice(this);
        try {
            opened = open() != nullptr;
        } catch (const Error&) {
            opened = false;
        }
    }
    if (!opened && !failureMessage.isEmpty())
        statusLine_->setText(failureMessage);
    return opened;
}

void MainMenuScreen::connectButton(const QString& objectName, std::function<void()> action)
{
    auto* button = findChild<QPushButton*>(objectName);
    Q_ASSERT(button);
    button->setEnabled(true);
    connect(button, &QPushButton::clicked, this, std::move(action));
}

} // namespace hakobee
