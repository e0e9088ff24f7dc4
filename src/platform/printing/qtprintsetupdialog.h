#pragma once

#include "core/printer/printsetupdialog.h"

namespace hakobee {

// Qt's print dialog in the form of a print setup: printer, paper, orientation
// and the printer's options, no page ranges or selection. It translates the
// records to a QPrinter and back, so the same records travel on every
// platform.
class QtPrintSetupDialog : public PrintSetupDialog
{
public:
    bool exec(quint32 flags, QWidget* owner, QByteArray& devMode, QByteArray& devNames) override;
};

} // namespace hakobee
