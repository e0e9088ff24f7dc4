#include "ui/screens/connectiontypescreen.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printer/connectiontype.h"
#include "core/printer/printersetup.h"
#include "core/settings/layoutfile.h"
#include "core/settings/settingscolumns.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/screenhost.h"
#include "ui/screens/connectingnotice.h"
#include "ui/screens/paperselectionscreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace hakobee {

namespace {

constexpr int widthTwips = 6200;
constexpr int heightTwips = 3000;
constexpr int offsetTwips = 300;

} // namespace

ConnectionTypeScreen::ConnectionTypeScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setWindowTitle(u"ﾌﾟﾘﾝﾀｰ接続タイプ設定"_qs);
    buildControls();
    connect(saveButton_, &QPushButton::clicked, this, &ConnectionTypeScreen::save);
}

QString ConnectionTypeScreen::saveFailedMessage()
{
    return u"プリンター設定エラー1525"_qs;
}

void ConnectionTypeScreen::buildControls()
{
    QLabel* heading = controls::label(this, u"Label1"_qs, u"プリンター接続タイプ設定"_qs);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    fixedOption_ =
        new QRadioButton(u"ｽﾀﾝﾄﾞｱﾛﾝ接続(LPT,USB) 通常使用するﾌﾟﾘﾝﾀｰで出力【固定】"_qs, this);
    fixedOption_->setObjectName(u"Option1(0)"_qs);
    variableOption_ =
        new QRadioButton(u"通常使用するプリンター以外又はﾈｯﾄﾜｰｸ共有型接続 【変動】"_qs, this);
    variableOption_->setObjectName(u"Option1(1)"_qs);
    saveButton_ = controls::button(this, u"Command1"_qs, u"設定"_qs);
    saveButton_->setMinimumWidth(twipsToPixels(2415));
    errorLine_ = controls::label(this, u"Label2"_qs);
    controls::setTextColour(errorLine_, Qt::red);

    auto* button = new QHBoxLayout;
    button->addStretch();
    button->addWidget(saveButton_);
    button->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 8);
    layout->addWidget(heading, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(fixedOption_);
    layout->addWidget(variableOption_);
    layout->addSpacing(4);
    layout->addLayout(button);
    layout->addWidget(errorLine_);
    layout->addStretch();
}

bool ConnectionTypeScreen::load()
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));

    loaded_ = readLayoutRecord(*context().databases);
    showStoredType(loaded_.printer);

    // The printer current now is the one the variable type's runs start from.
    context().printerSetup->SavePrinterState();
    return true;
}

void ConnectionTypeScreen::showStoredType(const QString& storedPrinter)
{
    const std::optional<ConnectionType> type = connectionTypeShownFor(storedPrinter);
    if (!type) {
        // The print runs take anything but "1" for the fixed type: show
        // what they do, and let a save put a valid value in its place.
        context().messages->show(
            this, {u"%1 の PRINTER の値「%2」は数値ではありません。"
                   u"印刷は【固定】の接続で行われます。設定し直してください。"_qs.arg(
                       SettingsFiles::layout, storedPrinter),
                   windowTitle(), MessageIcon::Exclamation});
    }
    if (type == ConnectionType::Variable)
        variableOption_->setChecked(true);
    else
        fixedOption_->setChecked(true);
}

void ConnectionTypeScreen::takeOtherColumnsFromFile()
{
    // The layout and paper screens may have saved since this one loaded;
    // writing back what it loaded would undo that.
    try {
        const LayoutSettings stored = readLayoutRecord(*context().databases);
        loaded_.title1 = stored.title1;
        loaded_.title2 = stored.title2;
        loaded_.paper = stored.paper;
    } catch (const Error&) {
        // Unreadable now: the values as loaded make the file whole again.
    }
}

void ConnectionTypeScreen::save()
{
    takeOtherColumnsFromFile();
    try {
        if (variableOption_->isChecked()) {
            writeLayoutSettings(*context().settings,
                                {loaded_.title1, loaded_.title2, paperChosenAtEachRun(),
                                 storedConnectionType(ConnectionType::Variable)});
            closeScreen();
            return;
        }
        writeLayoutSettings(*context().settings, {loaded_.title1, loaded_.title2, loaded_.paper,
                                                  storedConnectionType(ConnectionType::Fixed)});
        bool paperScreenOpened = false;
        {
            // The paper screen asks the printer for its paper sizes as it opens.
            ConnectingNotice notice(this);
            paperScreenOpened = context().screens->open<PaperSelectionScreen>() != nullptr;
        }
        if (!paperScreenOpened) {
            errorLine_->setText(saveFailedMessage());
            return;
        }
        closeScreen();
    } catch (const Error& error) {
        errorLine_->setText(saveFailedMessage());
        errorLine_->setToolTip(error.description()); // the reason, for whoever looks into it
    }
}

} // namespace hakobee
