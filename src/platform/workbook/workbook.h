#pragma once

#include "core/datasource/database.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace hakobee {

// Whether the path names an Excel workbook (.xlsx, or the old .xls), by its
// extension.
bool isWorkbookPath(const QString& path);

// Opens an Excel workbook (.xlsx, or .xls through FreeXL) as a database:
// each worksheet is a table
// named by its tab ("Sheet1"), and also as Excel's own driver names it
// ("Sheet1$", which a query writes [Sheet1$] or Sheet1$). Rows and values
// as sheettable.h reads them (xlssheettable.h for an .xls), each sheet's rows
// read as a query steps over them; queries are Jet SQL as the Access backend takes them
// (accessdatabase.h). A sheet that cannot be read leaves the others usable,
// and a query naming it is refused with what is wrong with it. The workbook
// is only read, never written. Throws hakobee::Error naming the workbook
// when it cannot be opened: for an .xls that FreeXL cannot read (damaged,
// protected by a password, an older form), with how to save it as .xlsx or
// CSV.
std::unique_ptr<Connection> openWorkbook(const QString& path);

// The workbook's worksheets by their tab names, in tab order: what
// `hakobee query --tables` lists. Throws hakobee::Error as above.
QStringList workbookSheetNames(const QString& path);

} // namespace hakobee
