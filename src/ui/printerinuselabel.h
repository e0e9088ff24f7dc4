#pragma once

class QLabel;
class QWidget;

namespace hakobee {

struct AppContext;

// The line a screen names the printer its labels go to in ("LabelPrinterName":
// "使用中のプリンター: ..."), from the remembered printer without opening the
// printer system when it is not open yet (rememberedprinter.h says what it
// names), in red while the remembered printer is missing. It follows every
// change of the remembered printer for as long as it lives.
QLabel* makePrinterInUseLabel(QWidget* parent, AppContext& context);

// Shows the printer in use again, after a change the remembered printer does
// not report (a context without one).
void showPrinterInUse(QLabel* label, AppContext& context);

} // namespace hakobee
