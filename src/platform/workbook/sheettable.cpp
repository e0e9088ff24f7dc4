#include "platform/workbook/sheettable.h"

#include "core/error.h"
#include "platform/access/accesstextforms.h"
#include "platform/workbook/cellvalues.h"
#include "platform/workbook/sheetcolumns.h"
#include "platform/workbook/xmlpartreader.h"

#include <QDir>

#include <algorithm>
#include <utility>
#include <vector>

namespace hakobee {

namespace {

using Token = QXmlStreamReader::TokenType;

// The column of a cell reference ("AB12" is 27), or -1 without letters.
int columnOf(QStringView reference)
{
    int column = 0;
    qsizetype letters = 0;
    for (const QChar c : reference) {
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c.unicode() - u'A' + 1);
        ++letters;
    }
    return letters ? column - 1 : -1;
}

QString attribute(const QXmlStreamAttributes& attributes, QStringView name)
{
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (attribute.name() == name)
            return attribute.value().toString();
    }
    return {};
}

// The sheet's rows that hold a value, read from its XML one at a time.
class SheetReader
{
public:
    SheetReader(const OpenWorkbook& workbook, const WorkbookSheet& sheet)
        : workbook_(workbook), sheet_(sheet), reader_(workbook.archive, sheet.part)
    {}

    void rewind()
    {
        reader_.rewind();
        rowNumber_ = 0;
    }

    // The rows the sheet's dimension names, if it came before the rows.
    qint64 dimensionRows() const { return dimensionRows_; }
    qint64 rowNumber() const { return rowNumber_; }

    Error failure(const QString& what) const
    {
        return Error(u"ブック「%1」のシート「%2」の %3 行目: %4"_qs
                         .arg(QDir::toNativeSeparators(workbook_.archive.path()), sheet_.name)
                         .arg(rowNumber_)
                         .arg(what));
    }

    // The next row with at least one value; false after the last.
    bool next(std::vector<SheetCell>& cells)
    {
        cells.clear();
        while (true) {
            const Token token = reader_.next();
            const QXmlStreamReader& xml = reader_.xml();
            if (token == Token::EndDocument)
                return false;
            if (token == Token::Characters) {
                if (inValue_)
                    value_ += xml.text();
                else if (inInlineText_)
                    inline_ += xml.text();
                continue;
            }
            const QStringView name = xml.name();
            if (token == Token::StartElement) {
                if (name == u"c") {
                    const QXmlStreamAttributes attributes = xml.attributes();
                    const QString reference = attribute(attributes, u"r");
                    const int column = columnOf(reference);
                    column_ = column >= 0 ? column : column_ + 1;
                    style_ = attribute(attributes, u"s").toInt();
                    type_ = attribute(attributes, u"t");
                    value_.clear();
                    inline_.clear();
                    hasValue_ = false;
                } else if (name == u"v") {
                    inValue_ = true;
                    hasValue_ = true;
                } else if (name == u"is") {
                    inInline_ = true;
                    hasValue_ = true;
                } else if (name == u"rPh") {
                    ++phoneticDepth_;
                } else if (name == u"t") {
                    inInlineText_ = inInline_ && phoneticDepth_ == 0;
                } else if (name == u"row") {
                    const QXmlStreamAttributes attributes = xml.attributes();
                    bool numbered = false;
                    const qint64 number = attribute(attributes, u"r").toLongLong(&numbered);
                    rowNumber_ = numbered ? number : rowNumber_ + 1;
                    column_ = -1;
                } else if (name == u"dimension") {
                    const QXmlStreamAttributes attributes = xml.attributes();
                    QString last = attribute(attributes, u"ref").section(QLatin1Char(':'), -1);
                    last.remove(QLatin1Char('$'));
                    qsizetype letters = 0;
                    while (letters < last.size() && last.at(letters).isLetter())
                        ++letters;
                    dimensionRows_ = last.mid(letters).toLongLong();
                }
                continue;
            }
            if (token != Token::EndElement)
                continue;
            if (name == u"v") {
                inValue_ = false;
            } else if (name == u"t") {
                inInlineText_ = false;
            } else if (name == u"rPh") {
                --phoneticDepth_;
            } else if (name == u"is") {
                inInline_ = false;
            } else if (name == u"c") {
                if (hasValue_) {
                    TableValue value = cellValue();
                    if (!std::holds_alternative<std::monostate>(value))
                        cells.push_back({column_, std::move(value)});
                }
            } else if (name == u"row") {
                if (!cells.empty())
                    return true;
            } else if (name == u"sheetData") {
                return false;
            }
        }
    }

private:
    QString cellReference() const { return columnLetters(column_) + QString::number(rowNumber_); }

    TableValue cellValue() const
    {
        if (type_ == u"inlineStr")
            return inline_;
        if (type_ == u"s") {
            bool ok = false;
            const qsizetype index = value_.trimmed().toLongLong(&ok);
            std::optional<QString> text;
            if (ok)
                text = workbook_.parts.sharedStrings.at(index);
            if (!text)
                throw failure(u"セル %1 の文字列 (共有文字列 %2 番) がブックにありません。"
                              u"ファイルが壊れています。"_qs.arg(cellReference(), value_));
            return *text;
        }
        if (type_ == u"str" || type_ == u"e")
            return value_;
        if (type_ == u"b")
            return accesstext::yesNo(value_.trimmed() != u"0");
        if (value_.isEmpty())
            return {};
        if (type_ == u"d") {
            if (std::optional<TableValue> date = isoDateCellValue(value_.trimmed()))
                return *date;
            throw failure(u"セル %1 の日付「%2」を読めません。"_qs.arg(cellReference(), value_));
        }
        const std::vector<bool>& dateStyles = workbook_.parts.dateStyles;
        const bool dateFormat =
            style_ >= 0 && size_t(style_) < dateStyles.size() && dateStyles[size_t(style_)];
        if (std::optional<TableValue> number =
                numberCellValue(value_.trimmed(), dateFormat, workbook_.parts.date1904))
            return *number;
        throw failure(u"セル %1 の数値「%2」を読めません。"_qs.arg(cellReference(), value_));
    }

    const OpenWorkbook& workbook_;
    const WorkbookSheet& sheet_;
    XmlPartReader reader_;
    qint64 dimensionRows_ = 0;
    qint64 rowNumber_ = 0;
    int column_ = -1;
    int style_ = 0;
    QString type_;
    QString value_;
    QString inline_;
    bool hasValue_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
    bool inInlineText_ = false;
    int phoneticDepth_ = 0;
};

// The rows after the names' row, each value in the table's columns.
class SheetRows final : public TableRows
{
public:
    SheetRows(std::shared_ptr<const OpenWorkbook> workbook, const WorkbookSheet& sheet,
              int firstColumn, int columnCount)
        : workbook_(std::move(workbook)), reader_(*workbook_, sheet), firstColumn_(firstColumn),
          values_(size_t(columnCount))
    {
        rewind();
    }

    void rewind() override
    {
        reader_.rewind();
        // The names' row.
        reader_.next(cells_);
    }

    bool next() override
    {
        while (reader_.next(cells_)) {
            bool any = false;
            std::fill(values_.begin(), values_.end(), TableValue());
            for (SheetCell& cell : cells_) {
                const int position = cell.column - firstColumn_;
                if (position < 0 || size_t(position) >= values_.size())
                    continue;
                values_[size_t(position)] = std::move(cell.value);
                any = true;
            }
            if (any)
                return true;
        }
        return false;
    }

    const TableValue& value(int column) const override { return values_.at(size_t(column)); }

private:
    std::shared_ptr<const OpenWorkbook> workbook_;
    SheetReader reader_;
    int firstColumn_ = 0;
    std::vector<SheetCell> cells_;
    std::vector<TableValue> values_;
};

} // namespace

SheetTable::SheetTable(std::shared_ptr<const OpenWorkbook> workbook, WorkbookSheet sheet)
    : workbook_(std::move(workbook)), sheet_(std::move(sheet))
{
    SheetReader reader(*workbook_, sheet_);
    std::vector<SheetCell> cells;
    if (!reader.next(cells)) {
        throw Error(u"ブック「%1」のシート「%2」は空です。1 行目に列名が必要です。"_qs.arg(
            QDir::toNativeSeparators(workbook_->archive.path()), sheet_.name));
    }
    const SheetColumns columns =
        sheetColumns(std::move(cells), reader.rowNumber(),
                     [&reader](const QString& what) { return reader.failure(what); });
    columns_ = columns.names;
    firstColumn_ = columns.firstColumn;
    rowCountHint_ = qMax<qint64>(reader.dimensionRows() - reader.rowNumber(), 0);
}

std::unique_ptr<TableRows> SheetTable::openRows() const
{
    return std::make_unique<SheetRows>(workbook_, sheet_, firstColumn_, int(columns_.size()));
}

} // namespace hakobee
