#pragma once

namespace hakobee {

// How far a printer's output lies from where it is drawn, made good by
// moving every label printed on that printer the other way: millimetres
// added to the label's print position (SIZE1 and SIZE2) on that printer
// only. Positive moves right and down. Each printer has its own, measured on
// a calibration label.
struct PrinterOffsetMm
{
    double horizontalMm = 0;
    double verticalMm = 0;

    bool isZero() const { return horizontalMm == 0 && verticalMm == 0; }
    friend bool operator==(const PrinterOffsetMm&, const PrinterOffsetMm&) = default;
};

// The calibration label's crosshair is drawn with its centre this far right
// of and below the top-left corner of the printable area.
inline constexpr double calibrationCrossCentreMm = 10.0;

// The offset that puts the crosshair where it belongs, from where the
// operator measured its centre (millimetres from the label's left and top
// edges) on a calibration label printed with `printedWith` added: that offset
// plus (10 - measured) in each direction. A label printed with no offset
// gives (10 - measuredX, 10 - measuredY); measuring again after saving
// corrects what is left, so repeated calibrations converge. The result is
// rounded to 0.01 mm, finer than anyone measures.
PrinterOffsetMm offsetFromCalibration(const PrinterOffsetMm& printedWith, double measuredXMm,
                                      double measuredYMm);

} // namespace hakobee
