#include "core/settings/layoutmode.h"

namespace hakobee {

QString furnitureSlipMarker()
{
    return u"ｶｽﾀﾏｲｽﾞ7304使用中"_qs;
}

LayoutMode layoutModeForTitle2(const QString& title2)
{
    return title2 == furnitureSlipMarker() ? LayoutMode::FurnitureSlip : LayoutMode::StandardLabel;
}

} // namespace hakobee
