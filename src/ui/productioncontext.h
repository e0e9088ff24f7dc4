#pragma once

#include "core/datasource/databaseprovider.h"
#include "core/settings/settingsfolder.h"
#include "platform/desktop/qtfiledialogs.h"
#include "platform/desktop/qtmessageboxes.h"
#include "ui/appcontext.h"
#include "ui/screenhost.h"

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
