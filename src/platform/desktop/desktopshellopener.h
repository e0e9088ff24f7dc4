#pragma once

#include "core/shellopener.h"

namespace hakobee {

// Opens addresses with the desktop's default browser (QDesktopServices).
class DesktopShellOpener : public ShellOpener
{
public:
    bool openWebPage(const QUrl& address) override;
};

} // namespace hakobee
