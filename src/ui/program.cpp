#include "ui/program.h"

#include "core/programversion.h"
#include "core/settings/settingsfolder.h"
#include "platform/desktop/fonts.h"
#include "production/exitcodes.h"
#include "production/standardstreams.h"
#include "ui/guiapplication.h"
#include "ui/productioncontext.h"
#include "ui/programhelp.h"
#include "ui/programicon.h"
#include "ui/screens/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdlib>

namespace hakobee {

namespace {

QStringList argumentList(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

[[noreturn]] void exitWithUsageError(const QString& problem)
{
    writeToStandardError(u"hakobee: "_qs + problem +
                         u"（使い方は hakobee --help で表示します）\n"_qs);
    std::exit(ExitCode::usage);
}

} // namespace

QString settingsRootFromArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption settingsRoot(u"settings-root"_qs, QString(), u"DIR"_qs);
    parser.addOption(settingsRoot);
    if (!parser.parse(arguments))
        exitWithUsageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        exitWithUsageError(
            u"サブコマンド「%1」はありません。"_qs.arg(parser.positionalArguments().first()));
    return parser.isSet(settingsRoot) ? parser.value(settingsRoot) : SettingsFolder::defaultRoot();
}

int runProgram(int argc, char* argv[])
{
    const QStringList arguments = argumentList(argc, argv);
    // A word first is a subcommand; app/main.cpp has run the ones there are.
    if (arguments.size() > 1 && !arguments[1].startsWith(u'-'))
        exitWithUsageError(u"サブコマンド「%1」はありません。"_qs.arg(arguments[1]));
    if (asksForHelp(arguments)) {
        writeToStandardOutput(programHelpText());
        return ExitCode::success;
    }
    if (asksForVersion(arguments)) {
        writeToStandardOutput(programVersionText());
        return ExitCode::success;
    }

    const std::unique_ptr<QApplication> app = startGuiApplication(argc, argv);
    if (!app)
        return ExitCode::failure;
    QApplication::setApplicationName(u"hakobee"_qs);
    QApplication::setApplicationVersion(QString::fromLatin1(programVersion));
    QApplication::setWindowIcon(programIcon());
    // Qt has taken its own options (-platform, -style, ...) off the list.
    ProductionContext production(
        ProductionOptions::installedProgram(settingsRootFromArguments(QApplication::arguments())));

    useJapaneseDefaultFont();

    MainWindow window(production.context());
    window.show();
    window.load();
    return app->exec();
}

} // namespace hakobee
