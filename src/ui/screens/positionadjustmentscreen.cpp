#include "ui/screens/positionadjustmentscreen.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printer/printadjustment.h"
#include "core/settings/settingscolumns.h"
#include "core/units.h"
#include "ui/controls.h"
#include "ui/screenhost.h"
#include "ui/screens/datasourcescreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
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

} // namespace

PositionAdjustmentScreen::PositionAdjustmentScreen(AppContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setWindowTitle(u"印刷位置調整"_qs);
    buildControls();
    for (Adjustment* adjustment : {&horizontal_, &vertical_, &fontSize_}) {
        // Mouse, keyboard and wheel alike: what the label shows is what is saved.
        connect(adjustment->slider, &QSlider::valueChanged, this, [this, adjustment](int value) {
            adjustment->shown->setText(QString::number(value));
            saved_.adjustments.*adjustment->saved = QString::number(value);
        });
    }
}

void PositionAdjustmentScreen::buildControls()
{
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

    PrintAdjustmentsRecord loaded;
    try {
        loaded = readPrintAdjustmentsRecord(*context().databases);
    } catch (const Error& error) {
        context().messages->show(this,
                                 {error.description(), windowTitle(), MessageIcon::Exclamation});
        return false;
    }

    // A value as stored is shown and saved as it is; one that is not a
    // whole number in range is replaced by the nearest one that is, and
    // nothing is written until the operator saves.
    QStringList replaced;
    for (Adjustment* adjustment : {&horizontal_, &vertical_, &fontSize_}) {
        QString& text = loaded.adjustments.*adjustment->saved;
        const PrintAdjustment read = readPrintAdjustment(text);
        if (!read.wasValid) {
            const QString nearest = QString::number(read.value);
            replaced.append(u"%1「%2」→ %3"_qs.arg(columnOf(adjustment->saved), text, nearest));
            text = nearest;
        }
        adjustment->shown->setText(text);
        const QSignalBlocker keepText(adjustment->slider);
        adjustment->slider->setValue(read.value);
    }
    saved_ = loaded;
    if (!replaced.isEmpty()) {
        context().messages->show(
            this, {u"%1 の値が %2 から %3 までの整数ではないため、次のように直して表示します"
                   u"（保存設定を押すまでファイルは変わりません）。\n%4"_qs
                       .arg(SettingsFiles::printAdjustments)
                       .arg(smallestPrintAdjustment)
                       .arg(largestPrintAdjustment)
                       .arg(replaced.join(u'\n')),
                   windowTitle(), MessageIcon::Exclamation});
    }
    return true;
}

void PositionAdjustmentScreen::save()
{
    try {
        writePrintAdjustmentsRecord(*context().settings, saved_);
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
