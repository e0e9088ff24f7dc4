#pragma once

#include "platform/tablesource/tablesource.h"
#include "platform/workbook/xlsbook.h"

#include <QStringList>

#include <memory>

namespace hakobee {

// A worksheet of an .xls workbook as a table, with the columns and rows an
// .xlsx sheet gives (sheettable.h): the first row that holds a value holds
// the column names, from its first to its last cell with a value; rows
// without a value in these columns are skipped. Values as XlsBook::cell
// gives them. FreeXL gives no value for a formula or a TRUE/FALSE cell of
// an .xls: such cells read as null. Throws hakobee::Error naming the
// workbook and sheet when the names' row cannot be read.
class XlsSheetTable final : public TableSource
{
public:
    XlsSheetTable(std::shared_ptr<const XlsBook> book, int sheet);

    QStringList columnNames() const override { return columns_; }
    QString columnType() const override { return QString(); }
    qint64 rowCountHint() const override { return rowCount_ - firstRow_; }
    std::unique_ptr<TableRows> openRows() const override;

private:
    std::shared_ptr<const XlsBook> book_;
    int sheet_ = 0;
    QStringList columns_;
    int firstColumn_ = 0;
    // The first row after the names' row, from 0.
    quint32 firstRow_ = 0;
    quint32 rowCount_ = 0;
};

} // namespace hakobee
