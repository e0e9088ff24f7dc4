#include "ui/widgets/recordgridview.h"

#include "core/printrun/recordgridmodel.h"

#include <QHeaderView>

namespace hakobee {

RecordGridView::RecordGridView(QWidget* parent) : QTableView(parent)
{
    setObjectName(u"DataGrid1"_qs);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // Row heights are all alike: no view asks every row for its size.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
}

void RecordGridView::setGrid(RecordGridModel* grid)
{
    grid_ = grid;
    setModel(grid);
    if (!grid)
        return;
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid())
                    return;
                grid_->setCurrentRow(current.row());
                emit rowSelected(current.row());
            });
    connect(grid, &RecordGridModel::currentRowMoved, this, &RecordGridView::selectRow);
    if (grid->rowCount() > 0)
        selectRow(grid->currentRow());
}

void RecordGridView::selectRow(int row)
{
    if (!grid_ || row < 0 || row >= grid_->rowCount())
        return;
    const QModelIndex index = grid_->index(row, 0);
    setCurrentIndex(index);
    scrollTo(index);
}

} // namespace hakobee
