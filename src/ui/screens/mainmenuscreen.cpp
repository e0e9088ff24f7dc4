#include "ui/screens/mainmenuscreen.h"

#include "core/error.h"
#include "core/settings/layoutmode.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "core/units.h"
#include "platform/desktop/osversion.h"
#include "ui/screenhost.h"
#include "ui/screens/connectingnotice.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/partialrunscreen.h"
#include "ui/screens/recordcountscreen.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace hakobee {

namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

// A value display: a sunken box like the row captions' partner fields.
QLabel* addValueLabel(QWidget* parent, const char* name, QRect geometry)
{
    QLabel* label = addLabel(parent, name, QString(), geometry);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    // Enabled by the screen that the button opens, once it is wired.
    button->setEnabled(false);
    return button;
}

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

MainMenuScreen::MainMenuScreen(AppContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QString::fromLatin1(screenObjectName));
    setWindowTitle(QStringLiteral("メインメニュー　　Va2.0.5"));
    buildControls();
    connectButton(u"Command3"_qs, [this] {
        openBehindNotice([this] { return this->context().screens->open<RecordCountScreen>(); },
                         databaseSettingsInvalidMessage());
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
    setFixedSize(560, 430);

    QLabel* title = addLabel(this, "Label2", QStringLiteral("ﾊﾞｰｺｰﾄﾞハコビー メインメニュー"),
                             {20, 10, 520, 36});
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* frame = new QGroupBox(QStringLiteral("発行前確認"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(20, 54, 520, 226);

    const int captionX = 16, captionWidth = 150, valueX = 172, valueWidth = 332, rowHeight = 30;
    auto row = [](int index) {
        return 26 + index * 40;
    };
    addLabel(frame, "Label1", QStringLiteral("データ件数"),
             {captionX, row(0), captionWidth, rowHeight});
    addButton(frame, "Command3", QStringLiteral("DB接続　==>　件数表示"),
              {valueX, row(0), 240, rowHeight});
    addLabel(frame, "Label6", QStringLiteral("データベースパス"),
             {captionX, row(1), captionWidth, rowHeight});
    label7_ = addValueLabel(frame, "Label7", {valueX, row(1), valueWidth, rowHeight});
    addLabel(frame, "Label14", QStringLiteral("データテーブル"),
             {captionX, row(2), captionWidth, rowHeight});
    label15_ = addValueLabel(frame, "Label15", {valueX, row(2), valueWidth, rowHeight});
    addLabel(frame, "Label8", QStringLiteral("出力プリンター設定"),
             {captionX, row(3), captionWidth, rowHeight});
    addButton(frame, "Command4", QStringLiteral("プリンター/用紙設定"),
              {valueX, row(3), 240, rowHeight});
    addLabel(frame, "Label10", QStringLiteral("OSバージョン"),
             {captionX, row(4), captionWidth, rowHeight});
    label11_ = addValueLabel(frame, "Label11", {valueX, row(4), valueWidth, rowHeight});

    label12_ = addLabel(this, "Label12", QString(), {20, 286, 520, 44});
    label12_->setWordWrap(true);
    setTextColour(label12_, Qt::red);

    addButton(this, "Command1", QStringLiteral("発行開始"), {20, 338, 250, 50});
    QPushButton* partial =
        addButton(this, "Command5", QStringLiteral("部分発行"), {290, 338, 250, 50});

    // The layout mode note lies under the partial-run button: the window
    // reads its mode from it, the operator does not see it.
    label4_ = addLabel(this, "Label4", QString(), partial->geometry());
    setTextColour(label4_, QColor(0, 128, 0));
    label4_->lower();

    QLabel* note = addLabel(this, "Label3", QStringLiteral("DB by Access"), {20, 398, 520, 22});
    note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The values kept from the data row; no control shows them.
    textdb_ = new QLineEdit(this);
    textdb_->setObjectName(QStringLiteral("Textdb"));
    textdb_->hide();
    textuser_ = new QLineEdit(this);
    textuser_->setObjectName(QStringLiteral("Textuser"));
    textuser_->hide();
}

QString MainMenuScreen::furnitureSlipNote()
{
    return QStringLiteral("ﾌﾟﾛｸﾞﾗﾑC7304動作中");
}

QString MainMenuScreen::databaseSettingsInvalidMessage()
{
    return QStringLiteral("DBの設定が不正です。設定し直して下さい");
}

QString MainMenuScreen::printerErrorMessage()
{
    return QStringLiteral("プリンターエラー");
}

bool MainMenuScreen::isFurnitureSlipMode() const
{
    return label4_->text() == furnitureSlipNote();
}

QString MainMenuScreen::keptDatabase() const
{
    return textdb_->text();
}

QString MainMenuScreen::keptTable() const
{
    return textuser_->text();
}

bool MainMenuScreen::load()
{
    move(twipsToPixels(10), twipsToPixels(10));
    // Each step that fails restores the settings files and loading goes on
    // with the next step; what the failed step would have shown stays as it was.
    readLayout();
    label11_->setText(operatingSystemVersionText());
    if (isFurnitureSlipMode())
        readFurnitureSlip();
    else
        readDataSource();
    return true;
}

void MainMenuScreen::restoreSettingsFiles()
{
    label12_->setText(resetSettingsFiles(*context().settings).message());
}

void MainMenuScreen::readLayout()
{
    try {
        const SettingsRows rows =
            readSettingsRows(context().settings->filePath(SettingsFiles::layout), 4,
                             {SettingsColumns::layoutPrinter});
        const QString title2 = rows.data[SettingsColumns::layoutTitle2];
        label4_->setText(layoutModeForTitle2(title2) == LayoutMode::FurnitureSlip
                             ? furnitureSlipNote()
                             : title2);
    } catch (const Error&) {
        restoreSettingsFiles();
    }
}

void MainMenuScreen::readFurnitureSlip()
{
    try {
        const SettingsRows rows =
            readSettingsRows(context().settings->filePath(SettingsFiles::furnitureSlip), 99);
        textdb_->setText(rows.data[1]);   // DB2
        textuser_->setText(rows.data[0]); // DB1
    } catch (const Error&) {
        restoreSettingsFiles();
    }
}

void MainMenuScreen::readDataSource()
{
    try {
        const SettingsRows rows =
            readSettingsRows(context().settings->filePath(SettingsFiles::dataSource), 3);
        textdb_->setText(rows.data[0]);   // DB
        textuser_->setText(rows.data[1]); // TABLE
        label7_->setText(rows.data[0]);
        label15_->setText(rows.data[1]);
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
        label12_->setText(failureMessage);
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
