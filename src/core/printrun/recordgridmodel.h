#pragma once

#include "core/printrun/runrows.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>

namespace hakobee {

// The run screens' grid of the data-source query: a table model over a
// record set that is read only as far as the grid is shown or walked. Rows
// are fetched in batches when a view scrolls towards the end of what was
// read, so a table of a million rows opens at once and only the rows that
// were looked at are ever held.
//
// It is also the partial run's record set: the run starts at the grid's
// current row (the row the operator selected) and moves it along, so the
// selection follows the run and a later start begins where an earlier one
// ended.
class RecordGridModel : public QAbstractTableModel, public RunRows
{
    Q_OBJECT

public:
    // Rows read per fetch: a screenful and then some.
    static constexpr int batchRows = 100;

    // Reads the first batch. Throws hakobee::Error when that fails.
    RecordGridModel(std::unique_ptr<Connection> connection, std::unique_ptr<Recordset> records,
                    QObject* parent = nullptr);
    ~RecordGridModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;

    // The fields of a row already read (from 0).
    const QList<FieldValue>& rowFields(int row) const { return rows_[row]; }

    // The current row (from 0), set from the grid's selection.
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int row);

    bool released() const { return released_; }

    bool atEnd() override;
    qint64 currentRowNumber() const override { return qint64(currentRow_) + 1; }
    QList<FieldValue> currentFields() override;
    void moveNext() override;
    void release() override;

signals:
    // The run moved the current row.
    void currentRowMoved(int row);
    // Reading further rows failed; the grid shows the rows read before.
    void readFailed(const QString& description);

private:
    // Reads up to `count` more rows; throws hakobee::Error.
    void readRows(int count);
    void checkOpen() const;

    std::unique_ptr<Connection> connection_;
    std::unique_ptr<Recordset> records_;
    QStringList columnNames_;
    QList<QList<FieldValue>> rows_;
    int currentRow_ = 0;
    bool finished_ = false;
    bool released_ = false;
    QString readError_;
};

class DatabaseProvider;

// Opens the grid of the data-source query on the Access database at the
// path, as the run screens do when they open. Throws hakobee::Error.
std::unique_ptr<RecordGridModel> openRecordGrid(DatabaseProvider& databases,
                                                const QString& databasePath, const QString& query);

} // namespace hakobee
