#pragma once

#include "core/datasource/database.h"
#include "core/error.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

namespace hakobee::test {

// A query result held in memory (or made row by row, for tables too big to
// hold), for tests of what walks record sets. Counts the rows read, so a
// test can tell how much of a table was looked at.
struct MemoryTable
{
    QStringList columns{u"bar"_qs, u"hi"_qs, u"mei"_qs, u"as2"_qs};
    qint64 rowCount = 0;
    std::function<QList<FieldValue>(qint64 row)> rowAt; // rows from 0
    mutable qint64 rowsRead = 0;
    mutable int opened = 0;

    // Rows of the sample's shape with valid EAN-13 codes; row 0 is
    // 4900000000003, prices 100, 101, ...
    static QString barcodeOf(qint64 row)
    {
        const QString twelve = u"490%1"_qs.arg(row, 9, 10, QLatin1Char('0'));
        int sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += twelve[i].digitValue() * (i % 2 == 0 ? 1 : 3);
        return twelve + QString::number((10 - sum % 10) % 10);
    }
    static std::shared_ptr<MemoryTable> products(qint64 rowCount)
    {
        auto table = std::make_shared<MemoryTable>();
        table->rowCount = rowCount;
        table->rowAt = [](qint64 row) -> QList<FieldValue> {
            return {barcodeOf(row), u"商品%1"_qs.arg(row + 1), u"ｻﾝﾌﾟﾙ %1"_qs.arg(row + 1),
                    QString::number(100 + row)};
        };
        return table;
    }
};

class MemoryRecordset : public Recordset
{
public:
    explicit MemoryRecordset(std::shared_ptr<const MemoryTable> table) : table_(std::move(table))
    {
        ++table_->opened;
    }
    bool eof() const override { return position_ >= table_->rowCount; }
    void moveNext() override
    {
        if (eof())
            throw Error(u"past the end"_qs);
        ++position_;
    }
    void moveFirst() override { position_ = 0; }
    void moveLast() override { position_ = table_->rowCount - 1; }
    qint64 recordCount() const override { return table_->rowCount; }
    int fieldCount() const override { return int(table_->columns.size()); }
    QString fieldName(int position) const override { return table_->columns.value(position); }
    FieldValue field(int position) const override
    {
        if (eof())
            throw Error(u"no current row"_qs);
        if (cachedRow_ != position_) {
            cached_ = table_->rowAt(position_);
            cachedRow_ = position_;
            ++table_->rowsRead;
        }
        return cached_.value(position);
    }
    FieldValue field(const QString& name) const override
    {
        return field(int(table_->columns.indexOf(name)));
    }

private:
    std::shared_ptr<const MemoryTable> table_;
    qint64 position_ = 0;
    mutable qint64 cachedRow_ = -1;
    mutable QList<FieldValue> cached_;
};

class MemoryConnection : public Connection
{
public:
    explicit MemoryConnection(std::shared_ptr<const MemoryTable> table) : table_(std::move(table))
    {}
    std::unique_ptr<Recordset> openRecordset(const QString&, CursorKind) override
    {
        return std::make_unique<MemoryRecordset>(table_);
    }

private:
    std::shared_ptr<const MemoryTable> table_;
};

} // namespace hakobee::test
