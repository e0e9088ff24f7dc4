#pragma once

#include <QTableView>

namespace hakobee {

class RecordGridModel;

// DataGrid1 of the run screens: the rows of the data-source query, read as
// they are scrolled to. Selecting a row makes it the grid's current row
// (where a partial run starts); a run moving the current row selects it.
class RecordGridView : public QTableView
{
    Q_OBJECT

public:
    explicit RecordGridView(QWidget* parent = nullptr);

    // The model stays the caller's.
    void setGrid(RecordGridModel* grid);
    RecordGridModel* grid() const { return grid_; }

signals:
    // The operator or a run selected this row (from 0).
    void rowSelected(int row);

private:
    void selectRow(int row);

    RecordGridModel* grid_ = nullptr;
};

} // namespace hakobee
