#include "platform/desktop/desktopshellopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace hakobee {

void DesktopShellOpener::openWebPage(const QUrl& address)
{
    // The outcome is deliberately ignored: with no browser or no network
    // the operator sees no page, and the screen that asked stays open.
    QDesktopServices::openUrl(address);
}

} // namespace hakobee
