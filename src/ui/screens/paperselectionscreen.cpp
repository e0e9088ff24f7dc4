#include "ui/screens/paperselectionscreen.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printer/activeprinter.h"
#include "core/printer/paperlist.h"
#include "core/printer/printersetup.h"
#include "core/settings/layoutfile.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/screenhost.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>

namespace hakobee {

namespace {

constexpr int widthTwips = 8000;
constexpr int heightTwips = 3000;
constexpr int offsetTwips = 10;

// What an empty title or paper is stored as.
const QString emptyValue = u"_"_qs;

QLineEdit* hiddenField(QWidget* parent, const QString& objectName)
{
    QLineEdit* field = controls::lineEdit(parent, objectName);
    field->hide();
    return field;
}

void fillEmpty(QLineEdit* field)
{
    if (field->text().isEmpty())
        field->setText(emptyValue);
}

} // namespace

PaperSelectionScreen::PaperSelectionScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setWindowTitle(u"プリンター設定"_qs);
    buildControls();
    connect(paperList_, &QListWidget::itemSelectionChanged, this,
            &PaperSelectionScreen::takeSelectedPaper);
    connect(printSetupButton_, &QPushButton::clicked, this, &PaperSelectionScreen::showPrintSetup);
    connect(saveButton_, &QPushButton::clicked, this, &PaperSelectionScreen::save);
}

void PaperSelectionScreen::buildControls()
{
    QLabel* choosePrinter =
        controls::label(this, u"label1"_qs, u"プリンターを選択してください。"_qs);
    printSetupButton_ = controls::button(this, u"Command2"_qs, u"プリンターの設定"_qs);
    printSetupButton_->setMinimumSize(twipsToPixels(2535), twipsToPixels(615));
    QLabel* choosePaper = controls::label(this, u"Label3"_qs, u"用紙サイズを選択してください"_qs);

    paperList_ = new QListWidget(this);
    paperList_->setObjectName(u"List2(0)"_qs);
    paperList_->setSelectionMode(QAbstractItemView::SingleSelection);
    paperList_->setMinimumSize(twipsToPixels(2895), twipsToPixels(780));
    paperCodes_ = new QListWidget(this);
    paperCodes_->setObjectName(u"List2(1)"_qs);
    paperCodes_->hide();

    // Filled from the list; typing a code by hand could store one the
    // printer does not accept.
    paper_ = controls::lineEdit(this, u"Text5"_qs);
    paper_->setReadOnly(true);
    saveButton_ = controls::button(this, u"Command3"_qs, u"用紙設定"_qs);
    saveButton_->setMinimumSize(twipsToPixels(2535), twipsToPixels(615));
    QLabel* note = controls::label(this, u"Label4"_qs, u"※プリンターの設定のみ変更可能です"_qs);
    controls::setTextColour(note, Qt::red);

    loadedTitle1_ = hiddenField(this, u"Text1"_qs);
    loadedTitle2_ = hiddenField(this, u"Text2"_qs);
    loadedPrinter_ = hiddenField(this, u"Text4"_qs);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 12, 16, 8);
    layout->setHorizontalSpacing(24);
    layout->setColumnStretch(1, 1);
    layout->addWidget(choosePrinter, 0, 0);
    layout->addWidget(printSetupButton_, 1, 0, Qt::AlignTop);
    layout->addWidget(choosePaper, 0, 1);
    layout->addWidget(paperList_, 1, 1);
    layout->addWidget(paper_, 2, 1);
    layout->addWidget(saveButton_, 3, 1);
    layout->addWidget(note, 4, 0, 1, 2);
    layout->setRowStretch(1, 1);
}

bool PaperSelectionScreen::load()
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));
    try {
        const LayoutSettings stored = readLayoutRecord(*context().databases);
        loadedTitle1_->setText(stored.title1);
        loadedTitle2_->setText(stored.title2);
        paper_->setText(stored.paper);
        loadedPrinter_->setText(stored.printer);
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
        return false;
    }
    listPaperSizes();
    return true;
}

void PaperSelectionScreen::listPaperSizes()
{
    // A printer that cannot say which sizes it takes leaves both lists empty;
    // the save then keeps the loaded paper.
    QList<SupportedPaperSize> sizes;
    try {
        sizes = context().printer->supportedPaperSizes();
    } catch (const Error&) {
    }
    for (const SupportedPaperSize& size : sizes) {
        paperList_->addItem(paperListEntry(size));
        paperCodes_->addItem(QString::number(size.code));
    }
}

void PaperSelectionScreen::takeSelectedPaper()
{
    for (int row = 0; row < paperList_->count(); ++row) {
        if (paperList_->item(row)->isSelected())
            paper_->setText(paperCodes_->item(row)->text());
    }
}

void PaperSelectionScreen::showPrintSetup()
{
    // The printer and paper chosen there are the current printer's, which
    // the fixed connection type prints on; the list stays as it was probed.
    context().printerSetup->ShowPrinterSetup(printSetupDialogFlags, this);
}

void PaperSelectionScreen::save()
{
    fillEmpty(loadedTitle1_);
    fillEmpty(loadedTitle2_);
    fillEmpty(paper_);
    try {
        writeLayoutSettings(*context().settings, {loadedTitle1_->text(), loadedTitle2_->text(),
                                                  paper_->text(), loadedPrinter_->text()});
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
        return;
    }
    closeScreen();
    QWidget* owner = context().screens ? context().screens->container() : nullptr;
    context().messages->show(
        owner, {u"設定が変更されました｡"_qs, u"設定変更"_qs, MessageIcon::Information});
}

} // namespace hakobee
