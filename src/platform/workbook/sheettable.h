#pragma once

#include "platform/tablesource/tablesource.h"
#include "platform/workbook/workbookparts.h"
#include "platform/workbook/ziparchive.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace hakobee {

// An open workbook: its container and what its sheets read their cells
// with, shared by every sheet's table and scan.
struct OpenWorkbook
{
    explicit OpenWorkbook(const QString& path) : archive(path) {}
    ZipArchive archive;
    WorkbookParts parts;
};

// A worksheet as a table whose rows are read from the sheet's XML as a
// query steps over them. The first row that holds a value holds the column
// names; the columns run from its first to its last named cell, and values
// right of them are no part of the table. Rows without a value in these
// columns are skipped. Values: texts (shared or inline, or a formula's text
// result), numbers and dates (cellvalues.h), "True"/"False" for a logical
// value as Access shows a Yes/No field, an error value as Excel shows it
// ("#N/A"), a formula's cached result, null for an empty cell. Throws
// hakobee::Error naming the workbook and sheet when the names' row cannot
// be read; a fault further on is found, naming its row, by the scan that
// reaches it.
class SheetTable final : public TableSource
{
public:
    SheetTable(std::shared_ptr<const OpenWorkbook> workbook, WorkbookSheet sheet);

    QStringList columnNames() const override { return columns_; }
    QString columnType() const override { return QString(); }
    qint64 rowCountHint() const override { return rowCountHint_; }
    std::unique_ptr<TableRows> openRows() const override;

private:
    std::shared_ptr<const OpenWorkbook> workbook_;
    WorkbookSheet sheet_;
    QStringList columns_;
    int firstColumn_ = 0;
    qint64 rowCountHint_ = 0;
};

} // namespace hakobee
