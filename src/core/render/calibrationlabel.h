#pragma once

#include "core/printer/printercanvas.h"

#include <QString>

#include <memory>

namespace hakobee {

class ActivePrinter;

// What the calibration label shows: the printer it was printed on, with its
// resolution (0 when the printer does not say) and paper, and a test barcode
// of the labels' own making. Of the font only the face is used (family, bold,
// italic): the label sets its own sizes so that all of it fits a small label.
struct CalibrationLabel
{
    QString printerName;
    int resolutionDpi = 0;
    QString paperText; // e.g. "57 x 32 mm"
    PrintFont font;
    std::shared_ptr<const PrintPicture> testBarcode;
};

// The crosshair's centre, from the top-left corner of the printable area.
inline constexpr double calibrationCrossXMm = 10.0, calibrationCrossYMm = 10.0;

// Where the test barcode's top-left corner (its quiet zone included) lies.
// Left of the crosshair's column, so that an EAN-13 at the 3-dot module of a
// 203 dpi printer (42.4 mm) still ends inside a 50 mm label.
inline constexpr double calibrationBarcodeXMm = 6.0, calibrationBarcodeYMm = 14.0;

// The JAN code of the test barcode.
inline constexpr char calibrationBarcodeValue[] = "4901234567894";

// The paper as the calibration label names it: width x height in the paper
// list's whole millimetres ("57 x 32 mm").
QString calibrationPaperText(int widthTwips, int heightTwips);

// The calibration label of the current printer as it is set now: its name,
// resolution and paper. The resolution is 0 when the printer has none.
CalibrationLabel calibrationLabelFor(const ActivePrinter& printer, const PrintFont& font,
                                     std::shared_ptr<const PrintPicture> testBarcode);

// Draws the calibration label as one print job on the canvas and ends it.
// Millimetre rulers along the top and left edges of the printable area (a
// tick every millimetre, longer every 5, numbered every 10), the crosshair
// at (calibrationCrossXMm, calibrationCrossYMm), the printer's name,
// resolution and paper, and the test barcode at its own size. Everything
// fits a 50 x 30 mm label; what falls beyond the printable area is cut. With
// the resolution known, every line is a whole number of dots wide and
// covers whole dots. A failure aborts the job and throws hakobee::Error.
void drawCalibrationLabel(PrinterCanvas& canvas, const CalibrationLabel& label);

} // namespace hakobee
