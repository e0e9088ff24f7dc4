#pragma once

#include "core/datasource/database.h"

#include <QList>
#include <QStringList>

namespace hakobee {

// The first record of a query on the settings folder, by column name.
class SettingsRecord
{
public:
    SettingsRecord(QStringList names, QList<FieldValue> values)
        : names_(std::move(names)), values_(std::move(values))
    {}

    const QStringList& columnNames() const { return names_; }
    bool contains(const QString& name) const;
    // Null for a value that is empty in the file. Throws hakobee::Error for a
    // column the query did not give.
    FieldValue value(const QString& name) const;
    // The values of these columns in their order, an empty value as empty
    // text: the typed records are read so. Throws as value() does.
    QStringList texts(const QStringList& names) const;

private:
    QStringList names_;
    QList<FieldValue> values_;
};

// Runs the query ("Select * From nimbeconfig4.txt",
// "Select SIZE1,SIZE2,SIZE3 From nimbeconfig5.txt") on the settings
// connection and returns its first record. Connection and record set are
// closed before it returns. Throws hakobee::Error, also when the file has no
// data row.
SettingsRecord readSettingsRecord(DatabaseProvider& databases, const QString& query);

} // namespace hakobee
