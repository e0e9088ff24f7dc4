// The built program's command line as a terminal, a script or a service sees
// it: help and version without a display, the one line instead of Qt's abort,
// and the exit codes.
#include "support/programrun.h"

#include <QTemporaryDir>
#include <QTest>

using namespace hakobee::test;

namespace {

ProgramRun runHakobee(const QStringList& arguments,
                      const QProcessEnvironment& environment = environmentWithoutDisplay())
{
    return runToEnd(QStringLiteral(HAKOBEE_EXECUTABLE), arguments, environment);
}

// The environment without a display, with the variables ("NAME=value") added.
// A session's runtime folder is there, as on a desktop, so Qt has nothing to
// say about it.
QProcessEnvironment withVariables(const QStringList& variables)
{
    static QTemporaryDir runtimeFolder;
    QProcessEnvironment environment = environmentWithoutDisplay();
    environment.insert(u"XDG_RUNTIME_DIR"_qs, runtimeFolder.path());
    for (const QString& variable : variables)
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    return environment;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void helpAndVersionNeedNoDisplay()
    {
        const ProgramRun help = runHakobee({u"--help"_qs});
        QCOMPARE(help.err, QString());
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.startsWith(u"使い方: hakobee [--settings-root フォルダー]\n"_qs));
        for (const QString& listed : {u"--version"_qs, u"query"_qs, u"printers"_qs,
                                      u"--calibration-label"_qs, u"終了コード"_qs})
            QVERIFY2(help.out.contains(listed), qPrintable(listed));

        QCOMPARE(runHakobee({u"-h"_qs}).out, help.out);
        // A folder named like an option is a folder, not a request.
        QCOMPARE(runHakobee({u"--settings-root"_qs, u"--help"_qs}).exitCode, 1);

        const ProgramRun version = runHakobee({u"--version"_qs});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, u"hakobee 2.0.5\n"_qs);
        QCOMPARE(version.err, QString());

        const ProgramRun queryHelp = runHakobee({u"query"_qs, u"--help"_qs});
        QCOMPARE(queryHelp.exitCode, 0);
        QVERIFY(queryHelp.out.startsWith(
            u"使い方: hakobee query --db データベースファイル --sql SQL文 [--types]\n"_qs));
        QCOMPARE(queryHelp.err, QString());

        const ProgramRun printHelp = runHakobee({u"print"_qs, u"--help"_qs});
        QCOMPARE(printHelp.exitCode, 0);
        QVERIFY(printHelp.out.startsWith(u"使い方: hakobee print "_qs));
    }

    void windowWithoutAReachableDisplaySaysSoInOneLine_data()
    {
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<QString>("named");
        QTest::newRow("no display at all") << QStringList() << u"DISPLAY"_qs;
        QTest::newRow("X11 asked for, none there")
            << QStringList{u"QT_QPA_PLATFORM=xcb"_qs} << u"DISPLAY"_qs;
        QTest::newRow("a display that is not running")
            << QStringList{u"DISPLAY=:4242"_qs} << u":4242"_qs;
    }

    void windowWithoutAReachableDisplaySaysSoInOneLine()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, named);
        const ProgramRun run = runHakobee({}, withVariables(variables));
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith(u"hakobee: "_qs), qPrintable(run.err));
        QVERIFY2(run.err.endsWith(u'\n') && run.err.count(u'\n') == 1, qPrintable(run.err));
        QVERIFY2(run.err.contains(named), qPrintable(run.err));
    }

    void wrongCommandLineExitsWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown subcommand") << QStringList{u"printt"_qs};
        QTest::newRow("unknown subcommand asking for help")
            << QStringList{u"printt"_qs, u"--help"_qs};
        QTest::newRow("unknown option") << QStringList{u"--settings"_qs, u"/tmp"_qs};
        QTest::newRow("option without its value") << QStringList{u"--settings-root"_qs};
        QTest::newRow("query without its select")
            << QStringList{u"query"_qs, u"--db"_qs, u"x.mdb"_qs};
    }

    void wrongCommandLineExitsWithTwo()
    {
        QFETCH(QStringList, arguments);
        // A display is there, so only the command line can be at fault.
        const ProgramRun run =
            runHakobee(arguments, withVariables({u"QT_QPA_PLATFORM=offscreen"_qs}));
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith(u"hakobee: "_qs) || run.err.startsWith(u"使い方: "_qs),
                 qPrintable(run.err));
        QCOMPARE(run.err.count(u'\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
