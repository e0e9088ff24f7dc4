#pragma once

#include "core/datasource/database.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace hakobee {

// The file in a text folder that chooses its encoding: "UTF-8" (or
// "Shift-JIS", the default without it).
inline constexpr char16_t textFolderEncodingFile[] = u"hakobee-encoding.txt";

// Opens a folder of text files as a database: each .csv, .txt or .tsv file
// (.tsv separated by tabs, the others by commas) is a table named by its
// file name ("Master.csv"), and also by the name without its extension
// when no other file has that name. The first row holds the column names;
// every value is a text (textrows.h), in Shift-JIS unless the file begins
// with a UTF-8 byte order mark or the folder's encoding file says UTF-8
// (textdecoding.h). Queries are Jet SQL as the Access backend takes them
// (accessdatabase.h); "from Master.csv" needs no brackets. Only each file's
// first rows are read here; the rest is read as a query steps over it
// (textfiletable.h), so a fault further on (a byte not in the encoding, a
// ragged row) stops the query at that row with the message naming the file
// and line. A file that cannot be read leaves the others usable, and a
// query naming it is refused with what is wrong with it. Throws
// hakobee::Error when the folder cannot be read.
std::unique_ptr<Connection> openTextFolder(const QString& folder);

// The tables of a text folder by their file names, in name order: what
// `hakobee query --tables` lists. Throws hakobee::Error when the folder
// cannot be read.
QStringList textFolderTableNames(const QString& folder);

// Opens what the Data Source of an Access connection string names (the DB
// of the data source): a PostgreSQL URI as the server's database
// (postgresdatabase.h), an ODBC connection string as the database its
// driver reaches (odbcdatabase.h), a folder as a folder of text files, an
// .xlsx or .xls file as an Excel workbook (workbook/workbook.h), anything
// else as an Access file.
std::unique_ptr<Connection> openDataSourcePath(const QString& path);

} // namespace hakobee
