#include "datasourcefixture.h"
#include "support/screencontrols.h"

#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "ui/screens/connectingnotice.h"
#include "ui/screens/mainmenuscreen.h"
#include "ui/screens/recordcountscreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace hakobee;
using hakobee::test::textOf;
using hakobee::test::visibleNotice;
using namespace hakobee::test;

namespace {

const QString exampleSelectText =
    u"select bar as ﾊﾞｰｺｰﾄﾞ,hi as 品名,mei as 名称,kakaku as 税込売価　from "_qs;
const QString failureText =
    u"DBの設定が不正です。設定し直して下さい[設定]-[ﾃﾞｰﾀﾍﾞｰｽ]より設定できます。"_qs;

} // namespace

class TestRecordCountScreen : public QObject
{
    Q_OBJECT

private slots:
    void showsTheSettingsAndTheCount()
    {
        DataSourceFixture fixture;
        const QString database = fixture.productDatabase(u"商品.mdb"_qs, 10);
        fixture.writeSettingsFile(database, u"Master"_qs, exampleSelectText);
        RecordCountScreen* screen = fixture.screens.open<RecordCountScreen>();
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), u"データ件数確認"_qs);
        QCOMPARE(screen->size(), QSize(507, 233));
        QCOMPARE(textOf(screen, u"Label3"_qs), u"接続DB(ﾌｧｲﾙﾊﾟｽ)"_qs);
        QCOMPARE(textOf(screen, u"Label6"_qs), u"接続テーブル/クエリ"_qs);
        QCOMPARE(textOf(screen, u"Label7"_qs), u"SQL構文"_qs);
        QCOMPARE(textOf(screen, u"Labeldb"_qs), database);
        QCOMPARE(textOf(screen, u"Labeltb"_qs), u"Master"_qs);
        QCOMPARE(textOf(screen, u"Labelsql"_qs), exampleSelectText);
        QCOMPARE(textOf(screen, u"Label1"_qs), u"10"_qs);
        QCOMPARE(textOf(screen, u"Label2"_qs), u"件"_qs);
        QVERIFY(fixture.messages.shown.isEmpty());

        QPointer<RecordCountScreen> watch = screen;
        QCOMPARE(textOf(screen, u"Command1"_qs), u"閉じる"_qs);
        screen->findChild<QPushButton*>(u"Command1"_qs)->click();
        QTRY_VERIFY(watch.isNull());
        QVERIFY(!fixture.screens.find<RecordCountScreen>());
    }

    void countsTheBundledSampleWithTheShippedSettings()
    {
        DataSourceFixture fixture;
        const QString sample = fixture.installShippedDataSource(HAKOBEE_BUILT_DEFAULTS_DIR);
        const qint64 expected = countRowsWithMdbTools(sample, u"Master"_qs);
        QVERIFY(expected > 0);
        RecordCountScreen* screen = fixture.screens.open<RecordCountScreen>();
        QVERIFY(screen);
        QCOMPARE(textOf(screen, u"Labeldb"_qs), QDir::toNativeSeparators(sample));
        QCOMPARE(textOf(screen, u"Label1"_qs), QString::number(expected));
        QVERIFY(fixture.messages.shown.isEmpty());
        screen->closeScreen();
    }

    void uncountableDataSourceLeavesNoScreen_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("empty result") << u"empty"_qs;
        QTest::newRow("missing database") << u"missing"_qs;
        QTest::newRow("bad query") << u"query"_qs;
        QTest::newRow("unknown table") << u"table"_qs;
        QTest::newRow("not an Access file") << u"text"_qs;
        QTest::newRow("no settings file") << u"settings"_qs;
    }
    void uncountableDataSourceLeavesNoScreen()
    {
        QFETCH(QString, fault);
        DataSourceFixture fixture;
        QString database = fixture.productDatabase(u"db1.mdb"_qs, fault == u"empty"_qs ? 0 : 3);
        QString table = u"Master"_qs;
        QString select = exampleSelectText;
        if (fault == u"missing"_qs)
            database = fixture.path(u"gone/db1.mdb"_qs);
        if (fault == u"query"_qs)
            select = u"select bar,hi,mei,kakaku Master where from "_qs;
        if (fault == u"table"_qs)
            table = u"Shohin"_qs;
        if (fault == u"text"_qs) {
            database = fixture.path(u"notes.mdb"_qs);
            QFile notes(database);
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write("bar,hi,mei,kakaku\r\n4901234567894,a,b,100\r\n");
        }
        fixture.writeSettingsFile(database, table, select);
        if (fault == u"settings"_qs)
            QVERIFY(QFile::remove(fixture.settingsFilePath()));

        QVERIFY(!fixture.screens.open<RecordCountScreen>());

        QCOMPARE(fixture.messages.shown.size(), 1);
        QCOMPARE(fixture.messages.shown[0].text, failureText);
        QCOMPARE(fixture.messages.shown[0].title, u"ERROR"_qs);
        QCOMPARE(fixture.messages.shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(!fixture.screens.find<RecordCountScreen>());
        QTRY_VERIFY(findForm6Windows().isEmpty());
    }

    // From the main menu
    void mainMenuButtonShowsTheCountBehindTheNoticeAndOnlyRaisesItLater()
    {
        DataSourceFixture fixture;
        writeLayoutFile(fixture);
        const QString database = fixture.productDatabase(u"db1.mdb"_qs, 10);
        fixture.writeSettingsFile(database, u"Master"_qs, exampleSelectText);
        MainMenuScreen* menu = fixture.screens.open<MainMenuScreen>();
        auto* button = menu->findChild<QPushButton*>(u"Command3"_qs);
        QCOMPARE(button->text(), u"DB接続　==>　件数表示"_qs);
        QVERIFY(button->isEnabled());

        button->click();
        RecordCountScreen* count = fixture.screens.find<RecordCountScreen>();
        QVERIFY(count && count->isVisible());
        QCOMPARE(textOf(count, u"Label1"_qs), u"10"_qs);
        QTRY_VERIFY(!visibleNotice());

        // The count is not taken again while the screen is open: a database
        // that is gone by now does not matter.
        QVERIFY(QFile::remove(database));
        button->click();
        QCOMPARE(fixture.screens.find<RecordCountScreen>(), count);
        QCOMPARE(textOf(count, u"Label1"_qs), u"10"_qs);
        QVERIFY(fixture.messages.shown.isEmpty());
        QCOMPARE(textOf(menu, u"Label12"_qs), QString());
        QCOMPARE(findForm6Windows().size(), 1);

        // Closed, the screen counts anew and now reports the missing file,
        // while the connecting notice still shows.
        QPointer<RecordCountScreen> watch = count;
        count->closeScreen();
        QTRY_VERIFY(watch.isNull());
        bool noticeDuringMessage = false;
        fixture.messages.onShow = [&] {
            noticeDuringMessage = visibleNotice() != nullptr;
        };
        button->click();
        QVERIFY(noticeDuringMessage);
        QCOMPARE(fixture.messages.shown.size(), 1);
        QCOMPARE(fixture.messages.shown[0].title, u"ERROR"_qs);
        QVERIFY(!fixture.screens.find<RecordCountScreen>());
        QTRY_VERIFY(!visibleNotice());
        QCOMPARE(textOf(menu, u"Label12"_qs), u"DBの設定が不正です。設定し直して下さい"_qs);
        QTRY_VERIFY(findForm6Windows().isEmpty());
        menu->closeScreen();
    }

private:
    static void writeLayoutFile(DataSourceFixture& fixture)
    {
        replaceSettingsFile(fixture.settingsFolderPath() + u"/"_qs + SettingsFiles::layout,
                            SettingsColumns::layout(), {u"ﾗﾍﾞﾙ"_qs, u"_"_qs, u"9"_qs, u"0"_qs});
    }

    static QList<QWidget*> findForm6Windows()
    {
        QList<QWidget*> found;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<RecordCountScreen*>(window))
                found.append(window);
        return found;
    }
};

QTEST_MAIN(TestRecordCountScreen)
#include "tst_recordcountscreen.moc"
