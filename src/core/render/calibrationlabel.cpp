#include "core/render/calibrationlabel.h"

#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/paperlist.h"
#include "core/printer/scopedprintjob.h"

#include <algorithm>
#include <cmath>

namespace hakobee {

namespace {

constexpr double millimetresPerInch = 25.4;

// Tick lengths, from the edge inwards.
constexpr double tickMm = 1.0;
constexpr double fifthTickMm = 2.0;
constexpr double tenthTickMm = 3.0;
// Each arm of the crosshair, from its centre. It stays clear of the rulers'
// ticks and numbers and of the barcode below it.
constexpr double crossArmMm = 3.0;
// The line width aimed at: thin enough to read a position to a tenth of a
// millimetre, at least one dot.
constexpr double lineWidthMm = 0.15;

// A ruler's number sits beside its tick, clear of the shorter ticks next to
// it; a number that would not fit whole on the printable area is left out.
constexpr double rulerNumberFromTickMm = 0.4;
constexpr double rulerNumberFromEdgeMm = 1.2;
constexpr double rulerNumberPointSize = 5.0;

// The printer's details: right of the crosshair, below the top ruler's
// numbers, above the barcode.
constexpr double detailsXMm = calibrationCrossXMm + 5.0;
constexpr double detailsTopMm = 4.0;
constexpr double detailsPointSize = 6.0;

// The printer's dot grid, where lines are placed so that each covers whole
// dots: a line of one dot drawn across two half-dots prints as two grey dots
// or as a line a dot off, whichever way the driver rounds.
class DotGrid
{
public:
    explicit DotGrid(int resolutionDpi)
        : dotsPerMm_(resolutionDpi > 0 ? resolutionDpi / millimetresPerInch : 0)
    {}

    // The odd number of dots nearest the aimed-at line width, so that a line
    // has a middle dot to be centred on.
    int lineWidthDots() const
    {
        if (dotsPerMm_ <= 0)
            return 1;
        const long halfBeyondMiddle = std::lround((lineWidthMm * dotsPerMm_ - 1) / 2);
        return std::max(1, int(2 * halfBeyondMiddle + 1));
    }

    // The centre nearest the position for a line of that width whose edges
    // fall between dots.
    double lineCentreMm(double mm, int widthDots) const
    {
        if (dotsPerMm_ <= 0)
            return mm;
        const double leftEdgeDots = std::round(mm * dotsPerMm_ - widthDots / 2.0);
        return (leftEdgeDots + widthDots / 2.0) / dotsPerMm_;
    }

private:
    double dotsPerMm_;
};

double tickLengthMm(int mm)
{
    if (mm % 10 == 0)
        return tenthTickMm;
    return mm % 5 == 0 ? fifthTickMm : tickMm;
}

// The whole millimetres a ruler along that length reaches.
int wholeMillimetres(double lengthMm)
{
    // A printable width of 49.9999 mm still ends at its 50 mm tick.
    return int(std::floor(lengthMm + 1e-6));
}

PrintFont sized(const PrintFont& face, double pointSize)
{
    PrintFont font = face;
    font.pointSize = pointSize;
    return font;
}

void drawRulers(PrinterCanvas& canvas, const DotGrid& grid, const PrintFont& face)
{
    const int widthDots = grid.lineWidthDots();
    const QSizeF printable = canvas.printableSizeMm();
    canvas.setFont(sized(face, rulerNumberPointSize));
    for (int mm = 0; mm <= wholeMillimetres(printable.width()); ++mm) {
        const double xMm = grid.lineCentreMm(mm, widthDots);
        canvas.drawLine({xMm, 0}, {xMm, tickLengthMm(mm)}, widthDots, Qt::black);
        const QString number = QString::number(mm);
        if (mm > 0 && mm % 10 == 0 &&
            mm + rulerNumberFromTickMm + canvas.textSizeMm(number).width() <= printable.width())
            canvas.drawText({mm + rulerNumberFromTickMm, rulerNumberFromEdgeMm}, number);
    }
    for (int mm = 0; mm <= wholeMillimetres(printable.height()); ++mm) {
        const double yMm = grid.lineCentreMm(mm, widthDots);
        canvas.drawLine({0, yMm}, {tickLengthMm(mm), yMm}, widthDots, Qt::black);
        const QString number = QString::number(mm);
        if (mm > 0 && mm % 10 == 0 &&
            mm + rulerNumberFromTickMm + canvas.textSizeMm(number).height() <= printable.height())
            canvas.drawText({rulerNumberFromEdgeMm, mm + rulerNumberFromTickMm}, number);
    }
}

void drawCrosshair(PrinterCanvas& canvas, const DotGrid& grid)
{
    const int widthDots = grid.lineWidthDots();
    const double xMm = grid.lineCentreMm(calibrationCrossXMm, widthDots);
    const double yMm = grid.lineCentreMm(calibrationCrossYMm, widthDots);
    canvas.drawLine({xMm - crossArmMm, yMm}, {xMm + crossArmMm, yMm}, widthDots, Qt::black);
    canvas.drawLine({xMm, yMm - crossArmMm}, {xMm, yMm + crossArmMm}, widthDots, Qt::black);
}

void drawDetails(PrinterCanvas& canvas, const CalibrationLabel& label)
{
    canvas.setFont(sized(label.font, detailsPointSize));
    const QString resolution =
        label.resolutionDpi > 0 ? u"解像度 %1 dpi"_qs.arg(label.resolutionDpi) : u"解像度 不明"_qs;
    const double lineHeightMm = canvas.textSizeMm(u"0"_qs).height();
    double yMm = detailsTopMm;
    for (const QString& line : {label.printerName, resolution, u"用紙 "_qs + label.paperText}) {
        canvas.drawText({detailsXMm, yMm}, line);
        yMm += lineHeightMm;
    }
}

} // namespace

QString calibrationPaperText(int widthTwips, int heightTwips)
{
    return u"%1 x %2 mm"_qs.arg(paperListMillimetres(widthTwips))
        .arg(paperListMillimetres(heightTwips));
}

CalibrationLabel calibrationLabelFor(const ActivePrinter& printer, const PrintFont& font,
                                     std::shared_ptr<const PrintPicture> testBarcode)
{
    CalibrationLabel label;
    label.printerName = printer.deviceName();
    try {
        label.resolutionDpi = printer.setting(PrinterSetting::PrintQuality);
    } catch (const Error&) {
        // A printer that keeps its resolution to itself prints the label
        // all the same, its lines then a dot wide wherever they fall.
        label.resolutionDpi = 0;
    }
    label.paperText = calibrationPaperText(printer.pageWidthTwips(), printer.pageHeightTwips());
    label.font = font;
    label.testBarcode = std::move(testBarcode);
    return label;
}

void drawCalibrationLabel(PrinterCanvas& canvas, const CalibrationLabel& label)
{
    const DotGrid grid(label.resolutionDpi);
    ScopedPrintJob job(canvas);
    drawRulers(canvas, grid, label.font);
    drawCrosshair(canvas, grid);
    drawDetails(canvas, label);
    if (label.testBarcode)
        canvas.drawPicture({calibrationBarcodeXMm, calibrationBarcodeYMm}, *label.testBarcode);
    job.end();
}

} // namespace hakobee
