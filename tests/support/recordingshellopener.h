#pragma once

#include "core/shellopener.h"

#include <QList>
#include <QUrl>

namespace hakobee::test {

// Records every address handed to the shell instead of opening a browser,
// as a machine without a browser or a network would: nothing comes back.
class RecordingShellOpener : public ShellOpener
{
public:
    void openWebPage(const QUrl& address) override { opened.append(address); }

    QList<QUrl> opened;
};

} // namespace hakobee::test
