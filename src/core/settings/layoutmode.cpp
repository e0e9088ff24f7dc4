#include "core/settings/layoutmode.h"

namespace hakobee {

QString furnitureSlipMarker()
{
    return QStringLiteral("ｶｽﾀﾏｲｽﾞ7304使用中");
}

LayoutMode layoutModeForTitle2(const QString& title2)
{
    return title2 == furnitureSlipMarker() ? LayoutMode::FurnitureSlip : LayoutMode::StandardLabel;
}

} // namespace hakobee
