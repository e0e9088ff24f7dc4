#include "core/settings/layoutfile.h"

#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "core/settings/settingsrecord.h"

namespace hakobee {

LayoutSettings readLayoutRecord(DatabaseProvider& databases)
{
    const SettingsRecord record =
        readSettingsRecord(databases, u"Select * From "_qs + SettingsFiles::layout);
    const QStringList columns = SettingsColumns::layout();
    const auto text = [&](int position) {
        return record.value(columns[position]).value_or(QString());
    };
    return {text(SettingsColumns::layoutTitle1), text(SettingsColumns::layoutTitle2),
            text(SettingsColumns::layoutPaper), text(SettingsColumns::layoutPrinter)};
}

void writeLayoutSettings(const SettingsFolder& folder, const LayoutSettings& values)
{
    replaceSettingsFile(folder.filePath(SettingsFiles::layout), SettingsColumns::layout(),
                        {values.title1, values.title2, values.paper, values.printer});
}

} // namespace hakobee
