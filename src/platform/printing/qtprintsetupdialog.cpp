#include "platform/printing/qtprintsetupdialog.h"

#include "core/printer/devmode.h"
#include "platform/printing/dialogpaperkeeper.h"
#include "platform/printing/qtprinterbackend.h"

#include <QDir>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace hakobee {

namespace {

// PrintDlg flags that change what the dialog offers.
constexpr quint32 noSelectionFlag = 0x4;          // PD_NOSELECTION
constexpr quint32 noPageNumbersFlag = 0x8;        // PD_NOPAGENUMS
constexpr quint32 hidePrintToFileFlag = 0x100000; // PD_HIDEPRINTTOFILE
constexpr quint32 printSetupFlag = 0x40;          // PD_PRINTSETUP

// The paper the records name; empty when they name none Qt knows.
std::optional<QPageSize> paperOf(const DevMode& mode)
{
    if (!(mode.fields & DevMode::paperSizeFlag))
        return std::nullopt;
    if (mode.paperSize == DevMode::userDefinedPaperSize) {
        if (mode.paperWidth <= 0 || mode.paperLength <= 0)
            return std::nullopt;
        return QPageSize(QSizeF(mode.paperWidth / 10.0, mode.paperLength / 10.0),
                         QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }
    if (QPageSize::id(mode.paperSize) == QPageSize::Custom)
        return std::nullopt;
    return QPageSize(QPageSize::id(mode.paperSize));
}

void storePaper(const QPageSize& pageSize, DevMode& mode)
{
    const QSizeF sizeMm = pageSize.size(QPageSize::Millimeter);
    const int code = pageSize.windowsId();
    mode.fields |= DevMode::paperSizeFlag;
    if (pageSize.id() == QPageSize::Custom || code <= 0) {
        mode.fields |= DevMode::paperWidthFlag | DevMode::paperLengthFlag;
        mode.paperSize = DevMode::userDefinedPaperSize;
        mode.paperWidth = static_cast<qint16>(qRound(sizeMm.width() * 10));
        mode.paperLength = static_cast<qint16>(qRound(sizeMm.height() * 10));
    } else {
        mode.fields &= ~(DevMode::paperWidthFlag | DevMode::paperLengthFlag);
        mode.paperSize = static_cast<qint16>(code);
        mode.paperWidth = 0;
        mode.paperLength = 0;
    }
}

void loadPrinter(QPrinter& printer, const DevMode& mode, const DevNames& names)
{
    if (!QPrinterInfo::printerInfo(names.device).isNull())
        printer.setPrinterName(names.device);
    else if (names.device == QtPrinterBackend::pdfFolderPrinterName()) // shows its folder
        printer.setOutputFileName(QDir(names.port).filePath(u"label.pdf"_qs));
    else
        printer.setOutputFormat(QPrinter::PdfFormat);

    if (const std::optional<QPageSize> paper = paperOf(mode))
        printer.setPageSize(*paper);
    if (mode.fields & DevMode::orientationFlag)
        printer.setPageOrientation(mode.orientation == 2 ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait);
    if (mode.fields & DevMode::colorFlag)
        printer.setColorMode(mode.color == 2 ? QPrinter::Color : QPrinter::GrayScale);
    if (mode.fields & DevMode::duplexFlag)
        printer.setDuplex(mode.duplex == 2   ? QPrinter::DuplexLongSide
                          : mode.duplex == 3 ? QPrinter::DuplexShortSide
                                             : QPrinter::DuplexNone);
    if ((mode.fields & DevMode::printQualityFlag) && mode.printQuality > 0)
        printer.setResolution(mode.printQuality);
}

void storePrinter(const QPrinter& printer, DevMode& mode, DevNames& names)
{
    if (!printer.printerName().isEmpty()) {
        const QPrinterInfo info(printer);
        names.device = printer.printerName();
        names.driver = info.makeAndModel();
        names.port = info.location().isEmpty() ? names.device : info.location();
        mode.setDeviceName(names.device);
    }

    storePaper(printer.pageLayout().pageSize(), mode);
    mode.fields |= DevMode::orientationFlag | DevMode::colorFlag | DevMode::duplexFlag |
                   DevMode::printQualityFlag;
    mode.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    mode.color = printer.colorMode() == QPrinter::Color ? 2 : 1;
    switch (printer.duplex()) {
    case QPrinter::DuplexLongSide:
        mode.duplex = 2;
        break;
    case QPrinter::DuplexShortSide:
        mode.duplex = 3;
        break;
    case QPrinter::DuplexAuto:
        mode.duplex = mode.orientation == 2 ? 3 : 2;
        break;
    case QPrinter::DuplexNone:
        mode.duplex = 1;
        break;
    }
    mode.printQuality = static_cast<qint16>(printer.resolution());
}

} // namespace

bool QtPrintSetupDialog::exec(quint32 flags, QWidget* owner, QByteArray& devMode,
                              QByteArray& devNames)
{
    DevMode mode = DevMode::fromBytes(devMode);
    DevNames names = DevNames::fromBytes(devNames);
    QPrinter printer(QPrinter::HighResolution);
    loadPrinter(printer, mode, names);

    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(u"プリンタの設定"_qs);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize;
    if (!(flags & hidePrintToFileFlag))
        options |= QAbstractPrintDialog::PrintToFile;
    if (!(flags & noSelectionFlag))
        options |= QAbstractPrintDialog::PrintSelection;
    if (!(flags & noPageNumbersFlag))
        options |= QAbstractPrintDialog::PrintPageRange;
    // A print setup chooses the printer and its paper, not what to print.
    if (flags & printSetupFlag)
        options &= ~(QAbstractPrintDialog::PrintSelection | QAbstractPrintDialog::PrintPageRange);
    dialog.setOptions(options);
    const DialogPaperKeeper keeper(dialog, paperOf(mode));
    if (dialog.exec() != QDialog::Accepted)
        return false;

    storePrinter(printer, mode, names);
    if (keeper.paper())
        storePaper(*keeper.paper(), mode);
    devMode = mode.toBytes();
    devNames = names.toBytes();
    return true;
}

} // namespace hakobee
