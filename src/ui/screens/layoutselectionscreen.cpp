#include "ui/screens/layoutselectionscreen.h"

#include "core/error.h"
#include "core/makersite.h"
#include "core/messageboxes.h"
#include "core/settings/layoutfile.h"
#include "core/settings/layoutmode.h"
#include "core/shellopener.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/installedfiles.h"
#include "ui/screenhost.h"
#include "ui/screens/unopenedpagenote.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace hakobee {

namespace {

constexpr int offsetTwips = 10;

const QString standardLayoutName = u"標準ﾀｲﾌﾟ"_qs;
const QString furnitureSlipLayoutName = u"C7304 家具統一伝票"_qs;

QRadioButton* option(QWidget* parent, int index, const QString& text)
{
    auto* created = new QRadioButton(text, parent);
    created->setObjectName(u"Option1(%1)"_qs.arg(index));
    return created;
}

// An empty title or company name is saved, and shown, as "_".
void fillWhenEmpty(QLineEdit* field)
{
    if (field->text().isEmpty())
        field->setText(storedLayoutText(field->text()));
}

} // namespace

LayoutSelectionScreen::LayoutSelectionScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setWindowTitle(u"設定　出力レイアウト選択"_qs);
    buildControls();
    connect(saveButton_, &QPushButton::clicked, this, &LayoutSelectionScreen::save);
    connect(orderButton_, &QPushButton::clicked, this, &LayoutSelectionScreen::openOrderPage);
}

QString LayoutSelectionScreen::noChoiceMessage()
{
    return u"設定項目が選択されていません。"_qs;
}

QString LayoutSelectionScreen::savedMessage()
{
    return u"設定が変更されました｡"_qs;
}

void LayoutSelectionScreen::buildControls()
{
    QLabel* heading = controls::label(this, u"Label1"_qs, u"出力レイアウト選択"_qs);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto* frame = new QGroupBox(u"レイアウト選択項目"_qs, this);
    frame->setObjectName(u"Frame1"_qs);
    labelOption_ = option(frame, 0, u"ラベルシール"_qs);
    QLabel* labelSize = controls::label(frame, u"Label6"_qs, u"SIZE 標準ﾀｲﾌﾟ"_qs);
    QLabel* title1Caption = controls::label(frame, u"Label4"_qs, u"タイトル1"_qs);
    title1Field_ = controls::lineEdit(frame, u"Text1"_qs);
    QLabel* title2Caption = controls::label(frame, u"Label5"_qs, u"タイトル2"_qs);
    title2Field_ = controls::lineEdit(frame, u"Text2"_qs);
    customOption_ = option(frame, 3, u"カスタマイズ設定【無効】"_qs);
    QLabel* companyCaption = controls::label(frame, u"Label7"_qs, u"自社名"_qs);
    companyNameField_ = controls::lineEdit(frame, u"Text3"_qs);
    customValueField_ = controls::lineEdit(frame, u"Text4"_qs);
    // The custom layouts cannot be chosen: they are made to order (Command1).
    for (QWidget* disabled :
         std::initializer_list<QWidget*>{customOption_, companyNameField_, customValueField_})
        disabled->setEnabled(false);

    auto* choices = new QGridLayout(frame);
    choices->setColumnStretch(2, 1);
    choices->addWidget(labelOption_, 0, 0, 1, 2);
    choices->addWidget(labelSize, 0, 2);
    choices->addWidget(title1Caption, 1, 1);
    choices->addWidget(title1Field_, 1, 2);
    choices->addWidget(title2Caption, 2, 1);
    choices->addWidget(title2Field_, 2, 2);
    choices->addWidget(customOption_, 3, 0, 1, 3);
    choices->addWidget(companyCaption, 4, 1);
    auto* customValues = new QHBoxLayout;
    customValues->addWidget(companyNameField_);
    customValues->addWidget(customValueField_);
    choices->addLayout(customValues, 4, 2);
    choices->setColumnMinimumWidth(0, 16);

    QLabel* currentCaption = controls::label(this, u"Label2"_qs, u"現在の設定"_qs);
    currentLayout_ = controls::valueLabel(this, u"Label3"_qs);
    furnitureSlipOption_ = option(this, 1, u"ｶｽﾀﾏｲｽﾞ7304　家具統一伝票　(C7304仕様)"_qs);
    secondCustomOption_ = option(this, 2, u"カスタマイズ2"_qs);
    // Neither has a way to be saved; only the label layout can be chosen.
    furnitureSlipOption_->setEnabled(false);
    secondCustomOption_->setEnabled(false);
    // One choice among the four, inside and outside the frame alike.
    auto* choice = new QButtonGroup(this);
    for (QRadioButton* button :
         {labelOption_, furnitureSlipOption_, secondCustomOption_, customOption_})
        choice->addButton(button);

    saveButton_ = controls::button(this, u"Command4"_qs, u"設定変更"_qs);
    orderButton_ = controls::button(this, u"Command1"_qs, u"レイアウト作成注文依頼(WEB)"_qs);

    auto* current = new QHBoxLayout;
    current->addWidget(currentCaption);
    current->addWidget(currentLayout_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(orderButton_);
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(heading);
    layout->addWidget(frame);
    layout->addLayout(current);
    layout->addWidget(furnitureSlipOption_);
    layout->addWidget(secondCustomOption_);
    layout->addStretch(1);
    orderPageNote_ = new UnopenedPageNote(this);
    layout->addWidget(orderPageNote_);
    layout->addLayout(buttons);

    saveButton_->setDefault(true);
    setFocusProxy(saveButton_);
}

bool LayoutSelectionScreen::load()
{
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    saveButton_->setFocus();
    try {
        loaded_ = readLayoutRecord(*context().databases);
        if (layoutModeForTitle2(loaded_.title2) == LayoutMode::FurnitureSlip) {
            // The marker itself goes into no field.
            companyNameField_->setText(loaded_.title1);
            currentLayout_->setText(furnitureSlipLayoutName);
        } else {
            title1Field_->setText(loaded_.title1);
            title2Field_->setText(loaded_.title2);
            currentLayout_->setText(standardLayoutName);
        }
        readAtLoad_ = true;
    } catch (const Error& error) {
        // Open with empty fields: a save writes a complete file again.
        loaded_ = {};
        showEmptyFields();
        context().messages->show(this,
                                 {error.description(), u"設定エラー"_qs, MessageIcon::Exclamation});
    }
    return true;
}

void LayoutSelectionScreen::showEmptyFields()
{
    for (QLineEdit* field : {title1Field_, title2Field_, companyNameField_, customValueField_})
        field->clear();
    currentLayout_->clear();
}

LabelTitles LayoutSelectionScreen::titles() const
{
    return {title1Field_->text(), title2Field_->text()};
}

void LayoutSelectionScreen::save()
{
    for (QLineEdit* field : {title1Field_, title2Field_, companyNameField_})
        fillWhenEmpty(field);

    const bool labelLayout = labelOption_->isChecked();
    if (!labelLayout && !customOption_->isChecked()) {
        context().messages->show(this,
                                 {noChoiceMessage(), u"設定変更エラー"_qs, MessageIcon::Critical});
        return;
    }
    if (!takeCarriedValuesFromFile())
        return;
    LayoutSettings saved = loaded_;
    saved.title1 = labelLayout ? title1Field_->text() : companyNameField_->text();
    saved.title2 = labelLayout ? title2Field_->text() : customValueField_->text();
    saved.paper = storedLayoutText(saved.paper);
    try {
        writeLayoutSettings(*context().settings, saved);
    } catch (const Error& error) {
        context().messages->show(
            this, {error.description(), u"設定変更エラー"_qs, MessageIcon::Critical});
        return;
    }
    closeScreen();
    QWidget* owner = context().screens ? context().screens->container() : nullptr;
    context().messages->show(owner, {savedMessage(), u"設定変更"_qs, MessageIcon::Information});
}

bool LayoutSelectionScreen::takeCarriedValuesFromFile()
{
    // The screen may have been loaded long ago, hidden, by a print run asking
    // for the titles; the paper and connection type screens may have saved
    // since. The file as it is now holds the values this save carries.
    try {
        const LayoutSettings stored = readLayoutRecord(*context().databases);
        loaded_.paper = stored.paper;
        loaded_.printer = stored.printer;
    } catch (const Error& error) {
        if (readAtLoad_) {
            context().messages->show(
                this, {error.description(), u"設定変更エラー"_qs, MessageIcon::Critical});
            return false;
        }
        // Opened over a file it could not read either: the save writes the
        // file complete again with what it has.
    }
    return true;
}

void LayoutSelectionScreen::openOrderPage()
{
    // The screen stays as it is; without a browser it offers the address.
    const QUrl page = programPageUrl(MakerPages::layoutOrderForm);
    if (context().shell && !context().shell->openWebPage(page))
        orderPageNote_->showAddress(page);
}

} // namespace hakobee
