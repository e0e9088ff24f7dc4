#include "core/printer/printeroffset.h"

#include <cmath>

namespace hakobee {

namespace {

double hundredthsOfMm(double mm)
{
    const double rounded = std::round(mm * 100.0) / 100.0;
    return rounded == 0 ? 0.0 : rounded; // no "-0" in the file
}

} // namespace

PrinterOffsetMm offsetFromCalibration(const PrinterOffsetMm& printedWith, double measuredXMm,
                                      double measuredYMm)
{
    return {hundredthsOfMm(printedWith.horizontalMm + calibrationCrossCentreMm - measuredXMm),
            hundredthsOfMm(printedWith.verticalMm + calibrationCrossCentreMm - measuredYMm)};
}

} // namespace hakobee
