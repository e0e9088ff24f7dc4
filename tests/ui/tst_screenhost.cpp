#include "ui/screenhost.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

using namespace hakobee;

namespace {

int loadCount = 0;
bool failNextLoad = false;

class SampleScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "SampleScreen";
    using Screen::Screen;
    bool load() override
    {
        ++loadCount;
        if (failNextLoad) {
            failNextLoad = false;
            return false;
        }
        return true;
    }
};

} // namespace

class TestScreenHost : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        loadCount = 0;
        failNextLoad = false;
    }

    void secondRequestRaisesTheSameWindow()
    {
        AppContext context;
        ScreenHost host(context);
        SampleScreen* first = host.open<SampleScreen>();
        SampleScreen* second = host.open<SampleScreen>();
        QVERIFY(first);
        QCOMPARE(second, first);
        QCOMPARE(loadCount, 1);
        QCOMPARE(first->objectName(), u"SampleScreen"_qs);
        QVERIFY(first->isVisible());
        first->closeScreen();
    }

    void requestAfterCloseCreatesAnew()
    {
        AppContext context;
        ScreenHost host(context);
        QPointer<SampleScreen> first = host.open<SampleScreen>();
        first->closeScreen();
        QTRY_VERIFY(first.isNull());
        SampleScreen* again = host.open<SampleScreen>();
        QVERIFY(again);
        QCOMPARE(loadCount, 2);
        again->closeScreen();
    }

    void twoKeysGiveTwoWindows()
    {
        AppContext context;
        ScreenHost host(context);
        SampleScreen* startup = host.open<SampleScreen>(u"startup"_qs);
        SampleScreen* other = host.open<SampleScreen>();
        QVERIFY(startup != other);
        QPointer<SampleScreen> watch = startup;
        startup->closeScreen();
        QTRY_VERIFY(watch.isNull());
        QCOMPARE(host.find<SampleScreen>(), other);
        other->closeScreen();
    }

    void loadedScreenStaysHiddenUntilOpened()
    {
        AppContext context;
        ScreenHost host(context);
        SampleScreen* hidden = host.loaded<SampleScreen>();
        QVERIFY(hidden);
        QVERIFY(!hidden->isVisible());
        QCOMPARE(host.open<SampleScreen>(), hidden);
        QVERIFY(hidden->isVisible());
        QCOMPARE(loadCount, 1);
        hidden->closeScreen();
    }

    void failedLoadLeavesNoScreen()
    {
        AppContext context;
        ScreenHost host(context);
        failNextLoad = true;
        QVERIFY(!host.open<SampleScreen>());
        QVERIFY(!host.find<SampleScreen>());
        QVERIFY(host.open<SampleScreen>());
        host.find<SampleScreen>()->closeScreen();
    }

    void screensOpenInsideTheContainerAndCloseWithTheirFrame()
    {
        AppContext context;
        ScreenHost host(context);
        QMdiArea area;
        area.resize(800, 600);
        area.show();
        host.setContainer(&area);
        SampleScreen* screen = host.open<SampleScreen>();
        QCOMPARE(area.subWindowList().size(), 1);
        QCOMPARE(area.subWindowList().first()->widget(), screen);
        screen->closeScreen();
        QTRY_COMPARE(area.subWindowList().size(), 0);
        QTRY_VERIFY(!host.find<SampleScreen>());
    }
};

QTEST_MAIN(TestScreenHost)
#include "tst_screenhost.moc"
