// Writes a picture of every screen of the program, one PNG per screen named
// after the screen, into the folder given on the command line. Each screen is
// created with its own settings root in a temporary folder, filled from the
// default copies beside this program.
//
//   hakobee-screenshots OUTDIR        (run with QT_QPA_PLATFORM=offscreen)
#include "datasource/databaseprovider.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "settings/settingsfiles.h"
#include "settings/settingsfolder.h"
#include "shell/form1.h"
#include "shell/form8.h"
#include "shell/frmmain.h"
#include "shell/screenhost.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

using namespace hakobee;

namespace {

// Answers every message box with OK without showing it.
class SilentMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(QWidget*, const Message&) override { return MessageAnswer::Ok; }
};

// The seams one screen is created with: restored default settings in a
// temporary root, the settings provider, a screen host.
class ScreenshotSession
{
public:
    ScreenshotSession() : settings(root.path()), databases(settings), screens(context)
    {
        settings.setDefaultCopyFolders({QCoreApplication::applicationDirPath()});
        resetSettingsFiles(settings);
        context.messages = &messages;
        context.screens = &screens;
        context.settings = &settings;
        context.databases = &databases;
    }

    QTemporaryDir root;
    SettingsFolder settings;
    StandardDatabaseProvider databases;
    SilentMessageBoxes messages;
    AppContext context;
    ScreenHost screens;
    std::unique_ptr<QWidget> owned; // a window the host does not own
};

struct Screenshot
{
    const char* name;
    // Creates and shows the screen; returns the window to grab.
    std::function<QWidget*(ScreenshotSession&)> show;
};

// One line per screen.
const Screenshot screenshots[] = {
    {"frmMain",
     [](ScreenshotSession& session) -> QWidget* {
         auto window = std::make_unique<frmMain>(session.context);
         window->show();
         window->load();
         session.owned = std::move(window);
         return session.owned.get();
     }},
    {"Form1",
     [](ScreenshotSession& session) -> QWidget* {
         return session.screens.open<Form1>();
     }},
    {"Form8",
     [](ScreenshotSession& session) -> QWidget* {
         session.owned = std::make_unique<Form8>();
         session.owned->show();
         return session.owned.get();
     }},
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    useJapaneseDefaultFont();
    if (argc != 2) {
        std::fprintf(stderr, "usage: hakobee-screenshots OUTDIR\n");
        return 2;
    }
    const QDir outDir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(outDir.path())) {
        std::fprintf(stderr, "hakobee-screenshots: cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const Screenshot& screenshot : screenshots) {
        ScreenshotSession session;
        QWidget* window = screenshot.show(session);
        const QString path = outDir.filePath(QString::fromLatin1(screenshot.name) + u".png"_qs);
        if (!window) {
            std::fprintf(stderr, "hakobee-screenshots: %s did not open\n", screenshot.name);
            ++failures;
            continue;
        }
        QApplication::processEvents();
        if (!window->grab().save(path)) {
            std::fprintf(stderr, "hakobee-screenshots: cannot write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
        window->close();
        QApplication::processEvents();
    }
    return failures == 0 ? 0 : 1;
}
