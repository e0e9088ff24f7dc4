#include "core/printrun/runprinterprotocol.h"

#include "core/printer/printersetup.h"

namespace hakobee {

bool PrinterSetupProtocol::restorePrinterState()
{
    return setup_.RestorePrinterState();
}

bool PrinterSetupProtocol::showPrinterSetup()
{
    return setup_.ShowPrinterSetup(PrinterSetup::printSetupFlag, owner_);
}

void PrinterSetupProtocol::savePrinterState()
{
    setup_.SavePrinterState();
}

bool UnattendedPrinterProtocol::restorePrinterState()
{
    return saved_ ? setup_.RestorePrinterState() : true;
}

void UnattendedPrinterProtocol::savePrinterState()
{
    setup_.SavePrinterState();
    saved_ = true;
}

} // namespace hakobee
