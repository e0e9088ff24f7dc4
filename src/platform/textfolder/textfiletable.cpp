#include "platform/textfolder/textfiletable.h"

#include "platform/textfolder/textrows.h"

#include <QFileInfo>

#include <vector>

namespace hakobee {

namespace {

class TextFileRows final : public TableRows
{
public:
    TextFileRows(const QString& path, TextEncoding encoding, QChar separator)
        : path_(path), separator_(separator), text_(path, encoding)
    {
        rewind();
    }

    void rewind() override
    {
        text_.rewind();
        splitter_ = std::make_unique<TextRowSplitter>(
            [this](QString& text) { return text_.read(text); }, separator_, path_);
        values_.assign(size_t(splitter_->readColumnNames().size()), TableValue());
    }

    bool next() override
    {
        if (!splitter_->next(row_))
            return false;
        for (qsizetype i = 0; i < row_.size(); ++i)
            values_[size_t(i)] = row_.at(i);
        return true;
    }

    const TableValue& value(int column) const override { return values_.at(size_t(column)); }

private:
    QString path_;
    QChar separator_;
    TextFileText text_;
    std::unique_ptr<TextRowSplitter> splitter_;
    QStringList row_;
    std::vector<TableValue> values_;
};

} // namespace

TextFileTable::TextFileTable(const QString& path, TextEncoding folderEncoding)
    : path_(path), encoding_(folderEncoding)
{
    const QFileInfo info(path);
    separator_ = info.suffix().compare(u"tsv"_qs, Qt::CaseInsensitive) == 0 ? u'\t' : u',';
    TextFileText text(path, folderEncoding);
    TextRowSplitter splitter([&text](QString& block) { return text.read(block); }, separator_,
                             path);
    columns_ = splitter.readColumnNames();
    // About a dozen characters a field, for the planner only.
    rowCountHint_ = info.size() / qMax<qint64>(12 * columns_.size(), 1);
}

std::unique_ptr<TableRows> TextFileTable::openRows() const
{
    return std::make_unique<TextFileRows>(path_, encoding_, separator_);
}

} // namespace hakobee
