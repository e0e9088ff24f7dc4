#include "core/settings/settingsrecord.h"

#include "core/error.h"
#include "core/settings/settingsconnection.h"

namespace hakobee {

bool SettingsRecord::contains(const QString& name) const
{
    return names_.contains(name, Qt::CaseInsensitive);
}

FieldValue SettingsRecord::value(const QString& name) const
{
    for (qsizetype i = 0; i < names_.size(); ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return values_[i];
    }
    throw Error(u"設定の列 %1 は読み込まれていません。"_qs.arg(name));
}

QStringList SettingsRecord::texts(const QStringList& names) const
{
    QStringList texts;
    for (const QString& name : names)
        texts.append(value(name).value_or(QString()));
    return texts;
}

SettingsRecord readSettingsRecord(DatabaseProvider& databases, const QString& query)
{
    const std::unique_ptr<Connection> connection = databases.open(settingsConnectionString());
    const std::unique_ptr<Recordset> records =
        connection->openRecordset(query, CursorKind::SettingsRead);
    if (records->eof())
        throw Error(u"設定ファイルにデータ行がありません（%1）。"_qs.arg(query));
    QStringList names;
    QList<FieldValue> values;
    for (int i = 0; i < records->fieldCount(); ++i) {
        names.append(records->fieldName(i));
        values.append(records->field(i));
    }
    return SettingsRecord(std::move(names), std::move(values));
}

} // namespace hakobee
