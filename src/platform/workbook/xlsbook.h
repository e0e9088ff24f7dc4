#pragma once

#include "platform/tablesource/tablesource.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace hakobee {

// Whether the path names an old binary workbook (.xls, Excel 97-2003), by
// its extension.
bool isXlsPath(const QString& path);

// An old binary workbook (.xls) loaded by FreeXL, which reads the whole
// file into memory when it opens it: an .xls sheet holds at most 65,536
// rows. One handle serves every sheet; it reads the cells of one sheet at a
// time, so each read selects its sheet first.
class XlsBook
{
public:
    // With `sheetsOnly`, only the sheets' names are read (no cells). Throws
    // hakobee::Error naming the workbook when FreeXL cannot read it, or when
    // it is protected by a password.
    XlsBook(const QString& path, bool sheetsOnly);

    const QString& path() const { return path_; }
    // The worksheets by their tab names, in tab order.
    const QStringList& sheetNames() const { return sheetNames_; }
    // How many rows and columns the sheet's cells reach.
    quint32 rowCount(int sheet) const;
    int columnCount(int sheet) const;
    // A cell's value (row and column from 0) as cellvalues.h gives it: null
    // for an empty cell, a text, a number, a date as Access shows it. Throws
    // hakobee::Error naming the workbook, sheet and cell when FreeXL cannot
    // read it.
    TableValue cell(int sheet, quint32 row, int column) const;

private:
    void select(int sheet) const;

    struct Closer
    {
        void operator()(const void* handle) const;
    };

    QString path_;
    std::unique_ptr<const void, Closer> handle_;
    QStringList sheetNames_;
    mutable int selected_ = -1;
};

} // namespace hakobee
