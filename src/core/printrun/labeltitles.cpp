#include "core/printrun/labeltitles.h"

#include "core/settings/layoutfile.h"
#include "core/settings/layoutmode.h"

namespace hakobee {

LabelTitles labelTitlesFor(const QString& storedTitle1, const QString& storedTitle2)
{
    if (layoutModeForTitle2(storedTitle2) == LayoutMode::FurnitureSlip)
        return {};
    return {storedTitle1, storedTitle2};
}

LabelTitles readLabelTitles(DatabaseProvider& databases)
{
    const LayoutSettings layout = readLayoutRecord(databases);
    return labelTitlesFor(layout.title1, layout.title2);
}

} // namespace hakobee
