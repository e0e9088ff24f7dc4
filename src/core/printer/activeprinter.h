#pragma once

#include "core/printer/printerbackend.h"
#include "core/printer/printercanvas.h"

#include <functional>
#include <memory>

namespace hakobee {

// The one printer all printed output of the process goes to. It starts as
// the system's default printer (the first installed printer when there is no
// default) and changes only through makeCurrent(). Settings are read and
// written on the printer itself; failures throw hakobee::Error.
class ActivePrinter
{
public:
    enum class Opening
    {
        Now,       // the default printer is opened by the constructor
        OnFirstUse // ... by the first call that needs it (the program's
                   // start-up does not wait for the printer system)
    };

    // Throws hakobee::Error when the backend lists no printer at all: from
    // the constructor, or with Opening::OnFirstUse from the first call that
    // needs the printer.
    explicit ActivePrinter(PrinterBackend& backend, Opening opening = Opening::Now);
    ~ActivePrinter();
    ActivePrinter(const ActivePrinter&) = delete;
    ActivePrinter& operator=(const ActivePrinter&) = delete;

    QStringList installedPrinters() const { return backend_.printerNames(); }

    // The printer current() opens when nothing else was made current: the
    // system's default, or the first installed printer when there is none.
    // Asks the backend without opening any printer.
    QString defaultPrinterName() const;

    // Whether a printer is open yet (with Opening::OnFirstUse, not before
    // the first call that needs one).
    bool isOpen() const { return device_ != nullptr; }

    // Runs `step` once, at the first call that needs a printer, before the
    // default printer would be opened: the step may make another printer
    // current (the one the program remembers) and set its settings. When it
    // leaves none current, the default is opened after it. A printer that is
    // already open runs the step at once; a printer made current before
    // the first use never runs it.
    void setFirstUseStep(std::function<void(ActivePrinter&)> step);

    // Makes the first installed printer whose upper-cased name equals the
    // upper-cased given name current. Returns false, changing nothing, when
    // none matches. The current printer matched again keeps its settings.
    // Before the first use it opens only the printer asked for.
    bool makeCurrent(const QString& deviceName);

    QString deviceName() const { return current().deviceName(); }
    QString driverName() const { return current().driverName(); }
    QString port() const { return current().port(); }

    int setting(PrinterSetting which) const { return current().setting(which); }
    void setSetting(PrinterSetting which, int value) { current().setSetting(which, value); }

    int paperSizeCode() const { return setting(PrinterSetting::PaperSize); }
    void setPaperSizeCode(int code) { setSetting(PrinterSetting::PaperSize, code); }
    int pageWidthTwips() const { return setting(PrinterSetting::PageWidthTwips); }
    void setPageWidthTwips(int twips) { setSetting(PrinterSetting::PageWidthTwips, twips); }
    int pageHeightTwips() const { return setting(PrinterSetting::PageHeightTwips); }
    void setPageHeightTwips(int twips) { setSetting(PrinterSetting::PageHeightTwips, twips); }
    int orientation() const { return setting(PrinterSetting::Orientation); }
    void setOrientation(int code) { setSetting(PrinterSetting::Orientation, code); }
    int paperSource() const { return setting(PrinterSetting::PaperSource); }
    void setPaperSource(int code) { setSetting(PrinterSetting::PaperSource, code); }

    QList<SupportedPaperSize> supportedPaperSizes() const
    {
        return current().supportedPaperSizes();
    }

    // The current printer itself, for what only its backend offers.
    PrinterDevice& device() { return current(); }

    // Drawing on whichever printer is current when a job starts. The same
    // object for the life of the ActivePrinter; changing the current printer
    // while a job is open discards that job.
    PrinterCanvas& canvas() { return canvas_; }

private:
    // Forwards every call to the current printer's own canvas.
    class CurrentCanvas : public PrinterCanvas
    {
    public:
        explicit CurrentCanvas(ActivePrinter& owner) : owner_(owner) {}
        void setFont(const PrintFont& font) override { target().setFont(font); }
        PrintFont font() const override { return target().font(); }
        QSizeF printableSizeMm() const override { return target().printableSizeMm(); }
        QSizeF textSizeMm(const QString& text) const override { return target().textSizeMm(text); }
        void drawText(QPointF topLeftMm, const QString& text) override
        {
            target().drawText(topLeftMm, text);
        }
        void drawLine(QPointF fromMm, QPointF toMm, int widthDots, const QColor& colour) override
        {
            target().drawLine(fromMm, toMm, widthDots, colour);
        }
        void drawPicture(QPointF topLeftMm, const PrintPicture& picture) override
        {
            target().drawPicture(topLeftMm, picture);
        }
        void newPage() override { target().newPage(); }
        void endDocument() override { target().endDocument(); }
        void abortDocument() override { target().abortDocument(); }
        bool setJobCopies(int copies) override { return target().setJobCopies(copies); }

    private:
        PrinterCanvas& target() const { return owner_.current().canvas(); }
        ActivePrinter& owner_;
    };

    // The current printer, opening the default one when none is open yet.
    PrinterDevice& current() const;

    PrinterBackend& backend_;
    mutable std::unique_ptr<PrinterDevice> device_;
    mutable std::function<void(ActivePrinter&)> firstUseStep_;
    CurrentCanvas canvas_{*this};
};

} // namespace hakobee
