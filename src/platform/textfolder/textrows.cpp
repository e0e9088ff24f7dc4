#include "platform/textfolder/textrows.h"

#include "core/error.h"

#include <QDir>
#include <QSet>

namespace hakobee {

namespace {

constexpr QChar quote = u'"';

// Reads the text row by row, keeping the line each row starts on.
class RowReader
{
public:
    RowReader(const QString& text, QChar separator, const QString& path)
        : text_(text), separator_(separator), path_(path)
    {}

    // The next row that is not empty; false at the end of the text.
    bool next(QStringList& row)
    {
        while (at_ < text_.size() && atLineEnd())
            skipLineEnd();
        if (at_ >= text_.size())
            return false;
        rowLine_ = line_;
        row.clear();
        while (true) {
            row.append(field());
            if (at_ >= text_.size())
                return true;
            if (atLineEnd()) {
                skipLineEnd();
                return true;
            }
            ++at_; // the separator
        }
    }

    qsizetype rowLine() const { return rowLine_; }

    Error failure(const QString& what, qsizetype line) const
    {
        return Error(u"ファイル「%1」の %2 行目: %3"_qs.arg(QDir::toNativeSeparators(path_))
                         .arg(line)
                         .arg(what));
    }

private:
    bool atLineEnd() const { return text_.at(at_) == u'\r' || text_.at(at_) == u'\n'; }

    void skipLineEnd()
    {
        if (text_.at(at_) == u'\r' && at_ + 1 < text_.size() && text_.at(at_ + 1) == u'\n')
            ++at_;
        ++at_;
        ++line_;
    }

    QString field()
    {
        if (at_ < text_.size() && text_.at(at_) == quote)
            return quotedField();
        const qsizetype start = at_;
        while (at_ < text_.size() && text_.at(at_) != separator_ && !atLineEnd())
            ++at_;
        return text_.mid(start, at_ - start);
    }

    QString quotedField()
    {
        const qsizetype openedOn = line_;
        QString value;
        ++at_;
        while (true) {
            if (at_ >= text_.size()) {
                throw failure(u"ここで始まる引用符 (\") で囲んだ値が、閉じる引用符のないまま"
                              u"ファイルの終わりまで続いています。"_qs,
                              openedOn);
            }
            const QChar c = text_.at(at_);
            if (c == quote) {
                if (at_ + 1 < text_.size() && text_.at(at_ + 1) == quote) {
                    value += quote;
                    at_ += 2;
                    continue;
                }
                ++at_;
                break;
            }
            // Line ends inside the value are kept as written.
            if (c == u'\n' ||
                (c == u'\r' && !(at_ + 1 < text_.size() && text_.at(at_ + 1) == u'\n')))
                ++line_;
            value += c;
            ++at_;
        }
        if (at_ < text_.size() && text_.at(at_) != separator_ && !atLineEnd()) {
            throw failure(u"引用符 (\") で囲んだ値の後に、区切りの前の文字があります。"
                          u"値の中の引用符は \"\" と二つ続けて書いてください。"_qs,
                          line_);
        }
        return value;
    }

    const QString& text_;
    const QChar separator_;
    const QString& path_;
    qsizetype at_ = 0;
    qsizetype line_ = 1;
    qsizetype rowLine_ = 1;
};

} // namespace

TextTable splitTextTable(const QString& text, QChar separator, const QString& path)
{
    TextTable table;
    forEachTextRow(
        text, separator, path, [&table](const QStringList& columns) { table.columns = columns; },
        [&table](const QStringList& row) { table.rows.append(row); });
    return table;
}

void forEachTextRow(const QString& text, QChar separator, const QString& path,
                    const std::function<void(const QStringList& columns)>& takeColumns,
                    const std::function<void(const QStringList& row)>& takeRow)
{
    RowReader reader(text, separator, path);
    QStringList columns;
    if (!reader.next(columns))
        throw Error(u"ファイル「%1」は空です。1 行目に列名が必要です。"_qs.arg(
            QDir::toNativeSeparators(path)));
    QSet<QString> seen;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString& name = columns.at(i);
        if (name.trimmed().isEmpty())
            throw reader.failure(u"%1 列目の列名が空です。"_qs.arg(i + 1), reader.rowLine());
        if (seen.contains(name.toLower()))
            throw reader.failure(u"列名「%1」が二度あります。"_qs.arg(name), reader.rowLine());
        seen.insert(name.toLower());
    }
    takeColumns(columns);
    QStringList row;
    while (reader.next(row)) {
        if (row.size() != columns.size()) {
            throw reader.failure(u"項目が %1 個あります。列名の行は %2 列です。"_qs.arg(row.size())
                                     .arg(columns.size()),
                                 reader.rowLine());
        }
        takeRow(row);
    }
}

} // namespace hakobee
