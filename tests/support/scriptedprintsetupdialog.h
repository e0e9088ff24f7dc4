#pragma once

#include "core/printer/devmode.h"
#include "core/printer/printsetupdialog.h"

#include <functional>

namespace hakobee::test {

// Records what the print-setup dialog was given and answers with a
// scripted choice: confirmed (after `choose` changed the records) or cancelled.
class ScriptedPrintSetupDialog : public PrintSetupDialog
{
public:
    bool exec(quint32 flags, QWidget*, QByteArray& devMode, QByteArray& devNames) override
    {
        ++shown;
        givenFlags = flags;
        givenDevMode = devMode;
        givenDevNames = devNames;
        if (!confirm)
            return false;
        DevMode mode = DevMode::fromBytes(devMode);
        DevNames names = DevNames::fromBytes(devNames);
        if (choose)
            choose(mode, names);
        devMode = mode.toBytes();
        devNames = names.toBytes();
        return true;
    }

    bool confirm = true;
    std::function<void(DevMode&, DevNames&)> choose;
    int shown = 0;
    quint32 givenFlags = 0;
    QByteArray givenDevMode;
    QByteArray givenDevNames;
};

} // namespace hakobee::test
