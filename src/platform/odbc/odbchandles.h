#pragma once

#include <QList>
#include <QString>

#include <sql.h>
#include <sqlext.h>

#include <utility>

namespace hakobee {

// One handle of the ODBC driver manager (environment, connection or
// statement), freed when it goes. A connection handle is disconnected
// first; the owner ends its transaction before that.
class OdbcHandle
{
public:
    OdbcHandle() = default;
    // Allocates a handle of the type under `parent`; null when the driver
    // manager cannot.
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle();
    OdbcHandle(OdbcHandle&& other) noexcept
        : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)),
          connected_(std::exchange(other.connected_, false))
    {}
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }
    explicit operator bool() const { return handle_ != SQL_NULL_HANDLE; }
    // A connection handle that SQLDriverConnect connected.
    void markConnected() { connected_ = true; }

private:
    void release() noexcept;

    SQLSMALLINT type_ = SQL_HANDLE_ENV;
    SQLHANDLE handle_ = nullptr;
    bool connected_ = false;
};

// One diagnostic record of a failed call.
struct OdbcDiagnostic
{
    QString state; // SQLSTATE: "IM002", "42P01", "08S01", ...
    QString message;
};

// The diagnostic records of the last call on the handle, in order.
QList<OdbcDiagnostic> odbcDiagnostics(const OdbcHandle& handle);
// The records as the messages show them: "message (SQLSTATE)", one a line.
QString diagnosticText(const QList<OdbcDiagnostic>& diagnostics);

// Texts to and from the driver manager's wide characters (UTF-16).
std::u16string toOdbcText(const QString& text);
inline SQLWCHAR* odbcText(std::u16string& text)
{
    return reinterpret_cast<SQLWCHAR*>(text.data());
}
QString fromOdbcText(const SQLWCHAR* text, qsizetype length);

// A text the driver tells about the connection (SQLGetInfoW): its
// driver's file name, the database system's name, ...
QString odbcInfo(const OdbcHandle& connection, SQLUSMALLINT info);

} // namespace hakobee
