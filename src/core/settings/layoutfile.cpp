#include "core/settings/layoutfile.h"

#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsrecord.h"

namespace hakobee {

namespace {

LayoutSettings fromColumnOrder(const QStringList& values)
{
    return {values[SettingsColumns::layoutTitle1], values[SettingsColumns::layoutTitle2],
            values[SettingsColumns::layoutPaper], values[SettingsColumns::layoutPrinter]};
}

} // namespace

QString storedLayoutText(const QString& typed)
{
    return typed.isEmpty() ? u"_"_qs : typed;
}

LayoutSettings readLayoutRecord(DatabaseProvider& databases)
{
    return fromColumnOrder(
        readSettingsRecord(databases, u"Select * From "_qs + SettingsFiles::layout)
            .texts(SettingsColumns::layout()));
}

LayoutSettings readLayoutRows(const SettingsFolder& folder)
{
    const SettingsRows rows =
        readSettingsRows(folder.filePath(SettingsFiles::layout),
                         int(SettingsColumns::layout().size()), {SettingsColumns::layoutPrinter});
    return fromColumnOrder(rows.data);
}

void writeLayoutSettings(const SettingsFolder& folder, const LayoutSettings& values)
{
    replaceSettingsFile(folder.filePath(SettingsFiles::layout), SettingsColumns::layout(),
                        {values.title1, values.title2, values.paper, values.printer});
}

} // namespace hakobee
