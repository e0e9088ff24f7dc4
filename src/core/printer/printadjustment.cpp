#include "core/printer/printadjustment.h"

#include <algorithm>
#include <cmath>

namespace hakobee {

PrintAdjustment readPrintAdjustment(const std::optional<QString>& stored)
{
    if (!stored)
        return {0, false};
    bool whole = false;
    const int value = stored->trimmed().toInt(&whole);
    if (whole && value >= smallestPrintAdjustment && value <= largestPrintAdjustment)
        return {value, true};

    bool number = false;
    const double approximate = stored->trimmed().toDouble(&number);
    if (!number || !std::isfinite(approximate))
        return {0, false};
    const double nearest = std::clamp(std::round(approximate), double(smallestPrintAdjustment),
                                      double(largestPrintAdjustment));
    return {static_cast<int>(nearest), false};
}

} // namespace hakobee
