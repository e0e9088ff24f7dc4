#include "platform/workbook/sheetcolumns.h"

#include "platform/access/accesstextforms.h"

#include <QSet>

#include <algorithm>

namespace hakobee {

namespace {

QString nameText(const TableValue& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* integer = std::get_if<qint64>(&value))
        return QString::number(*integer);
    if (const auto* real = std::get_if<double>(&value))
        return accesstext::doubleValue(*real);
    return QString();
}

} // namespace

QString columnLetters(int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

SheetColumns sheetColumns(std::vector<SheetCell> cells, qint64 rowNumber,
                          const std::function<Error(const QString&)>& failure)
{
    std::sort(cells.begin(), cells.end(),
              [](const SheetCell& a, const SheetCell& b) { return a.column < b.column; });
    SheetColumns columns;
    columns.firstColumn = cells.front().column;
    const int lastColumn = cells.back().column;
    std::vector<QString> names(size_t(lastColumn - columns.firstColumn + 1));
    for (const SheetCell& cell : cells)
        names[size_t(cell.column - columns.firstColumn)] = nameText(cell.value);
    QSet<QString> seen;
    for (size_t i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        const QString cell =
            columnLetters(columns.firstColumn + int(i)) + QString::number(rowNumber);
        if (name.trimmed().isEmpty())
            throw failure(u"セル %1 の列名が空です。"_qs.arg(cell));
        if (seen.contains(name.toLower()))
            throw failure(u"列名「%1」が二度あります (セル %2)。"_qs.arg(name, cell));
        seen.insert(name.toLower());
        columns.names << name;
    }
    return columns;
}

} // namespace hakobee
