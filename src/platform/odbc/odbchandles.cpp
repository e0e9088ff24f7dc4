#include "platform/odbc/odbchandles.h"

#include <QList>

namespace hakobee {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager's wide text is UTF-16");

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type)
{
    if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_)))
        handle_ = nullptr;
}

OdbcHandle::~OdbcHandle()
{
    release();
}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept
{
    if (this != &other) {
        release();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, nullptr);
        connected_ = std::exchange(other.connected_, false);
    }
    return *this;
}

void OdbcHandle::release() noexcept
{
    if (handle_ == SQL_NULL_HANDLE)
        return;
    if (type_ == SQL_HANDLE_DBC && connected_)
        SQLDisconnect(handle_);
    SQLFreeHandle(type_, handle_);
    handle_ = nullptr;
    connected_ = false;
}

QList<OdbcDiagnostic> odbcDiagnostics(const OdbcHandle& handle)
{
    QList<OdbcDiagnostic> diagnostics;
    if (!handle)
        return diagnostics;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLWCHAR message[2048] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN got = SQLGetDiagRecW(handle.type(), handle.get(), record, state, &native,
                                             message, SQLSMALLINT(std::size(message)), &length);
        if (!SQL_SUCCEEDED(got))
            break;
        const qsizetype shown = qMin<qsizetype>(length, qsizetype(std::size(message)) - 1);
        diagnostics.append({fromOdbcText(state, 5), fromOdbcText(message, shown).trimmed()});
    }
    return diagnostics;
}

QString diagnosticText(const QList<OdbcDiagnostic>& diagnostics)
{
    QStringList lines;
    for (const OdbcDiagnostic& diagnostic : diagnostics)
        lines.append(diagnostic.message + u" ("_qs + diagnostic.state + u')');
    return lines.join(u'\n');
}

std::u16string toOdbcText(const QString& text)
{
    return text.toStdU16String();
}

QString fromOdbcText(const SQLWCHAR* text, qsizetype length)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

QString odbcInfo(const OdbcHandle& connection, SQLUSMALLINT info)
{
    SQLWCHAR value[512] = {};
    SQLSMALLINT bytes = 0;
    if (!SQL_SUCCEEDED(
            SQLGetInfoW(connection.get(), info, value, SQLSMALLINT(sizeof value), &bytes)))
        return {};
    const qsizetype length = qMin<qsizetype>(bytes / 2, qsizetype(std::size(value)) - 1);
    return fromOdbcText(value, length);
}

} // namespace hakobee
