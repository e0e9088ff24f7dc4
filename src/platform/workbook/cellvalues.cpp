#include "platform/workbook/cellvalues.h"

#include "platform/access/accesstextforms.h"

#include <QDateTime>

#include <cmath>

namespace hakobee {

namespace {

// Excel counts 1900/01/01 as day 1 and has a 1900/02/29 that never was;
// Access counts days from 1899/12/30. From 1900/03/01 (day 61) on the two
// agree.
double accessDays(double excelDays, bool date1904)
{
    if (date1904)
        return excelDays + 1462;
    return excelDays < 61 ? excelDays + 1 : excelDays;
}

} // namespace

TableValue numberValue(double stored)
{
    // The file may keep more digits than Excel shows (4.9012345678939998E+12).
    const double shown = QString::number(stored, 'g', 15).toDouble();
    if (std::trunc(shown) == shown && std::fabs(shown) < 1e15)
        return TableValue(qint64(shown));
    return TableValue(shown);
}

std::optional<TableValue> numberCellValue(const QString& text, bool dateFormat, bool date1904)
{
    bool ok = false;
    // Most numbers of a product list are whole, written as digits alone.
    if (!dateFormat && text.size() <= 15) {
        const qint64 whole = text.toLongLong(&ok);
        if (ok)
            return TableValue(whole);
    }
    const double stored = text.toDouble(&ok);
    if (!ok || !std::isfinite(stored))
        return std::nullopt;
    if (dateFormat)
        return TableValue(accesstext::dateTime(accessDays(stored, date1904)));
    return numberValue(stored);
}

std::optional<TableValue> isoDateCellValue(const QString& written)
{
    QString text = written;
    if (text.size() > 10 && text.at(10) == QLatin1Char(' '))
        text[10] = QLatin1Char('T');
    QDateTime moment = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!moment.isValid()) {
        const QTime time = QTime::fromString(text, Qt::ISODateWithMs);
        if (!time.isValid())
            return std::nullopt;
        return TableValue(accesstext::dateTime(time.msecsSinceStartOfDay() / 86'400'000.0));
    }
    moment.setTimeSpec(Qt::UTC);
    const QDateTime base(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return TableValue(accesstext::dateTime(base.msecsTo(moment) / 86'400'000.0));
}

} // namespace hakobee
