#pragma once

#include "platform/desktop/desktopshellopener.h"
#include "production/productionparts.h"
#include "ui/appcontext.h"
#include "ui/screenhost.h"
#include "ui/screenlabelprogress.h"

namespace hakobee {

// The window's seams: the program's parts (production/productionparts.h)
// with what only the window has on top of them, the screen host, the
// progress screen shown while a label is drawn and the browser, handed to
// the screens as an AppContext. The program, the start-up benchmark and the
// screenshot tool put the window together through it.
class ProductionContext
{
public:
    explicit ProductionContext(const ProductionOptions& options);

    ProductionContext(const ProductionContext&) = delete;
    ProductionContext& operator=(const ProductionContext&) = delete;

    AppContext& context() { return context_; }
    ScreenHost& screens() { return screens_; }
    ProductionParts& parts() { return parts_; }

private:
    // First made, last gone: the screens and the progress screen go while
    // the parts they use are still there. The parts' label pipeline keeps
    // the progress screen's reference and uses it only to draw a label.
    ProductionParts parts_;
    AppContext context_;
    ScreenHost screens_;
    ScreenLabelProgress labelProgress_;
    DesktopShellOpener shell_;
};

} // namespace hakobee
