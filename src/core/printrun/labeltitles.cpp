#include "core/printrun/labeltitles.h"

#include "core/settings/layoutmode.h"
#include "core/settings/settingsrecord.h"

namespace hakobee {

LabelTitles labelTitlesFor(const QString& storedTitle1, const QString& storedTitle2)
{
    if (layoutModeForTitle2(storedTitle2) == LayoutMode::FurnitureSlip)
        return {};
    return {storedTitle1, storedTitle2};
}

LabelTitles readLabelTitles(DatabaseProvider& databases)
{
    const SettingsRecord record =
        readSettingsRecord(databases, u"Select * From nimbeconfig4.txt"_qs);
    return labelTitlesFor(record.value(u"TITLE1"_qs).value_or(QString()),
                          record.value(u"TITLE2"_qs).value_or(QString()));
}

} // namespace hakobee
