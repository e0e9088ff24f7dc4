#pragma once

#include "core/shellopener.h"

#include <QList>
#include <QUrl>

namespace hakobee::test {

// Records every address handed to the shell instead of opening a browser.
// By default the shell says it started one; with browserStarts false it
// says none could be started, as a machine without a browser would.
class RecordingShellOpener : public ShellOpener
{
public:
    bool openWebPage(const QUrl& address) override
    {
        opened.append(address);
        return browserStarts;
    }

    QList<QUrl> opened;
    bool browserStarts = true;
};

} // namespace hakobee::test
