#include "platform/textfolder/textrows.h"

#include "core/error.h"

#include <QDir>
#include <QSet>

namespace hakobee {

namespace {

constexpr QChar quote = u'"';

} // namespace

TextRowSplitter::TextRowSplitter(TextSource source, QChar separator, QString path)
    : source_(std::move(source)), separator_(separator), path_(std::move(path))
{}

// Whether `count` characters from the current one are there, reading on as
// needed.
bool TextRowSplitter::have(qsizetype count)
{
    QString more;
    while (at_ + count > text_.size()) {
        if (!source_(more))
            return false;
        text_ += more;
    }
    return true;
}

bool TextRowSplitter::atLineEnd() const
{
    return text_.at(at_) == u'\r' || text_.at(at_) == u'\n';
}

void TextRowSplitter::skipLineEnd()
{
    if (text_.at(at_) == u'\r' && have(2) && text_.at(at_ + 1) == u'\n')
        ++at_;
    ++at_;
    ++line_;
}

Error TextRowSplitter::failure(const QString& what, qsizetype line) const
{
    return Error(u"ファイル「%1」の %2 行目: %3"_qs.arg(QDir::toNativeSeparators(path_))
                     .arg(line)
                     .arg(what));
}

// The next row that is not empty, its fields as written; false at the end.
bool TextRowSplitter::nextFields(QStringList& row)
{
    // What was split is dropped, so that about a block is held; seldom
    // enough that dropping costs little per row.
    if (at_ == text_.size() || at_ > text_.size() / 2) {
        text_.remove(0, at_);
        at_ = 0;
    }
    while (have() && atLineEnd())
        skipLineEnd();
    if (!have())
        return false;
    rowLine_ = line_;
    row.clear();
    while (true) {
        row.append(field());
        if (!have())
            return true;
        if (atLineEnd()) {
            skipLineEnd();
            return true;
        }
        ++at_; // the separator
    }
}

QString TextRowSplitter::field()
{
    if (have() && text_.at(at_) == quote)
        return quotedField();
    const qsizetype start = at_;
    while (have() && text_.at(at_) != separator_ && !atLineEnd())
        ++at_;
    return text_.mid(start, at_ - start);
}

QString TextRowSplitter::quotedField()
{
    const qsizetype openedOn = line_;
    QString value;
    ++at_;
    while (true) {
        if (!have()) {
            throw failure(u"ここで始まる引用符 (\") で囲んだ値が、閉じる引用符のないまま"
                          u"ファイルの終わりまで続いています。"_qs,
                          openedOn);
        }
        const QChar c = text_.at(at_);
        if (c == quote) {
            if (have(2) && text_.at(at_ + 1) == quote) {
                value += quote;
                at_ += 2;
                continue;
            }
            ++at_;
            break;
        }
        // Line ends inside the value are kept as written.
        if (c == u'\n' || (c == u'\r' && !(have(2) && text_.at(at_ + 1) == u'\n')))
            ++line_;
        value += c;
        ++at_;
    }
    if (have() && text_.at(at_) != separator_ && !atLineEnd()) {
        throw failure(u"引用符 (\") で囲んだ値の後に、区切りの前の文字があります。"
                      u"値の中の引用符は \"\" と二つ続けて書いてください。"_qs,
                      line_);
    }
    return value;
}

QStringList TextRowSplitter::readColumnNames()
{
    QStringList columns;
    if (!nextFields(columns))
        throw Error(u"ファイル「%1」は空です。1 行目に列名が必要です。"_qs.arg(
            QDir::toNativeSeparators(path_)));
    QSet<QString> seen;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString& name = columns.at(i);
        if (name.trimmed().isEmpty())
            throw failure(u"%1 列目の列名が空です。"_qs.arg(i + 1), rowLine_);
        if (seen.contains(name.toLower()))
            throw failure(u"列名「%1」が二度あります。"_qs.arg(name), rowLine_);
        seen.insert(name.toLower());
    }
    columnCount_ = columns.size();
    return columns;
}

bool TextRowSplitter::next(QStringList& row)
{
    if (!nextFields(row))
        return false;
    if (row.size() != columnCount_) {
        throw failure(
            u"項目が %1 個あります。列名の行は %2 列です。"_qs.arg(row.size()).arg(columnCount_),
            rowLine_);
    }
    return true;
}

} // namespace hakobee
