#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace hakobee {

// A text file's table: its column names from the first row, then its rows,
// every value a text (an empty field is an empty text).
struct TextTable
{
    QStringList columns;
    QList<QStringList> rows;
};

// Splits a text file's text into its table. Fields are separated by the
// separator (a comma, or a tab in .tsv files); a field in double quotes may
// hold separators, line ends and doubled quotes ("" for one "). Rows end in
// CR LF, LF or CR; the last may end without one; empty lines are skipped.
// Throws hakobee::Error naming the file and line for a row with more or
// fewer fields than the first, a quote that is not closed or text after a
// closing quote, and for a first row with an empty or a repeated column name
// (names are compared without regard to case, as queries name them).
TextTable splitTextTable(const QString& text, QChar separator, const QString& path);

// The same rules, the rows handed over one at a time as they are split, so
// a large file is never held as a table: first the column names, then each
// row. Throws as above, after the rows before the faulty one were handed.
void forEachTextRow(const QString& text, QChar separator, const QString& path,
                    const std::function<void(const QStringList& columns)>& takeColumns,
                    const std::function<void(const QStringList& row)>& takeRow);

} // namespace hakobee
