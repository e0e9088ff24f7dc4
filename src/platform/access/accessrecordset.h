#pragma once

#include "core/datasource/database.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace hakobee {

struct AccessSession;

// The rows of one query, stepped from SQLite as the caller moves, so that
// only the current row is held: opening shows the first row as soon as it is
// read, moveLast() steps through the rest (and so learns the record count),
// moveFirst() runs the query again. Field values are converted to the texts
// Access shows (see accesstextforms.h). recordCount() is -1 until the end of
// the rows has been reached once.
class AccessRecordset final : public Recordset
{
public:
    // Takes the prepared statement; runs it up to its first row.
    AccessRecordset(std::shared_ptr<AccessSession> session, sqlite3_stmt* statement, QString query);
    ~AccessRecordset() override;

    bool eof() const override;
    void moveNext() override;
    void moveFirst() override;
    void moveLast() override;
    qint64 recordCount() const override;

    int fieldCount() const override;
    QString fieldName(int position) const override;
    FieldValue field(int position) const override;
    FieldValue field(const QString& name) const override;

    // The Access type of a result column as Japanese Access names it in a
    // table's design ("テキスト型 (50)", "数値型 (長整数型)", "通貨型", ...),
    // or "(式)" for a column an expression computes.
    QString accessType(int position) const;

private:
    // How a column's values are shown, from the column's declared type.
    enum class TextForm
    {
        Plain,
        YesNo,
        Currency,
        Single,
        DateTime
    };

    struct Cell
    {
        int type = 0;
        qint64 integer = 0;
        double real = 0;
        QByteArray text;
    };

    bool step();
    void keepCurrentRow();

    std::shared_ptr<AccessSession> session_;
    sqlite3_stmt* statement_ = nullptr;
    QString query_;
    QStringList names_;
    QList<TextForm> forms_;
    std::vector<Cell> current_;
    bool onRow_ = false;
    bool finished_ = false;
    qint64 position_ = -1;
    qint64 count_ = -1;
};

} // namespace hakobee
