// Time from the program's entry to the main window painted with the main
// menu loaded inside it, over a settings folder restored from the default
// copies beside this program. Prints key=value figures.
//
//   QT_QPA_PLATFORM=offscreen build/default/hakobee-bench-startup
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsfolder.h"
#include "platform/desktop/fonts.h"
#include "ui/productioncontext.h"
#include "ui/screens/mainmenuscreen.h"
#include "ui/screens/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace hakobee;

int main(int argc, char* argv[])
{
    QElapsedTimer sinceEntry;
    sinceEntry.start();

    // The settings folder is prepared outside the timed span.
    QTemporaryDir root;
    {
        SettingsFolder prepared(root.path());
        prepared.setDefaultCopyFolders({QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath()});
        if (!resetSettingsFiles(prepared).complete()) {
            std::fprintf(stderr, "bench-startup: default settings files not found\n");
            return 1;
        }
    }
    const qint64 preparationNs = sinceEntry.nsecsElapsed();

    QApplication app(argc, argv);
    useJapaneseDefaultFont();
    ProductionContext production(ProductionOptions::installedProgram(root.path()));

    MainWindow window(production.context());
    window.show();
    window.load();
    QApplication::processEvents();
    const QPixmap painted = window.grab(); // forces a full paint of the window and the menu
    const double startupMs = double(sinceEntry.nsecsElapsed() - preparationNs) / 1e6;

    const bool loaded = production.screens().find<MainMenuScreen>() &&
                        production.screens().find<MainMenuScreen>()->isVisible() &&
                        !painted.isNull();
    std::printf("startup_ms=%.1f\n", startupMs);
    std::printf("startup_target_ms=500\n");
    std::printf("startup_ratio_to_target=%.3f\n", startupMs / 500.0);
    std::printf("main_menu_loaded=%d\n", loaded ? 1 : 0);
    return loaded ? 0 : 1;
}
