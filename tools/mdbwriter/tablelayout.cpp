#include "tablelayout.h"

#include "core/error.h"
#include "jetformat.h"

#include <QSet>

namespace hakobee::mdbwriter {

namespace {

// Access's own limits on tables.
constexpr int MaxColumns = 255;
constexpr int MaxNameLength = 64;
constexpr int MaxTextChars = 255;
constexpr int MaxDecimalPrecision = 28;

void checkName(const QString& what, const QString& name)
{
    if (name.isEmpty() || name.size() > MaxNameLength)
        throw Error(
            u"%1の名前「%2」は 1 〜 %3 文字にしてください。"_qs.arg(what, name).arg(MaxNameLength));
}

} // namespace

quint8 columnTypeCode(ColumnType type)
{
    switch (type) {
    case ColumnType::Byte:
        return jet::ByteCode;
    case ColumnType::Integer:
        return jet::IntegerCode;
    case ColumnType::Long:
        return jet::LongCode;
    case ColumnType::Currency:
        return jet::CurrencyCode;
    case ColumnType::Single:
        return jet::SingleCode;
    case ColumnType::Double:
        return jet::DoubleCode;
    case ColumnType::DateTime:
        return jet::DateTimeCode;
    case ColumnType::YesNo:
        return jet::BooleanCode;
    case ColumnType::Text:
        return jet::TextCode;
    case ColumnType::Memo:
        return jet::MemoCode;
    case ColumnType::Decimal:
        return jet::DecimalCode;
    case ColumnType::Binary:
        return jet::BinaryCode;
    }
    return 0;
}

int fixedLength(ColumnType type)
{
    switch (type) {
    case ColumnType::Byte:
        return 1;
    case ColumnType::Integer:
        return 2;
    case ColumnType::Long:
    case ColumnType::Single:
        return 4;
    case ColumnType::Currency:
    case ColumnType::Double:
    case ColumnType::DateTime:
        return 8;
    case ColumnType::Decimal:
        return 17;
    case ColumnType::YesNo:
    case ColumnType::Text:
    case ColumnType::Memo:
    case ColumnType::Binary:
        return 0;
    }
    return 0;
}

bool TableLayout::hasLongValues() const
{
    for (const ColumnPlacement& placement : columns) {
        if (placement.column.type == ColumnType::Memo)
            return true;
    }
    return false;
}

TableLayout layoutTable(const QString& tableName, const QList<Column>& columns)
{
    checkName(u"テーブル"_qs, tableName);
    if (columns.isEmpty() || columns.size() > MaxColumns)
        throw Error(
            u"テーブル「%1」の列数は 1 〜 %2 にしてください。"_qs.arg(tableName).arg(MaxColumns));

    TableLayout layout;
    QSet<QString> seen;
    for (const Column& column : columns) {
        checkName(u"テーブル「%1」の列"_qs.arg(tableName), column.name);
        if (seen.contains(column.name.toCaseFolded()))
            throw Error(u"テーブル「%1」に列「%2」が二つあります。"_qs.arg(tableName, column.name));
        seen.insert(column.name.toCaseFolded());

        ColumnPlacement placement;
        placement.column = column;
        placement.typeCode = columnTypeCode(column.type);
        placement.number = int(layout.columns.size());
        switch (column.type) {
        case ColumnType::Text:
            if (column.maxChars < 1 || column.maxChars > MaxTextChars)
                throw Error(u"テーブル「%1」の列「%2」の長さ %3 は 1 〜 %4 "
                            u"にしてください。"_qs.arg(tableName, column.name)
                                .arg(column.maxChars)
                                .arg(MaxTextChars));
            placement.storedLength = 2 * column.maxChars;
            placement.variableIndex = layout.variableColumnCount++;
            break;
        case ColumnType::Binary:
            if (column.maxChars < 1 || column.maxChars > MaxTextChars)
                throw Error(u"テーブル「%1」の列「%2」の長さ %3 は 1 〜 %4 "
                            u"バイトにしてください。"_qs.arg(tableName, column.name)
                                .arg(column.maxChars)
                                .arg(MaxTextChars));
            placement.storedLength = column.maxChars;
            placement.variableIndex = layout.variableColumnCount++;
            break;
        case ColumnType::Memo:
            placement.variableIndex = layout.variableColumnCount++;
            break;
        case ColumnType::Decimal:
            if (column.precision < 1 || column.precision > MaxDecimalPrecision ||
                column.scale < 0 || column.scale > column.precision)
                throw Error(u"テーブル「%1」の列「%2」の精度 %3・小数桁数 %4 は"
                            u"使えません（精度 1 〜 %5、小数桁数 0 〜 精度）。"_qs
                                .arg(tableName, column.name)
                                .arg(column.precision)
                                .arg(column.scale)
                                .arg(MaxDecimalPrecision));
            placement.fixed = true;
            placement.fixedOffset = layout.fixedAreaSize;
            placement.storedLength = fixedLength(column.type);
            layout.fixedAreaSize += placement.storedLength;
            break;
        case ColumnType::YesNo:
            placement.fixed = true;
            placement.fixedOffset = layout.fixedAreaSize;
            placement.storedLength = 1;
            break;
        default:
            placement.fixed = true;
            placement.fixedOffset = layout.fixedAreaSize;
            placement.storedLength = fixedLength(column.type);
            layout.fixedAreaSize += placement.storedLength;
            break;
        }
        layout.columns.append(placement);
    }
    return layout;
}

} // namespace hakobee::mdbwriter
