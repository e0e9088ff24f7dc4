// The main window: caption, menus, status bar, and the screens it opens.
#include "core/error.h"
#include "runfixture.h"
#include "support/shellfixture.h"
#include "ui/program.h"
#include "ui/screens/mainmenuscreen.h"
#include "ui/screens/mainwindow.h"

#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTest>

using namespace hakobee;
using hakobee::test::RunFixture;
using hakobee::test::ShellFixture;

namespace {

int sampleLoads = 0;

class SampleScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "SampleScreen";
    using Screen::Screen;
    bool load() override
    {
        ++sampleLoads;
        return true;
    }
};

class BrokenScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "BrokenScreen";
    using Screen::Screen;
    bool load() override { throw Error(u"開けません"_qs); }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    QList<QWidget*> windowsInArea() const
    {
        QList<QWidget*> widgets;
        for (QMdiSubWindow* frame : window->documentArea()->subWindowList())
            widgets.append(frame->widget());
        return widgets;
    }

    int mainMenuCount() const
    {
        int count = 0;
        for (QWidget* widget : windowsInArea())
            count += qobject_cast<MainMenuScreen*>(widget) ? 1 : 0;
        return count;
    }

    std::unique_ptr<ShellFixture> fixture;
    std::unique_ptr<MainWindow> window;

private slots:
    void init()
    {
        sampleLoads = 0;
        fixture = std::make_unique<ShellFixture>();
        fixture->settings.installDefaults();
        window = std::make_unique<MainWindow>(fixture->context);
        window->show();
        window->load();
    }

    void cleanup()
    {
        window.reset();
        fixture.reset();
    }

    void captionAndStartUpMainMenu()
    {
        QCOMPARE(window->objectName(), u"frmMain"_qs);
        QCOMPARE(window->windowTitle(), u"データハコビー C7034 Va2.0.5　ｵﾝﾗｲﾝｿﾌﾄ"_qs);
        QCOMPARE(window->centralWidget(), window->documentArea());
        QCOMPARE(mainMenuCount(), 1);
        QVERIFY(fixture->screens.find<MainMenuScreen>()->isVisible());
    }

    void menusAndItemsCarryTheirCaptions()
    {
        struct Expected
        {
            QString menu, menuCaption;
            QStringList items, captions;
        };
        const QList<Expected> expected = {
            {u"mnuFile"_qs, u"ﾌｧｲﾙ(&F)"_qs, {u"mnuFileExit"_qs}, {u"終了(&X)"_qs}},
            {u"set"_qs,
             u"設定(&S)"_qs,
             {u"set1"_qs, u"set2"_qs, u"印刷位置調整"_qs},
             {u"出力形式(&A)"_qs, u"データベース(&B)"_qs, u"印刷位置調整(&I)"_qs}},
            {u"印刷"_qs,
             u"印刷(&P)"_qs,
             {u"通常印刷"_qs, u"部分印刷"_qs},
             {u"通常印刷"_qs, u"部分印刷"_qs}},
            {u"mnuView"_qs,
             u"表示(&V)"_qs,
             {u"mnuViewToolbar"_qs, u"main1"_qs},
             {u"ﾂｰﾙ ﾊﾞｰ(&T)"_qs, u"メインページ"_qs}},
            {u"mnuHelp"_qs,
             u"ﾍﾙﾌﾟ(&H)"_qs,
             {u"オンラインヘルプ"_qs, u"オンラインサポート"_qs, u"mnuHelpAbout"_qs},
             {u"ｵﾝﾗｲﾝﾍﾙﾌﾟ(&O)"_qs, u"ｵﾝﾗｲﾝｻﾎﾟｰﾄ(&S)"_qs, u"ﾊﾞｰｼﾞｮﾝ情報(&A)"_qs}},
        };
        const QList<QAction*> bar = window->menuBar()->actions();
        QCOMPARE(bar.size(), expected.size());
        for (qsizetype m = 0; m < expected.size(); ++m) {
            QMenu* menu = bar[m]->menu();
            QVERIFY(menu);
            QCOMPARE(menu->objectName(), expected[m].menu);
            QCOMPARE(menu->title(), expected[m].menuCaption);
            const QList<QAction*> items = menu->actions();
            QCOMPARE(items.size(), expected[m].items.size());
            for (qsizetype i = 0; i < items.size(); ++i) {
                QCOMPARE(items[i]->objectName(), expected[m].items[i]);
                QCOMPARE(items[i]->text(), expected[m].captions[i]);
            }
        }
    }

    // Every item has its screen now: none is disabled, and each item of a
    // screen opens that one screen (the other three act in place, see
    // mainPageOpensASecondMainMenuOnce and the two tests after it).
    void everyItemIsEnabledAndOpensItsScreen()
    {
        // Seams and a database every screen behind the items loads over.
        RunFixture f;
        f.useProducts(3);
        MainWindow shown(f.context);
        shown.show();
        shown.load();
        int items = 0;
        for (QAction* menu : shown.menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
                ++items;
            }
        }
        QCOMPARE(items, 11);
        const QList<std::pair<QString, QString>> wiring{{u"set1"_qs, u"Form3"_qs},
                                                        {u"set2"_qs, u"setOracle"_qs},
                                                        {u"印刷位置調整"_qs, u"Form13"_qs},
                                                        {u"通常印刷"_qs, u"F_CustInput"_qs},
                                                        {u"部分印刷"_qs, u"F_CustInput2"_qs},
                                                        {u"オンラインヘルプ"_qs, u"Form9"_qs},
                                                        {u"オンラインサポート"_qs, u"Form10"_qs},
                                                        {u"mnuHelpAbout"_qs, u"frmAbout"_qs}};
        for (const auto& [item, screen] : wiring) {
            shown.menuItem(item)->trigger();
            QPointer<Screen> opened = f.screens.find(screen);
            QVERIFY2(opened && opened->isVisible(), qPrintable(item));
            QCOMPARE(opened->objectName(), screen);
            // It alone opened, beside the start-up main menu.
            QCOMPARE(shown.documentArea()->subWindowList().size(), 2);
            opened->closeScreen();
            QTRY_VERIFY(opened.isNull());
        }
        QVERIFY(f.messages.shown.isEmpty());
    }

    void statusBarShowsStatusDateAndTime()
    {
        QStatusBar* bar = window->statusBar();
        QCOMPARE(bar->objectName(), u"sbStatusBar"_qs);
        const QList<QLabel*> panels = bar->findChildren<QLabel*>();
        QCOMPARE(panels.size(), 3);
        auto panel = [bar](const char* name) {
            return bar->findChild<QLabel*>(QString::fromLatin1(name));
        };
        QCOMPARE(panel("sbStatusText")->text(), u"ｽﾃｰﾀｽ"_qs);
        const QLocale locale = QLocale::system();
        QCOMPARE(panel("sbStatusDate")->text(),
                 locale.toString(QDate::currentDate(), QLocale::ShortFormat));
        QVERIFY(!panel("sbStatusTime")->text().isEmpty());
        // Left to right: status, date, time.
        QVERIFY(panel("sbStatusText")->x() < panel("sbStatusDate")->x());
        QVERIFY(panel("sbStatusDate")->x() < panel("sbStatusTime")->x());

        // The clock keeps the panels current.
        panel("sbStatusTime")->setText(u"stale"_qs);
        QTRY_VERIFY_WITH_TIMEOUT(panel("sbStatusTime")->text() != u"stale"_qs, 3000);
    }

    void mainPageOpensASecondMainMenuOnce()
    {
        QAction* mainPage = window->menuItem(u"main1"_qs);
        MainMenuScreen* startUp = fixture->screens.find<MainMenuScreen>();
        mainPage->trigger();
        QCOMPARE(mainMenuCount(), 2);
        MainMenuScreen* second = fixture->screens.find<MainMenuScreen>(MainWindow::mainPageKey());
        QVERIFY(second && second != startUp);
        mainPage->trigger();
        QCOMPARE(mainMenuCount(), 2);
        QCOMPARE(fixture->screens.find<MainMenuScreen>(MainWindow::mainPageKey()), second);

        // Closing the start-up menu leaves the second one; after closing the
        // second, the item creates it anew.
        QPointer<MainMenuScreen> watchStartUp = startUp;
        startUp->closeScreen();
        QTRY_VERIFY(watchStartUp.isNull());
        QCOMPARE(mainMenuCount(), 1);
        QPointer<MainMenuScreen> watchSecond = second;
        second->closeScreen();
        QTRY_VERIFY(watchSecond.isNull());
        mainPage->trigger();
        QCOMPARE(mainMenuCount(), 1);
    }

    void toolbarItemOnlyTogglesItsCheckMark()
    {
        QAction* toolbar = window->menuItem(u"mnuViewToolbar"_qs);
        QVERIFY(toolbar->isCheckable());
        QVERIFY(toolbar->isChecked());
        toolbar->trigger();
        QVERIFY(!toolbar->isChecked());
        toolbar->trigger();
        QVERIFY(toolbar->isChecked());
        QCOMPARE(windowsInArea().size(), 1);
        QVERIFY(window->isVisible());
    }

    void exitClosesTheMainWindow()
    {
        window->menuItem(u"mnuFileExit"_qs)->trigger();
        QVERIFY(!window->isVisible());
    }

    void wiredItemKeepsItsScreenToOneWindow()
    {
        // The item loses its own screen, so only the sample one opens.
        QAction* item = window->menuItem(u"mnuHelpAbout"_qs);
        QObject::disconnect(item, &QAction::triggered, nullptr, nullptr);
        window->openOnTrigger<SampleScreen>(u"mnuHelpAbout"_qs);
        QVERIFY(item->isEnabled());
        item->trigger();
        item->trigger();
        QCOMPARE(sampleLoads, 1);
        QCOMPARE(windowsInArea().size(), 2);
        QPointer<SampleScreen> screen = fixture->screens.find<SampleScreen>();
        screen->closeScreen();
        QTRY_VERIFY(screen.isNull());
        item->trigger();
        QCOMPARE(sampleLoads, 2);
    }

    void settingsRootComesFromTheCommandLine()
    {
        QCOMPARE(settingsRootFromArguments({u"hakobee"_qs}), SettingsFolder::defaultRoot());
        QCOMPARE(settingsRootFromArguments({u"hakobee"_qs, u"--settings-root"_qs, u"/srv/x"_qs}),
                 u"/srv/x"_qs);
        QCOMPARE(settingsRootFromArguments({u"hakobee"_qs, u"--settings-root=/srv/y"_qs}),
                 u"/srv/y"_qs);
        QCOMPARE(QDir::cleanPath(SettingsFolder(u"/srv/x"_qs).folderPath()), u"/srv/x/qvx_ini"_qs);
    }

    void failureWhileOpeningIsShownNotThrown()
    {
        // The item loses its own screen, so only the broken one opens.
        QAction* item = window->menuItem(u"mnuHelpAbout"_qs);
        QObject::disconnect(item, &QAction::triggered, nullptr, nullptr);
        window->openOnTrigger<BrokenScreen>(u"mnuHelpAbout"_qs);
        item->trigger();
        QCOMPARE(fixture->messages.shown.size(), 1);
        QCOMPARE(fixture->messages.shown.first().text, u"開けません"_qs);
        QCOMPARE(windowsInArea().size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
