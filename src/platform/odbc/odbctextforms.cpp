#include "platform/odbc/odbctextforms.h"

#include "platform/access/accesstextforms.h"
#include "platform/postgres/postgrestextforms.h"

#include <sqlext.h>

namespace hakobee::odbctext {

namespace {

// SQL Server's own types, as its drivers describe them.
constexpr SQLSMALLINT sqlServerTime = -154;
constexpr SQLSMALLINT sqlServerDateTimeOffset = -155;

} // namespace

ColumnKind kindOf(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_BIT:
        return ColumnKind::Bit;
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        return ColumnKind::Numeric;
    case SQL_REAL:
        return ColumnKind::Real;
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return ColumnKind::Double;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        return ColumnKind::Date;
    case SQL_TYPE_TIME:
    case SQL_TIME:
    case sqlServerTime:
        return ColumnKind::Time;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
    case sqlServerDateTimeOffset:
        return ColumnKind::Timestamp;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return ColumnKind::Binary;
    default:
        return ColumnKind::Text;
    }
}

QString fieldText(ColumnKind kind, const QString& driverText)
{
    // The ISO forms ODBC gives numbers, dates and times in are those the
    // PostgreSQL server writes; one reading of them serves both sources.
    switch (kind) {
    case ColumnKind::Bit:
        return accesstext::yesNo(driverText != u"0");
    case ColumnKind::Numeric:
        return postgrestext::fieldText(postgrestext::Numeric, driverText.toLatin1());
    case ColumnKind::Date:
        return postgrestext::fieldText(postgrestext::Date, driverText.toUtf8());
    case ColumnKind::Time:
        return postgrestext::fieldText(postgrestext::Time, driverText.toUtf8());
    case ColumnKind::Timestamp:
        return postgrestext::fieldText(postgrestext::TimestampTz, driverText.toUtf8());
    case ColumnKind::Binary:
        return driverText.toUpper();
    case ColumnKind::Real:
    case ColumnKind::Double:
    case ColumnKind::Text:
        break;
    }
    return driverText;
}

QString numberText(ColumnKind kind, double value)
{
    return kind == ColumnKind::Real ? accesstext::single(value) : accesstext::doubleValue(value);
}

} // namespace hakobee::odbctext
