#pragma once

#include <QString>

namespace hakobee {

// How the labels are laid out, decided by the second title of nimbeconfig4.txt.
enum class LayoutMode
{
    StandardLabel,
    FurnitureSlip,
};

// The second title that switches the system to the furniture-slip layout.
QString furnitureSlipMarker();

// FurnitureSlip exactly when the title equals the marker (no trimming).
LayoutMode layoutModeForTitle2(const QString& title2);

} // namespace hakobee
