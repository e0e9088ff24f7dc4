#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace hakobee {

// The three ways the screens open a record set.
enum class CursorKind
{
    SettingsRead, // named read of a settings file
    StaticRead,   // connection test, record count, print run
    Grid,         // the run screens' data grid; rows are fetched as they are shown
};

// A field value as text; std::nullopt is a null value.
using FieldValue = std::optional<QString>;

// A query result in the manner of ADO: a current row that moves forward,
// to the first or to the last row. Every failure throws hakobee::Error.
// Destroying a record set closes it.
class Recordset
{
public:
    virtual ~Recordset() = default;

    virtual bool eof() const = 0;
    virtual void moveNext() = 0;
    virtual void moveFirst() = 0;
    // Fails on a result without rows.
    virtual void moveLast() = 0;
    // The number of rows; known after moveLast() and moveFirst().
    virtual qint64 recordCount() const = 0;

    virtual int fieldCount() const = 0;
    virtual QString fieldName(int position) const = 0;
    // Fields of the current row, by position from 0 or by column name.
    virtual FieldValue field(int position) const = 0;
    virtual FieldValue field(const QString& name) const = 0;
};

// An open connection; destroying it closes it.
class Connection
{
public:
    virtual ~Connection() = default;
    // Runs the query text; throws hakobee::Error with the reason.
    virtual std::unique_ptr<Recordset> openRecordset(const QString& query, CursorKind cursor) = 0;
};

// Opens connections for the connection strings the system stores and builds:
// the settings-folder text driver and the Access database provider.
class DatabaseProvider
{
public:
    virtual ~DatabaseProvider() = default;
    // Throws hakobee::Error when the connection cannot be opened.
    virtual std::unique_ptr<Connection> open(const QString& connectionString) = 0;
};

} // namespace hakobee
