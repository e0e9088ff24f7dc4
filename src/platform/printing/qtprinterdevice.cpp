#include "platform/printing/qtprinterdevice.h"

#include "core/error.h"
#include "core/units.h"

#include <QPrinterInfo>

#include <cmath>

namespace hakobee {

namespace {

constexpr int userDefinedPaperSize = 256;
// The paper size codes a printer is asked about: the Windows numbers and the
// drivers' own numbers above 256 that the paper screen lists.
constexpr int highestPaperSizeCode = 1024;
// The largest page a DEVMODE record can carry: 32767 tenths of a millimetre.
constexpr double largestPageMm = 3276.7;

int millimetresToTwips(double mm)
{
    return static_cast<int>(std::lround(mm * twipsPerMillimetre));
}

double twipsToMillimetres(int twips)
{
    return twips / twipsPerMillimetre;
}

// Windows bin numbers (DMBIN_*) of Qt's paper sources.
struct PaperSourceCode
{
    QPrinter::PaperSource source;
    int code;
};
constexpr PaperSourceCode paperSourceCodes[] = {
    {QPrinter::OnlyOne, 1},      {QPrinter::Lower, 2},          {QPrinter::Middle, 3},
    {QPrinter::Manual, 4},       {QPrinter::Envelope, 5},       {QPrinter::EnvelopeManual, 6},
    {QPrinter::Auto, 7},         {QPrinter::Tractor, 8},        {QPrinter::SmallFormat, 9},
    {QPrinter::LargeFormat, 10}, {QPrinter::LargeCapacity, 11}, {QPrinter::Cassette, 14},
    {QPrinter::FormSource, 15},
};

int paperSourceCode(QPrinter::PaperSource source)
{
    for (const PaperSourceCode& entry : paperSourceCodes) {
        if (entry.source == source)
            return entry.code;
    }
    return 7; // a driver's own bin: automatic selection
}

} // namespace

QtPrinterDevice::QtPrinterDevice(QString deviceName, QString driverName, QString port,
                                 std::unique_ptr<PrintJobOutput> output)
    : deviceName_(std::move(deviceName)), driverName_(std::move(driverName)),
      port_(std::move(port)), output_(std::move(output))
{}

std::unique_ptr<QtPrinterDevice> QtPrinterDevice::openQueue(const QString& queue)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
    if (info.isNull())
        throw Error(QStringLiteral("プリンタ「%1」が見つかりません。").arg(queue));
    const QString port = info.location().isEmpty() ? queue : info.location();
    std::unique_ptr<QtPrinterDevice> device(
        new QtPrinterDevice(queue, info.makeAndModel(), port, std::make_unique<CupsOutput>(queue)));
    device->printer_.setPrinterName(queue);
    PrinterCapabilities& capabilities = device->capabilities_;
    capabilities.pageSizes = info.supportedPageSizes();
    capabilities.customPageSizes = info.supportsCustomPageSizes();
    capabilities.resolutionsDpi = info.supportedResolutions();
    for (QPrinter::ColorMode mode : info.supportedColorModes())
        capabilities.colourModes.append(mode);
    capabilities.duplexModes = info.supportedDuplexModes();
    device->printer_.setPaperSource(QPrinter::Auto);
    return device;
}

std::unique_ptr<QtPrinterDevice> QtPrinterDevice::openPdfFolder(const QString& deviceName,
                                                                const QString& folder)
{
    std::unique_ptr<QtPrinterDevice> device(new QtPrinterDevice(
        deviceName, QStringLiteral("PDF"), folder, std::make_unique<PdfFolderOutput>(folder)));
    QPrinter& printer = device->printer_;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    // The whole sheet is printable: a label uses it edge to edge.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    PrinterCapabilities& capabilities = device->capabilities_;
    capabilities.customPageSizes = true;
    capabilities.colourModes = {QPrinter::GrayScale, QPrinter::Color};
    capabilities.duplexModes = {QPrinter::DuplexNone};
    printer.setPaperSource(QPrinter::Auto);
    return device;
}

void QtPrinterDevice::unsupported(PrinterSetting which) const
{
    throw Error(QStringLiteral("プリンタ「%1」には%2の設定がありません。")
                    .arg(deviceName_, printerSettingName(which)));
}

void QtPrinterDevice::rejected(PrinterSetting which, int value) const
{
    throw Error(QStringLiteral("プリンタ「%1」は%2の値 %3 を受け付けません。")
                    .arg(deviceName_, printerSettingName(which))
                    .arg(value));
}

int QtPrinterDevice::setting(PrinterSetting which) const
{
    const QPageLayout layout = printer_.pageLayout();
    switch (which) {
    case PrinterSetting::PaperSize: {
        const int code = layout.pageSize().windowsId();
        // A size Windows has no number for is a user-defined one.
        return userDefinedSize_ || code <= 0 ? userDefinedPaperSize : code;
    }
    case PrinterSetting::PageWidthTwips:
        return millimetresToTwips(layout.pageSize().size(QPageSize::Millimeter).width());
    case PrinterSetting::PageHeightTwips:
        return millimetresToTwips(layout.pageSize().size(QPageSize::Millimeter).height());
    case PrinterSetting::Orientation:
        return layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    case PrinterSetting::PaperSource:
        return paperSourceCode(printer_.paperSource());
    case PrinterSetting::PrintQuality:
        return printer_.resolution();
    case PrinterSetting::ColourMode:
        return printer_.colorMode() == QPrinter::Color ? 2 : 1;
    case PrinterSetting::Duplex:
        switch (printer_.duplex()) {
        case QPrinter::DuplexNone:
            return 1;
        case QPrinter::DuplexLongSide:
            return 2;
        case QPrinter::DuplexShortSide:
            return 3;
        case QPrinter::DuplexAuto:
            return layout.orientation() == QPageLayout::Landscape ? 3 : 2;
        }
        return 1;
    case PrinterSetting::Scale:
        break;
    }
    unsupported(which);
}

void QtPrinterDevice::setSetting(PrinterSetting which, int value)
{
    switch (which) {
    case PrinterSetting::PaperSize:
        setPaperSize(value);
        return;
    case PrinterSetting::PageWidthTwips:
        setPageSizeTwips(value, setting(PrinterSetting::PageHeightTwips));
        return;
    case PrinterSetting::PageHeightTwips:
        setPageSizeTwips(setting(PrinterSetting::PageWidthTwips), value);
        return;
    case PrinterSetting::Orientation:
        if (value != 1 && value != 2)
            rejected(which, value);
        printer_.setPageOrientation(value == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
        return;
    case PrinterSetting::PaperSource:
        setPaperSource(value);
        return;
    case PrinterSetting::PrintQuality:
        if (value <= 0 || (!capabilities_.resolutionsDpi.isEmpty() &&
                           !capabilities_.resolutionsDpi.contains(value)))
            rejected(which, value);
        printer_.setResolution(value);
        return;
    case PrinterSetting::ColourMode: {
        const QPrinter::ColorMode mode = value == 2 ? QPrinter::Color : QPrinter::GrayScale;
        if ((value != 1 && value != 2) || !capabilities_.colourModes.contains(mode))
            rejected(which, value);
        printer_.setColorMode(mode);
        return;
    }
    case PrinterSetting::Duplex: {
        const QPrinter::DuplexMode mode = value == 2   ? QPrinter::DuplexLongSide
                                          : value == 3 ? QPrinter::DuplexShortSide
                                                       : QPrinter::DuplexNone;
        if (value < 1 || value > 3 || !capabilities_.duplexModes.contains(mode))
            rejected(which, value);
        printer_.setDuplex(mode);
        return;
    }
    case PrinterSetting::Scale:
        break;
    }
    unsupported(which);
}

std::optional<QPageSize> QtPrinterDevice::pageSizeForCode(int code) const
{
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (code <= 0 || code == userDefinedPaperSize || id == QPageSize::Custom)
        return std::nullopt;
    if (capabilities_.pageSizes.isEmpty())
        return QPageSize(id);
    for (const QPageSize& size : capabilities_.pageSizes) {
        if (size.id() == id)
            return size;
    }
    return std::nullopt;
}

void QtPrinterDevice::setPaperSize(int code)
{
    if (code == userDefinedPaperSize) {
        if (!capabilities_.customPageSizes)
            rejected(PrinterSetting::PaperSize, code);
        userDefinedSize_ = true;
        return;
    }
    if (!pageSizeForCode(code) || !printer_.setPageSize(QPageSize(QPageSize::id(code))))
        rejected(PrinterSetting::PaperSize, code);
    userDefinedSize_ = false;
}

QList<SupportedPaperSize> QtPrinterDevice::supportedPaperSizes() const
{
    // Worked out from the sizes the printer reported when it was opened: the
    // same codes setPaperSize() accepts, without setting any of them. A queue
    // may report one size twice (under two names); each code comes once.
    QList<SupportedPaperSize> sizes;
    for (int code = 1; code <= highestPaperSizeCode; ++code) {
        if (code == userDefinedPaperSize) {
            if (capabilities_.customPageSizes)
                sizes.append({code, setting(PrinterSetting::PageWidthTwips),
                              setting(PrinterSetting::PageHeightTwips)});
            continue;
        }
        if (const std::optional<QPageSize> size = pageSizeForCode(code)) {
            const QSizeF mm = size->size(QPageSize::Millimeter);
            sizes.append({code, millimetresToTwips(mm.width()), millimetresToTwips(mm.height())});
        }
    }
    return sizes;
}

void QtPrinterDevice::setPageSizeTwips(int widthTwips, int heightTwips)
{
    const QSizeF sizeMm(twipsToMillimetres(widthTwips), twipsToMillimetres(heightTwips));
    const bool inRange = sizeMm.width() >= 1 && sizeMm.height() >= 1 &&
                         sizeMm.width() <= largestPageMm && sizeMm.height() <= largestPageMm;
    if (!capabilities_.customPageSizes || !inRange) {
        const bool widthWrong = sizeMm.width() < 1 || sizeMm.width() > largestPageMm;
        rejected(widthWrong ? PrinterSetting::PageWidthTwips : PrinterSetting::PageHeightTwips,
                 widthWrong ? widthTwips : heightTwips);
    }
    const QPageSize size(sizeMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    if (!printer_.setPageSize(size))
        rejected(PrinterSetting::PageWidthTwips, widthTwips);
    userDefinedSize_ = true;
}

void QtPrinterDevice::setPaperSource(int code)
{
    for (const PaperSourceCode& entry : paperSourceCodes) {
        if (entry.code != code)
            continue;
        if (!capabilities_.paperSources.contains(entry.source))
            break;
        printer_.setPaperSource(entry.source);
        return;
    }
    rejected(PrinterSetting::PaperSource, code);
}

} // namespace hakobee
