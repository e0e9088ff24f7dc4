#include "platform/workbook/xlssheettable.h"

#include "core/error.h"
#include "platform/workbook/sheetcolumns.h"

#include <QDir>

#include <utility>
#include <vector>

namespace hakobee {

namespace {

// The rows after the names' row, read from the workbook FreeXL holds in
// memory.
class XlsSheetRows final : public TableRows
{
public:
    XlsSheetRows(std::shared_ptr<const XlsBook> book, int sheet, quint32 firstRow, quint32 rowCount,
                 int firstColumn, int columnCount)
        : book_(std::move(book)), sheet_(sheet), firstRow_(firstRow), rowCount_(rowCount),
          firstColumn_(firstColumn), values_(size_t(columnCount))
    {
        rewind();
    }

    void rewind() override { next_ = firstRow_; }

    bool next() override
    {
        while (next_ < rowCount_) {
            const quint32 row = next_++;
            bool any = false;
            for (size_t i = 0; i < values_.size(); ++i) {
                values_[i] = book_->cell(sheet_, row, firstColumn_ + int(i));
                any = any || !std::holds_alternative<std::monostate>(values_[i]);
            }
            if (any)
                return true;
        }
        return false;
    }

    const TableValue& value(int column) const override { return values_.at(size_t(column)); }

private:
    std::shared_ptr<const XlsBook> book_;
    int sheet_ = 0;
    quint32 firstRow_ = 0;
    quint32 rowCount_ = 0;
    quint32 next_ = 0;
    int firstColumn_ = 0;
    std::vector<TableValue> values_;
};

} // namespace

XlsSheetTable::XlsSheetTable(std::shared_ptr<const XlsBook> book, int sheet)
    : book_(std::move(book)), sheet_(sheet)
{
    const QString sheetName = book_->sheetNames().value(sheet);
    rowCount_ = book_->rowCount(sheet);
    const int columnCount = book_->columnCount(sheet);
    std::vector<SheetCell> cells;
    quint32 row = 0;
    for (; row < rowCount_ && cells.empty(); ++row) {
        for (int column = 0; column < columnCount; ++column) {
            TableValue value = book_->cell(sheet, row, column);
            if (!std::holds_alternative<std::monostate>(value))
                cells.push_back({column, std::move(value)});
        }
    }
    if (cells.empty()) {
        throw Error(u"ブック「%1」のシート「%2」は空です。1 行目に列名が必要です。"_qs.arg(
            QDir::toNativeSeparators(book_->path()), sheetName));
    }
    firstRow_ = row;
    const SheetColumns columns =
        sheetColumns(std::move(cells), qint64(row), [&](const QString& what) {
            return Error(u"ブック「%1」のシート「%2」の %3 行目: %4"_qs
                             .arg(QDir::toNativeSeparators(book_->path()), sheetName)
                             .arg(row)
                             .arg(what));
        });
    columns_ = columns.names;
    firstColumn_ = columns.firstColumn;
}

std::unique_ptr<TableRows> XlsSheetTable::openRows() const
{
    return std::make_unique<XlsSheetRows>(book_, sheet_, firstRow_, rowCount_, firstColumn_,
                                          int(columns_.size()));
}

} // namespace hakobee
