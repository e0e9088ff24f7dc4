#include "ui/screens/runscreenframe.h"

#include "core/error.h"
#include "core/messageboxes.h"
#include "core/printrun/labelinputs.h"
#include "core/printrun/labelpipeline.h"
#include "core/printrun/runrecord.h"
#include "core/printrun/runresult.h"
#include "core/printrun/runsettings.h"
#include "ui/appcontext.h"
#include "ui/controls.h"
#include "ui/runactivity.h"
#include "ui/screen.h"
#include "ui/widgets/labelpreview.h"
#include "ui/widgets/recordgridview.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>

namespace hakobee {

QLabel* makeRunStatusLine(QWidget* screen)
{
    QLabel* status = controls::label(screen, u"Label1"_qs);
    controls::setTextColour(status, Qt::red);
    QFont bold = status->font();
    bold.setBold(true);
    status->setFont(bold);
    return status;
}

void arrangeRunScreen(Screen* screen, QLabel* status, QLabel* printerInUse, RecordGridView* grid,
                      QVBoxLayout* side)
{
    auto* menu = new QMenuBar(screen);
    QAction* close = menu->addAction(u"終了"_qs);
    close->setObjectName(u"閉じる"_qs);
    QObject::connect(close, &QAction::triggered, screen, &Screen::closeScreen);

    auto* body = new QHBoxLayout;
    body->addWidget(grid, 1);
    body->addLayout(side);

    auto* layout = new QVBoxLayout(screen);
    layout->setMenuBar(menu);
    layout->addWidget(status);
    layout->addWidget(printerInUse);
    layout->addLayout(body, 1);
}

QSpinBox* makeLabelsPerRecordField(QWidget* screen)
{
    auto* field = new QSpinBox(screen);
    field->setObjectName(u"TextCopies"_qs);
    field->setRange(1, mostLabelsOfRecord);
    field->setValue(1);
    field->setAlignment(Qt::AlignRight);
    field->setToolTip(u"1 件のレコードに印刷するラベルの枚数。"
                      u"SQL構文の 5 番目の項目に枚数があれば、そちらで印刷します。"_qs);
    return field;
}

QLayout* labelsPerRecordRow(QWidget* screen, QSpinBox* field)
{
    auto* row = new QHBoxLayout;
    row->addWidget(controls::label(screen, u"LabelCopiesCaption"_qs, u"枚数"_qs));
    row->addWidget(field);
    row->addStretch(1);
    return row;
}

void followRunActivity(QPushButton* startButton, RunActivity& activity)
{
    startButton->setEnabled(!activity.isGoing());
    QObject::connect(&activity, &RunActivity::goingChanged, startButton,
                     [startButton](bool going) { startButton->setEnabled(!going); });
}

void previewRow(LabelPreview& preview, AppContext& context, LabelInputs& inputs,
                const QList<FieldValue>& row)
{
    try {
        preview.showRow(row, context.labels->encoder(), inputs.adjustments(), inputs.titles(),
                        inputs.baseFont(), context.printer);
    } catch (const Error& error) {
        preview.showProblem(error.description());
    }
}

void showLabelsWithoutBarcode(MessageBoxes& messages, QWidget* owner, const RunResult& result)
{
    const QString note = labelsWithoutBarcodeNote(result);
    if (!note.isEmpty())
        messages.show(owner, {note, labelsWithoutBarcodeTitle(), MessageIcon::Information});
}

} // namespace hakobee
