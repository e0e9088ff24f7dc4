#pragma once

#include "core/datasource/databaseprovider.h"
#include "platform/access/accessdatabase.h"
#include "support/recordingmessageboxes.h"
#include "support/recordingshellopener.h"
#include "support/settingsfixture.h"
#include "ui/appcontext.h"
#include "ui/screenhost.h"

namespace hakobee::test {

// The seams a screen needs, over a temporary settings root: recorded message
// boxes and web pages, the settings provider and a screen host.
class ShellFixture
{
public:
    ShellFixture() : databases(settings.folder, openAccessDatabase), screens(context)
    {
        context.messages = &messages;
        context.screens = &screens;
        context.settings = &settings.folder;
        context.databases = &databases;
        context.shell = &shell;
    }

    SettingsFixture settings;
    RecordingMessageBoxes messages;
    RecordingShellOpener shell;
    StandardDatabaseProvider databases;
    AppContext context;
    ScreenHost screens;
};

} // namespace hakobee::test
