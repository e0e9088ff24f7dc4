#include "ui/screens/positionadjustmentscreen.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printer/printadjustment.h"
#include "core/settings/furnitureslipfile.h"
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/screenhost.h"
#include "ui/screens/datasourcescreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace hakobee {

namespace {

constexpr int widthTwips = 7900;
constexpr int heightTwips = 4700;
constexpr int offsetTwips = 10;

// The hidden field of each of the 99 columns, in file order.
QStringList columnFieldNames()
{
    QStringList names{u"Textdb1"_qs, u"Textdb2"_qs, u"Textsize1"_qs, u"Textsize2"_qs,
                      u"Textsize3"_qs};
    for (int number = 1; number <= 94; ++number)
        names.append(u"Text%1"_qs.arg(number));
    return names;
}

} // namespace

PositionAdjustmentScreen::PositionAdjustmentScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setWindowTitle(u"印刷位置調整"_qs);
    buildControls();
    for (Adjustment* adjustment : {&horizontal_, &vertical_, &fontSize_}) {
        // Mouse, keyboard and wheel alike: what the label shows is what is saved.
        connect(adjustment->slider, &QSlider::valueChanged, this, [adjustment](int value) {
            adjustment->shown->setText(QString::number(value));
            adjustment->saved->setText(QString::number(value));
        });
    }
}

void PositionAdjustmentScreen::buildControls()
{
    for (const QString& name : columnFieldNames()) {
        QLineEdit* field = controls::lineEdit(this, name);
        field->hide();
        columnFields_.append(field);
    }
    horizontal_.saved = columnFields_[FurnitureSlipColumns::horizontalOffset];
    vertical_.saved = columnFields_[FurnitureSlipColumns::verticalOffset];
    fontSize_.saved = columnFields_[FurnitureSlipColumns::fontSizeChange];

    QLabel* title = controls::label(this, u"Label1"_qs, u"印刷位置調整"_qs);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    addAdjustmentRows(
        grid, 0, horizontal_,
        {u"Label3"_qs, u"Slider1"_qs, u"Label14"_qs, u"Label12"_qs, u"Label5"_qs, u"Label11"_qs},
        {u"横　位置調整"_qs, u"左"_qs, u"0"_qs, u"右"_qs});
    addAdjustmentRows(
        grid, 3, vertical_,
        {u"Label2"_qs, u"Slider2"_qs, u"Label15"_qs, u"Label9"_qs, u"Label6"_qs, u"Label8"_qs},
        {u"縦　位置調整"_qs, u"上"_qs, u"0"_qs, u"下"_qs});
    addAdjustmentRows(
        grid, 6, fontSize_,
        {u"Label4"_qs, u"Slider3"_qs, u"Label16"_qs, u"Label13"_qs, u"Label7"_qs, u"Label10"_qs},
        {u"フォントサイズ"_qs, u"小"_qs, u"0"_qs, u"大"_qs});
    for (int gap : {2, 5})
        grid->setRowMinimumHeight(gap, 18);

    QPushButton* saveButton = controls::button(this, u"Command1"_qs, u"保存設定"_qs);
    saveButton->setMinimumSize(twipsToPixels(1815), twipsToPixels(375));
    connect(saveButton, &QPushButton::clicked, this, &PositionAdjustmentScreen::save);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 12);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addSpacing(12);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(saveButton, 0, Qt::AlignHCenter);
}

void PositionAdjustmentScreen::addAdjustmentRows(QGridLayout* grid, int row, Adjustment& adjustment,
                                                 const QStringList& names,
                                                 const QStringList& captions)
{
    adjustment.slider = new QSlider(Qt::Horizontal, this);
    adjustment.slider->setObjectName(names[1]);
    adjustment.slider->setRange(smallestPrintAdjustment, largestPrintAdjustment);
    adjustment.slider->setSingleStep(1);
    adjustment.slider->setPageStep(5);
    adjustment.slider->setTickPosition(QSlider::TicksBelow);
    adjustment.slider->setTickInterval(5);
    adjustment.slider->setMinimumWidth(twipsToPixels(5175));
    adjustment.shown = controls::label(this, names[2]);
    adjustment.shown->setMinimumWidth(adjustment.shown->fontMetrics().horizontalAdvance(u"-20"_qs) +
                                      8);

    // The left and right ends as wide as each other, so the middle one
    // sits under the slider's 0.
    QLabel* leftEnd = controls::label(this, names[3], captions[1]);
    QLabel* middle = controls::label(this, names[4], captions[2]);
    QLabel* rightEnd = controls::label(this, names[5], captions[3]);
    const int endWidth = std::max(leftEnd->sizeHint().width(), rightEnd->sizeHint().width());
    leftEnd->setFixedWidth(endWidth);
    rightEnd->setFixedWidth(endWidth);
    rightEnd->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* ends = new QHBoxLayout;
    ends->addWidget(leftEnd);
    ends->addStretch();
    ends->addWidget(middle);
    ends->addStretch();
    ends->addWidget(rightEnd);

    grid->addWidget(controls::label(this, names[0], captions[0]), row, 0);
    grid->addWidget(adjustment.slider, row, 1);
    grid->addWidget(adjustment.shown, row, 2);
    grid->addLayout(ends, row + 1, 1);
}

bool PositionAdjustmentScreen::load()
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    move(twipsToPixels(offsetTwips), twipsToPixels(offsetTwips));

    QList<FieldValue> stored;
    QStringList columns;
    try {
        stored = readPrintAdjustmentRecord(*context().databases);
        columns = readFurnitureSlipRecord(*context().databases);
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
        return false;
    }

    for (qsizetype i = 0; i < columns.size(); ++i)
        columnFields_[i]->setText(columns[i]);

    // A value as stored is shown and saved as it is; one that is not a
    // whole number in range is replaced, in the fields, by the nearest one
    // that is, and nothing is written until the operator saves.
    const QStringList names = SettingsColumns::furnitureSlip();
    const int positions[] = {FurnitureSlipColumns::horizontalOffset,
                             FurnitureSlipColumns::verticalOffset,
                             FurnitureSlipColumns::fontSizeChange};
    Adjustment* adjustments[] = {&horizontal_, &vertical_, &fontSize_};
    QStringList replaced;
    for (int i = 0; i < 3; ++i) {
        const PrintAdjustment read = readPrintAdjustment(stored[i]);
        const QString text = read.wasValid ? *stored[i] : QString::number(read.value);
        if (!read.wasValid)
            replaced.append(
                u"%1「%2」→ %3"_qs.arg(names[positions[i]], stored[i].value_or(QString()), text));
        adjustments[i]->shown->setText(text);
        adjustments[i]->saved->setText(text);
        const QSignalBlocker keepText(adjustments[i]->slider);
        adjustments[i]->slider->setValue(read.value);
    }
    if (!replaced.isEmpty()) {
        context().messages->show(
            this, {u"%1 の値が %2 から %3 までの整数ではないため、次のように直して表示します"
                   u"（保存設定を押すまでファイルは変わりません）。\n%4"_qs
                       .arg(SettingsFiles::furnitureSlip)
                       .arg(smallestPrintAdjustment)
                       .arg(largestPrintAdjustment)
                       .arg(replaced.join(u'\n')),
                   windowTitle(), MessageIcon::Exclamation});
    }
    return true;
}

void PositionAdjustmentScreen::save()
{
    QStringList values;
    for (const QLineEdit* field : columnFields_)
        values.append(field->text());
    try {
        writeFurnitureSlipValues(*context().settings, values);
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
        return;
    }
    if (DataSourceScreen* dataSource = context().screens->find<DataSourceScreen>())
        dataSource->closeScreen();
    closeScreen();
    QWidget* owner = context().screens->container();
    context().messages->show(
        owner, {u"設定が変更されました｡"_qs, u"設定変更"_qs, MessageIcon::Information});
}

} // namespace hakobee
