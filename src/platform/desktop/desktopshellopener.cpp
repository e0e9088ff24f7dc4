#include "platform/desktop/desktopshellopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace hakobee {

bool DesktopShellOpener::openWebPage(const QUrl& address)
{
    // False when the desktop has no way to open it (no xdg-open, no
    // platform service, as on a display without a desktop); a browser that
    // starts and then finds no network is beyond what can be known here.
    return QDesktopServices::openUrl(address);
}

} // namespace hakobee
