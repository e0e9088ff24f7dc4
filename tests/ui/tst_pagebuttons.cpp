// The help, support and layout-order buttons open the program's own pages:
// the address each button hands the shell is a file that exists in the tree
// the program lies in (pages/ beside it in the build folder; the package
// test runs this test again from an unpacked package's bin folder, where it
// is share/hakobee/pages), and every link and picture of those pages is a
// file there too.
#include "core/makersite.h"
#include "support/pagelinks.h"
#include "support/shellfixture.h"
#include "ui/installedfiles.h"
#include "ui/screens/layoutselectionscreen.h"
#include "ui/screens/onlinehelpscreen.h"
#include "ui/screens/onlinesupportscreen.h"
#include "ui/screens/versioninfoscreen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

class TestPageButtons : public QObject
{
    Q_OBJECT

    // The folder the program's files lie under: the build folder, or the
    // prefix of an installation (usr/ above bin/).
    static QString programTree()
    {
        return QDir::cleanPath(QCoreApplication::applicationDirPath() + u"/.."_qs) + u'/';
    }

    static Screen* openScreen(ShellFixture& fixture, const QString& objectName)
    {
        if (objectName == QLatin1String(VersionInfoScreen::screenObjectName))
            return fixture.screens.open<VersionInfoScreen>();
        if (objectName == QLatin1String(OnlineHelpScreen::screenObjectName))
            return fixture.screens.open<OnlineHelpScreen>();
        if (objectName == QLatin1String(OnlineSupportScreen::screenObjectName))
            return fixture.screens.open<OnlineSupportScreen>();
        return fixture.screens.open<LayoutSelectionScreen>();
    }

private slots:
    void initTestCase()
    {
        if (!configuredMakerSite().isEmpty())
            QSKIP("the build names the maker's site: the buttons open its pages");
    }

    void eachButtonOpensAPageThatExists_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("page");
        QTest::newRow("version box, layout order") << u"frmAbout"_qs << u"tolform2/form.html"_qs;
        QTest::newRow("online help") << u"Form9"_qs << u"ora.htm"_qs;
        QTest::newRow("online support") << u"Form10"_qs << u"qqq.htm"_qs;
        QTest::newRow("layout selection, layout order") << u"Form3"_qs << u"tolform2/form.html"_qs;
    }

    void eachButtonOpensAPageThatExists()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, page);
        ShellFixture fixture;
        fixture.settings.installDefaults();
        Screen* screen = openScreen(fixture, objectName);
        QVERIFY(screen);
        screen->findChild<QPushButton*>(u"Command1"_qs)->click();

        QCOMPARE(fixture.shell.opened.size(), 1);
        const QUrl opened = fixture.shell.opened.first();
        QVERIFY2(opened.isLocalFile(), qPrintable(opened.toString()));
        const QString file = opened.toLocalFile();
        QVERIFY2(file.endsWith(u"/pages/"_qs + page), qPrintable(file));
        QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
        QVERIFY2(file.startsWith(programTree()),
                 qPrintable(file + u" not under "_qs + programTree()));
    }

    void pagesLinkOnlyToFilesThatExist_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("leastPictures");
        // The help page shows the screens it explains; support shows the version box.
        QTest::newRow("online help") << u"ora.htm"_qs << 10;
        QTest::newRow("online support") << u"qqq.htm"_qs << 1;
        QTest::newRow("layout order form") << u"tolform2/form.html"_qs << 0;
    }

    void pagesLinkOnlyToFilesThatExist()
    {
        QFETCH(QString, page);
        QFETCH(int, leastPictures);
        const QString path = QDir(programPagesFolder()).filePath(page);
        const PageCheck check = checkPage(path);
        QVERIFY2(check.problems.isEmpty(), qPrintable(check.problems.join(u'\n')));
        QVERIFY2(check.pictures >= leastPictures, qPrintable(QString::number(check.pictures)));
    }
};

QTEST_MAIN(TestPageButtons)
#include "tst_pagebuttons.moc"
