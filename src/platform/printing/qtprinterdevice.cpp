#include "platform/printing/qtprinterdevice.h"

#include "core/error.h"
#include "core/printer/papercodes.h"
#include "core/units.h"

#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

namespace hakobee {

namespace {

constexpr int userDefinedPaperSize = userDefinedPaperSizeCode;
// A resolution for a driver that names none: the common one of label and
// office printers.
constexpr int fallbackResolutionDpi = 300;
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
        throw Error(u"プリンタ「%1」が見つかりません。"_qs.arg(queue));
    const QString port = info.location().isEmpty() ? queue : info.location();
    std::unique_ptr<QtPrinterDevice> device(
        new QtPrinterDevice(queue, info.makeAndModel(), port, std::make_unique<CupsOutput>(queue)));
    PrinterCapabilities& capabilities = device->capabilities_;
    for (QPrinter::ColorMode mode : info.supportedColorModes())
        capabilities.colourModes.append(mode);
    capabilities.duplexModes = info.supportedDuplexModes();
    if (!device->describeFromDriver(queue)) {
        device->printer_.setPrinterName(queue);
        capabilities.pageSizes = info.supportedPageSizes();
        capabilities.customPageSizes = info.supportsCustomPageSizes();
        capabilities.resolutionsDpi = info.supportedResolutions();
    }
    device->printer_.setPaperSource(QPrinter::Auto);
    device->updateCanvas();
    return device;
}

std::unique_ptr<QtPrinterDevice> QtPrinterDevice::openPdfFolder(const QString& deviceName,
                                                                const QString& folder)
{
    std::unique_ptr<QtPrinterDevice> device(new QtPrinterDevice(
        deviceName, u"PDF"_qs, folder, std::make_unique<PdfFolderOutput>(folder)));
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
    throw Error(
        u"プリンタ「%1」には%2の設定がありません。"_qs.arg(deviceName_, printerSettingName(which)));
}

void QtPrinterDevice::rejected(PrinterSetting which, int value) const
{
    throw Error(u"プリンタ「%1」は%2の値 %3 を受け付けません。"_qs
                    .arg(deviceName_, printerSettingName(which))
                    .arg(value));
}

int QtPrinterDevice::setting(PrinterSetting which) const
{
    const QPageLayout layout = printer_.pageLayout();
    switch (which) {
    case PrinterSetting::PaperSize: {
        if (driver_ && !userDefinedSize_)
            return currentMedia_ >= 0 ? mediaCodes_[currentMedia_] : userDefinedPaperSize;
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
        updateCanvas();
        return;
    case PrinterSetting::PaperSource:
        setPaperSource(value);
        return;
    case PrinterSetting::PrintQuality:
        if (value <= 0 || (!capabilities_.resolutionsDpi.isEmpty() &&
                           !capabilities_.resolutionsDpi.contains(value)))
            rejected(which, value);
        printer_.setResolution(value);
        updateCanvas();
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
    if (driver_) {
        const qsizetype index = mediaCodes_.indexOf(code);
        if (code <= 0 || index < 0)
            rejected(PrinterSetting::PaperSize, code);
        useMedia(static_cast<int>(index));
        userDefinedSize_ = false;
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
    if (driver_) {
        for (qsizetype i = 0; i < mediaCodes_.size(); ++i) {
            if (mediaCodes_[i] <= 0)
                continue;
            const QSizeF sizeMm = mediaPageSize(static_cast<int>(i)).size(QPageSize::Millimeter);
            sizes.append({mediaCodes_[i], millimetresToTwips(sizeMm.width()),
                          millimetresToTwips(sizeMm.height()), driver_->media()[i].displayName});
        }
        if (capabilities_.customPageSizes)
            sizes.append({userDefinedPaperSize, setting(PrinterSetting::PageWidthTwips),
                          setting(PrinterSetting::PageHeightTwips), QString()});
        std::sort(sizes.begin(), sizes.end(),
                  [](const SupportedPaperSize& a, const SupportedPaperSize& b) {
                      return a.code < b.code;
                  });
        return sizes;
    }
    for (int code = 1; code <= highestPaperSizeCode; ++code) {
        if (code == userDefinedPaperSize) {
            if (capabilities_.customPageSizes)
                sizes.append({code, setting(PrinterSetting::PageWidthTwips),
                              setting(PrinterSetting::PageHeightTwips)});
            continue;
        }
        if (const std::optional<QPageSize> size = pageSizeForCode(code)) {
            const QSizeF mm = size->size(QPageSize::Millimeter);
            sizes.append({code, millimetresToTwips(mm.width()), millimetresToTwips(mm.height()),
                          size->name()});
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
    if (driver_) {
        // A size the driver names is asked for by its name, so the driver
        // takes its own margins and media settings for it.
        const int media = mediaOfSize(size.size(QPageSize::Point));
        if (media >= 0)
            useMedia(media);
        else if (!printer_.setPageSize(size))
            rejected(PrinterSetting::PageWidthTwips, widthTwips);
        currentMedia_ = media;
        userDefinedSize_ = true;
        updateCanvas();
        return;
    }
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

bool QtPrinterDevice::describeFromDriver(const QString& queue)
{
    driver_ = CupsQueuePpd::open(queue);
    if (!driver_ || driver_->media().isEmpty()) {
        driver_.reset();
        return false;
    }
    QList<OfferedPaper> papers;
    for (const QueueMedia& media : driver_->media())
        papers.append(media.paper);
    mediaCodes_ = paperSizeCodes(papers);
    capabilities_.customPageSizes = driver_->customSizes();
    capabilities_.resolutionsDpi = driver_->resolutionsDpi();
    // The printer is a page layout and a resolution to Qt; the job itself
    // is written here.
    printer_.setOutputFormat(QPrinter::PdfFormat);
    const int dpi = driver_->defaultResolutionDpi() > 0    ? driver_->defaultResolutionDpi()
                    : !driver_->resolutionsDpi().isEmpty() ? driver_->resolutionsDpi().first()
                                                           : fallbackResolutionDpi;
    printer_.setResolution(dpi);
    useMedia(std::max(driver_->defaultMediaIndex(), 0));
    return true;
}

void QtPrinterDevice::useMedia(int index)
{
    const QueueMedia& media = driver_->media()[index];
    const QSizeF sizePt(media.paper.widthPt, media.paper.heightPt);
    const QRectF printable = media.printableAreaPt;
    const QMarginsF marginsPt(printable.left(), printable.top(), sizePt.width() - printable.right(),
                              sizePt.height() - printable.bottom());
    const QPageLayout layout(mediaPageSize(index), printer_.pageLayout().orientation(), marginsPt,
                             QPageLayout::Point);
    if (!printer_.setPageLayout(layout))
        rejected(PrinterSetting::PaperSize, mediaCodes_[index]);
    currentMedia_ = index;
    updateCanvas();
}

QPageSize QtPrinterDevice::mediaPageSize(int index) const
{
    // A size with a Windows number is that standard size, as the number
    // says (A5 is 148 x 210 mm, where a PPD may round it to 421 x 595 pt);
    // the job still asks for it by the driver's name.
    const int code = mediaCodes_[index];
    const QPageSize::PageSizeId standard = QPageSize::id(code);
    if (code > 0 && code < firstDriverPaperSizeCode && standard != QPageSize::Custom)
        return QPageSize(standard);
    const QueueMedia& media = driver_->media()[index];
    return QPageSize(QSizeF(media.paper.widthPt, media.paper.heightPt), QPageSize::Point,
                     media.displayName, QPageSize::ExactMatch);
}

int QtPrinterDevice::mediaOfSize(QSizeF sizePt) const
{
    // Half a point: what twips and tenths of a millimetre keep of a size.
    constexpr double tolerancePt = 0.5;
    for (qsizetype i = 0; i < driver_->media().size(); ++i) {
        const OfferedPaper& paper = driver_->media()[i].paper;
        if (std::abs(paper.widthPt - sizePt.width()) <= tolerancePt &&
            std::abs(paper.heightPt - sizePt.height()) <= tolerancePt)
            return static_cast<int>(i);
    }
    return -1;
}

QString QtPrinterDevice::paperKey() const
{
    if (driver_)
        return currentMedia_ >= 0 ? driver_->media()[currentMedia_].paper.key : QString();
    return printer_.pageLayout().pageSize().key();
}

void QtPrinterDevice::setJobFormat(JobFormat format)
{
    jobFormat_ = format;
    updateCanvas();
}

void QtPrinterDevice::updateCanvas()
{
    canvas_.setPaperKey(paperKey());
    std::optional<cups_page_header2_t> raster;
    const bool portrait = printer_.pageLayout().orientation() == QPageLayout::Portrait;
    if (driver_ && driver_->takesCupsRaster() && jobFormat_ == JobFormat::DriversOwn && portrait)
        raster = driver_->rasterHeader(paperKey(), printer_.pageLayout().fullRectPoints().size(),
                                       printer_.resolution());
    canvas_.setRasterFormat(raster);
}

} // namespace hakobee
