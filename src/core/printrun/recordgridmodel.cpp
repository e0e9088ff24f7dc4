#include "core/printrun/recordgridmodel.h"

#include "core/datasource/databaseprovider.h"
#include "core/datasource/datasourcesettings.h"
#include "core/error.h"

namespace hakobee {

RecordGridModel::RecordGridModel(std::unique_ptr<Connection> connection,
                                 std::unique_ptr<Recordset> records, QObject* parent)
    : QAbstractTableModel(parent), connection_(std::move(connection)), records_(std::move(records))
{
    for (int position = 0; position < records_->fieldCount(); ++position)
        columnNames_.append(records_->fieldName(position));
    readRows(batchRows);
}

// The record set goes before the connection it was opened on.
RecordGridModel::~RecordGridModel()
{
    records_.reset();
    connection_.reset();
}

int RecordGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int RecordGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columnNames_.size());
}

QVariant RecordGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_.size())
        return {};
    const QList<FieldValue>& row = rows_[index.row()];
    if (index.column() >= row.size())
        return {};
    return row[index.column()].value_or(QString());
}

QVariant RecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section < columnNames_.size() ? QVariant(columnNames_[section]) : QVariant();
}

bool RecordGridModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !finished_ && !released_ && readError_.isEmpty();
}

void RecordGridModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    try {
        readRows(batchRows);
    } catch (const Error& error) {
        readError_ = error.description();
        emit readFailed(readError_);
    }
}

void RecordGridModel::readRows(int count)
{
    QList<QList<FieldValue>> read;
    while (read.size() < count && !records_->eof()) {
        read.append(currentRowFields(*records_));
        records_->moveNext();
    }
    finished_ = records_->eof();
    if (read.isEmpty())
        return;
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + read.size() - 1));
    rows_.append(std::move(read));
    endInsertRows();
}

void RecordGridModel::setCurrentRow(int row)
{
    if (row >= 0 && row < rows_.size())
        currentRow_ = row;
}

void RecordGridModel::checkOpen() const
{
    if (released_)
        throw Error(releasedRowsDescription());
}

bool RecordGridModel::atEnd()
{
    checkOpen();
    while (currentRow_ >= rows_.size() && !finished_) {
        if (!readError_.isEmpty())
            throw Error(readError_);
        readRows(batchRows);
    }
    return currentRow_ >= rows_.size();
}

QList<FieldValue> RecordGridModel::currentFields()
{
    if (atEnd())
        throw Error(u"一覧の最後の行より後ろには行がありません。"_qs);
    return rows_[currentRow_];
}

void RecordGridModel::moveNext()
{
    if (atEnd())
        throw Error(u"一覧の最後の行より後ろには進めません。"_qs);
    ++currentRow_;
    if (!atEnd())
        emit currentRowMoved(currentRow_);
}

void RecordGridModel::release()
{
    released_ = true;
    records_.reset();
    connection_.reset();
}

std::unique_ptr<RecordGridModel> openRecordGrid(DatabaseProvider& databases,
                                                const QString& databasePath, const QString& query)
{
    std::unique_ptr<Connection> connection =
        databases.open(dataSourceConnectionString(databasePath));
    std::unique_ptr<Recordset> records = connection->openRecordset(query, CursorKind::Grid);
    return std::make_unique<RecordGridModel>(std::move(connection), std::move(records));
}

} // namespace hakobee
