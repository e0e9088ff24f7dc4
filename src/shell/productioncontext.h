#pragma once

#include "datasource/databaseprovider.h"
#include "platform/filedialogs.h"
#include "platform/messageboxes.h"
#include "settings/settingsfolder.h"
#include "shell/appcontext.h"
#include "shell/screenhost.h"

#include <QString>

namespace hakobee {

// The production implementations of the seams, owned in one place and handed
// to the screens as an AppContext. The program and the start-up benchmark
// both put the program together through it.
class ProductionContext
{
public:
    explicit ProductionContext(const QString& settingsRoot);

    ProductionContext(const ProductionContext&) = delete;
    ProductionContext& operator=(const ProductionContext&) = delete;

    AppContext& context() { return context_; }
    ScreenHost& screens() { return screens_; }

private:
    SettingsFolder settings_;
    StandardDatabaseProvider databases_;
    QtMessageBoxes messages_;
    QtFileDialogs fileDialogs_;
    AppContext context_;
    ScreenHost screens_;
};

} // namespace hakobee
