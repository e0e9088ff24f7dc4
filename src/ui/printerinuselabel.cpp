#include "ui/printerinuselabel.h"

#include "core/error.h"
#include "core/printer/activeprinter.h"
#include "core/printer/rememberedprinter.h"
#include "ui/appcontext.h"
#include "ui/controls.h"

#include <QLabel>
#include <QPalette>

namespace hakobee {

namespace {

QString printerInUse(const AppContext& context)
{
    if (!context.printer)
        return {};
    try {
        if (context.rememberedPrinter)
            return context.rememberedPrinter->inUseText(*context.printer);
        return context.printer->isOpen() ? context.printer->deviceName()
                                         : context.printer->defaultPrinterName();
    } catch (const Error& error) {
        return error.description(); // no printer at all
    }
}

} // namespace

QLabel* makePrinterInUseLabel(QWidget* parent, AppContext& context)
{
    QLabel* label = controls::label(parent, u"LabelPrinterName"_qs);
    label->setWordWrap(true);
    showPrinterInUse(label, context);
    if (context.rememberedPrinter)
        QObject::connect(context.rememberedPrinter, &RememberedPrinter::changed, label,
                         [label, &context] { showPrinterInUse(label, context); });
    return label;
}

void showPrinterInUse(QLabel* label, AppContext& context)
{
    label->setText(u"使用中のプリンター: %1"_qs.arg(printerInUse(context)));
    if (context.rememberedPrinter && context.rememberedPrinter->isMissing())
        controls::setTextColour(label, Qt::red);
    else
        label->setPalette(QPalette()); // the screen's own colours again
}

} // namespace hakobee
