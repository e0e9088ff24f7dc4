#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace hakobee {

class Error;

// Splits a text file's text into rows as it is read, so that a large file
// is never held as a table. Fields are separated by the separator (a comma,
// or a tab in .tsv files); a field in double quotes may hold separators,
// line ends and doubled quotes ("" for one "). Rows end in CR LF, LF or CR;
// the last may end without one; empty lines are skipped. The first row holds
// the column names. Throws hakobee::Error naming the file and line for a row
// with more or fewer fields than the first, a quote that is not closed or
// text after a closing quote, and for a first row with an empty or a
// repeated column name (names are compared without regard to case, as
// queries name them).
class TextRowSplitter
{
public:
    // The next piece of the text, ending at a line end or at the end of the
    // text; false at the end.
    using TextSource = std::function<bool(QString& text)>;

    TextRowSplitter(TextSource source, QChar separator, QString path);

    // The column names, from the text's first row. Call once, first.
    QStringList readColumnNames();
    // The next row after the names; false at the end of the text.
    bool next(QStringList& row);

private:
    bool have(qsizetype count = 1);
    bool atLineEnd() const;
    void skipLineEnd();
    bool nextFields(QStringList& row);
    QString field();
    QString quotedField();
    Error failure(const QString& what, qsizetype line) const;

    TextSource source_;
    QChar separator_;
    QString path_;
    QString text_;
    qsizetype at_ = 0;
    qsizetype line_ = 1;
    qsizetype rowLine_ = 1;
    qsizetype columnCount_ = 0;
};

} // namespace hakobee
