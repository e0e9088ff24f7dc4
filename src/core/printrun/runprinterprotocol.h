#pragma once

class QWidget;

namespace hakobee {

class PrinterSetup;

// The printer calls a run makes when its connection type is "1": at the
// start, go back to the remembered printer, let the operator choose in the
// print-setup dialog and remember the choice; before every record, go back
// to it and remember it again.
class RunPrinterProtocol
{
public:
    virtual ~RunPrinterProtocol() = default;
    virtual bool restorePrinterState() = 0;
    // True when the operator confirmed a printer.
    virtual bool showPrinterSetup() = 0;
    virtual void savePrinterState() = 0;
};

// The protocol on the process's printer setup, the dialog owned by the run's
// window.
class PrinterSetupProtocol : public RunPrinterProtocol
{
public:
    PrinterSetupProtocol(PrinterSetup& setup, QWidget* owner) : setup_(setup), owner_(owner) {}

    bool restorePrinterState() override;
    bool showPrinterSetup() override;
    void savePrinterState() override;

private:
    PrinterSetup& setup_;
    QWidget* owner_;
};

} // namespace hakobee
