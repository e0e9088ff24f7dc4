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

// The protocol where no dialog can be shown (printing from the command
// line): the printer current when the run starts counts as the operator's
// choice, and is remembered and gone back to as the dialog's would be.
class UnattendedPrinterProtocol : public RunPrinterProtocol
{
public:
    explicit UnattendedPrinterProtocol(PrinterSetup& setup) : setup_(setup) {}

    // Nothing to go back to before the first choice is remembered.
    bool restorePrinterState() override;
    bool showPrinterSetup() override { return true; }
    void savePrinterState() override;

private:
    PrinterSetup& setup_;
    bool saved_ = false;
};

} // namespace hakobee
