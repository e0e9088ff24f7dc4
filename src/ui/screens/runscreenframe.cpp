#include "ui/screens/runscreenframe.h"

#include "core/datasource/datasourcefile.h"
#include "core/messageboxes.h"
#include "core/printrun/runresult.h"
#include "ui/controls.h"
#include "ui/screen.h"
#include "ui/widgets/recordgridview.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

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

QString loadDataSourceFields(const SettingsFolder& settings, QLineEdit* databasePath,
                             QLineEdit* table, QLineEdit* selectText)
{
    const DataSourceSettings dataSource = readDataSourceRows(settings);
    databasePath->setText(dataSource.databasePath);
    table->setText(dataSource.table);
    selectText->setText(dataSource.selectText);
    return dataSourceQuery(selectText->text(), table->text());
}

void showLabelsWithoutBarcode(MessageBoxes& messages, QWidget* owner, const RunResult& result)
{
    const QString note = labelsWithoutBarcodeNote(result);
    if (!note.isEmpty())
        messages.show(owner, {note, labelsWithoutBarcodeTitle(), MessageIcon::Information});
}

} // namespace hakobee
