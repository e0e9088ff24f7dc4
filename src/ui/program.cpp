#include "ui/program.h"

#include "core/settings/settingsfolder.h"
#include "platform/desktop/fonts.h"
#include "ui/productioncontext.h"
#include "ui/programicon.h"
#include "ui/screens/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>

namespace hakobee {

QString settingsRootFromArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Barcode labels from an Access database"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settingsRoot(
        QStringLiteral("settings-root"),
        QStringLiteral("Folder that holds the settings folder qvx_ini (default: %1).")
            .arg(SettingsFolder::defaultRoot()),
        QStringLiteral("DIR"));
    parser.addOption(settingsRoot);
    parser.process(arguments);
    return parser.isSet(settingsRoot) ? parser.value(settingsRoot) : SettingsFolder::defaultRoot();
}

int runProgram(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("hakobee"));
    QApplication::setApplicationVersion(QStringLiteral("2.0.5"));
    QApplication::setWindowIcon(programIcon());
    ProductionContext production(settingsRootFromArguments(app.arguments()));

    useJapaneseDefaultFont();

    MainWindow window(production.context());
    window.show();
    window.load();
    return app.exec();
}

} // namespace hakobee
