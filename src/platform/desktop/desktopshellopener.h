#pragma once

#include "core/shellopener.h"

namespace hakobee {

// Opens web addresses with the desktop's default browser (QDesktopServices).
class DesktopShellOpener : public ShellOpener
{
public:
    void openWebPage(const QUrl& address) override;
};

} // namespace hakobee
