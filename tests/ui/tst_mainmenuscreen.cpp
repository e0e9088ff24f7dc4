// The main menu: its controls and texts, its loading steps with the restore
// of the settings files, and the way its buttons open slow screens.
#include "core/error.h"
#include "core/settings/layoutmode.h"
#include "platform/desktop/osversion.h"
#include "support/shellfixture.h"
#include "ui/screens/connectingnotice.h"
#include "ui/screens/mainmenuscreen.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace hakobee;
using hakobee::test::SettingsFixture;
using hakobee::test::ShellFixture;

namespace {

QString textOf(QWidget* form, const QString& name)
{
    QObject* control = form->findChild<QObject*>(name);
    if (!control)
        return u"<missing "_qs + name + u">"_qs;
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(control))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    return u"<no text>"_qs;
}

ConnectingNoticeWindow* visibleNotice()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* notice = qobject_cast<ConnectingNoticeWindow*>(window);
            notice && notice->isVisible())
            return notice;
    }
    return nullptr;
}

class FailingScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "FailingScreen";
    using Screen::Screen;
    bool load() override { return false; }
};

class ThrowingScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "ThrowingScreen";
    using Screen::Screen;
    bool load() override { throw Error(u"接続できません"_qs); }
};

class SlowScreen : public Screen
{
    Q_OBJECT

public:
    static constexpr const char* screenObjectName = "SlowScreen";
    using Screen::Screen;
    bool load() override
    {
        noticeWasShown = visibleNotice() != nullptr;
        return true;
    }
    static inline bool noticeWasShown = false;
};

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private:
    MainMenuScreen* openForm1() { return fixture->screens.open<MainMenuScreen>(); }
    QString text(const QString& name)
    {
        return textOf(fixture->screens.find<MainMenuScreen>(), name);
    }
    QString restartMessage() const { return settingsRestoredMessage(); }

    std::unique_ptr<ShellFixture> fixture;

private slots:
    void init() { fixture = std::make_unique<ShellFixture>(); }
    void cleanup()
    {
        fixture.reset();
        QTRY_VERIFY(!visibleNotice());
    }

    void controlsCarryTheirTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("Label2") << u"Label2"_qs << u"ﾊﾞｰｺｰﾄﾞハコビー メインメニュー"_qs;
        QTest::newRow("Frame1") << u"Frame1"_qs << u"発行前確認"_qs;
        QTest::newRow("Label1") << u"Label1"_qs << u"データ件数"_qs;
        QTest::newRow("Command3") << u"Command3"_qs << u"DB接続　==>　件数表示"_qs;
        QTest::newRow("Label6") << u"Label6"_qs << u"データベースパス"_qs;
        QTest::newRow("Label14") << u"Label14"_qs << u"データテーブル"_qs;
        QTest::newRow("Label8") << u"Label8"_qs << u"出力プリンター設定"_qs;
        QTest::newRow("Command4") << u"Command4"_qs << u"プリンター/用紙設定"_qs;
        QTest::newRow("Label10") << u"Label10"_qs << u"OSバージョン"_qs;
        QTest::newRow("Label12") << u"Label12"_qs << QString();
        QTest::newRow("Command1") << u"Command1"_qs << u"発行開始"_qs;
        QTest::newRow("Command5") << u"Command5"_qs << u"部分発行"_qs;
        QTest::newRow("Label3") << u"Label3"_qs << u"DB by Access"_qs;
    }

    void controlsCarryTheirTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        fixture->settings.installDefaults();
        MainMenuScreen* form = openForm1();
        QCOMPARE(form->windowTitle(), u"メインメニュー　　Va2.0.5"_qs);
        QCOMPARE(form->objectName(), u"Form1"_qs);
        QCOMPARE(textOf(form, name), text);
    }

    void colouredLinesAndTheHiddenModeNote()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openForm1();
        auto* message = form->findChild<QLabel*>(u"Label12"_qs);
        auto* note = form->findChild<QLabel*>(u"Label4"_qs);
        auto* partial = form->findChild<QPushButton*>(u"Command5"_qs);
        QCOMPARE(message->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(note->palette().color(QPalette::WindowText).green(), 128);
        QCOMPARE(note->geometry(), partial->geometry());
        QCOMPARE(form->childAt(partial->geometry().center()), partial);
    }

    void buttonsWithoutTheirScreensAreDisabled()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openForm1();
        for (const char* name : {"Command4"})
            QVERIFY2(!form->findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled(), name);
    }

    void normalStartShowsTheDataSource()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openForm1();
        QCOMPARE(text(u"Label12"_qs), QString());
        QCOMPARE(text(u"Label4"_qs), u"_"_qs);
        QVERIFY(!form->isFurnitureSlipMode());
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
        QCOMPARE(text(u"Label15"_qs), u"Master"_qs);
        QCOMPARE(form->keptDatabase(), u"/data/default.mdb"_qs);
        QCOMPARE(form->keptTable(), u"Master"_qs);
        QCOMPARE(text(u"Label11"_qs), operatingSystemVersionText());
        QCOMPARE(form->pos(), QPoint(1, 1));
        QVERIFY(fixture->messages.shown.isEmpty());
    }

    void firstStartWithoutAFolderRestoresAndShowsTheFreshDataSource()
    {
        // Even a default layout in the furniture-slip mode does not switch
        // this window: its layout step failed before the restore.
        fixture->settings.writeDefaults(furnitureSlipMarker());
        QVERIFY(!fixture->settings.folder.exists());
        openForm1();
        QVERIFY(fixture->settings.folder.exists());
        for (const QString& name : SettingsFiles::all())
            QVERIFY2(QFileInfo(fixture->settings.settingsPath(name)).isFile(), qPrintable(name));
        QCOMPARE(text(u"Label12"_qs), restartMessage());
        QCOMPARE(text(u"Label4"_qs), QString());
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
        QCOMPARE(text(u"Label15"_qs), u"Master"_qs);
        QVERIFY(fixture->messages.shown.isEmpty());
    }

    void furnitureSlipMarkerSwitchesTheMode()
    {
        fixture->settings.installDefaults(furnitureSlipMarker());
        // The data source file is not read in this mode: damage it to show that.
        SettingsFixture::writeBytes(fixture->settings.settingsPath(SettingsFiles::dataSource), "");
        MainMenuScreen* form = openForm1();
        QCOMPARE(text(u"Label4"_qs), u"ﾌﾟﾛｸﾞﾗﾑC7304動作中"_qs);
        QVERIFY(form->isFurnitureSlipMode());
        QCOMPARE(text(u"Label12"_qs), QString());
        QCOMPARE(text(u"Label7"_qs), QString());
        QCOMPARE(text(u"Label15"_qs), QString());
        QCOMPARE(form->keptDatabase(), u"slip.txt"_qs);
        QCOMPARE(form->keptTable(), u"/data/slips"_qs);
    }

    void markerWithATrailingBlankIsAnOrdinaryTitle()
    {
        fixture->settings.installDefaults(furnitureSlipMarker() + u" "_qs);
        MainMenuScreen* form = openForm1();
        QCOMPARE(text(u"Label4"_qs), furnitureSlipMarker() + u" "_qs);
        QVERIFY(!form->isFurnitureSlipMode());
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
    }

    void dataSourceWithOnlyAHeaderRowIsRestored()
    {
        fixture->settings.installDefaults();
        const QString dataSource = fixture->settings.settingsPath(SettingsFiles::dataSource);
        SettingsFixture::writeBytes(dataSource, "\"DB\",\"TABLE\",\"KENSAKU\"\r\n");
        openForm1();
        QCOMPARE(text(u"Label12"_qs), restartMessage());
        QCOMPARE(text(u"Label7"_qs), QString());
        QCOMPARE(text(u"Label15"_qs), QString());
        QCOMPARE(readSettingsRows(dataSource, 3).data[1], u"Master"_qs);
    }

    void damagedLayoutFileIsRestored_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n"
                                             "\"\xE3\x83\xA9\",\"B\",\"9\",\"0\"\r\n");
        QTest::newRow("NUL bytes") << QByteArray(64, '\0');
        QTest::newRow("truncated")
            << QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n\"A\",\"B");
    }

    void damagedLayoutFileIsRestored()
    {
        QFETCH(QByteArray, bytes);
        fixture->settings.installDefaults(u"restored"_qs);
        const QString layout = fixture->settings.settingsPath(SettingsFiles::layout);
        SettingsFixture::writeBytes(layout, bytes);
        openForm1();
        QCOMPARE(text(u"Label12"_qs), restartMessage());
        QCOMPARE(text(u"Label4"_qs), QString());
        QCOMPARE(readSettingsRows(layout, 4).data[1], u"restored"_qs);
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
    }

    void folderInPlaceOfTheLayoutFileIsReported()
    {
        fixture->settings.installDefaults();
        const QString layout = fixture->settings.settingsPath(SettingsFiles::layout);
        QFile::remove(layout);
        QDir().mkpath(layout);
        openForm1();
        QVERIFY(text(u"Label12"_qs).contains(SettingsFiles::layout));
        QCOMPARE(text(u"Label7"_qs), u"/data/default.mdb"_qs);
    }

    void missingDefaultCopyIsReportedInTheMessageLine()
    {
        fixture->settings.writeDefaults();
        QFile::remove(QDir(fixture->settings.defaultsPath()).filePath(SettingsFiles::dataSource));
        openForm1();
        QVERIFY2(text(u"Label12"_qs).contains(SettingsFiles::dataSource),
                 qPrintable(text(u"Label12"_qs)));
        QCOMPARE(text(u"Label7"_qs), QString());
        QVERIFY(fixture->messages.shown.isEmpty());
    }

    void openingBehindTheNoticeShowsItAndReportsFailures()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openForm1();

        SlowScreen::noticeWasShown = false;
        QVERIFY(form->openBehindNotice([this] { return fixture->screens.open<SlowScreen>(); },
                                       MainMenuScreen::databaseSettingsInvalidMessage()));
        QVERIFY(SlowScreen::noticeWasShown);
        QCOMPARE(text(u"Label12"_qs), QString());
        QTRY_VERIFY(!visibleNotice());

        QVERIFY(!form->openBehindNotice([this] { return fixture->screens.open<FailingScreen>(); },
                                        MainMenuScreen::databaseSettingsInvalidMessage()));
        QCOMPARE(text(u"Label12"_qs), u"DBの設定が不正です。設定し直して下さい"_qs);
        QTRY_VERIFY(!visibleNotice());

        QVERIFY(!form->openBehindNotice([this] { return fixture->screens.open<ThrowingScreen>(); },
                                        MainMenuScreen::printerErrorMessage()));
        QCOMPARE(text(u"Label12"_qs), u"プリンターエラー"_qs);

        // Without a failure message the message line keeps what it shows.
        QVERIFY(!form->openBehindNotice([] { return nullptr; }, QString()));
        QCOMPARE(text(u"Label12"_qs), u"プリンターエラー"_qs);
        QVERIFY(fixture->messages.shown.isEmpty());
    }

    void connectedButtonIsEnabledAndRunsItsAction()
    {
        fixture->settings.installDefaults();
        MainMenuScreen* form = openForm1();
        int clicks = 0;
        form->connectButton(u"Command3"_qs, [&clicks] { ++clicks; });
        auto* button = form->findChild<QPushButton*>(u"Command3"_qs);
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }

    void connectingNoticeTexts()
    {
        QPointer<ConnectingNoticeWindow> shown;
        {
            ConnectingNotice notice;
            shown = notice.window();
            QVERIFY(shown->isVisible());
            QCOMPARE(shown->objectName(), u"Form8"_qs);
            QCOMPARE(shown->windowTitle(), u"システム接続中>>>>>"_qs);
            QCOMPARE(textOf(shown, u"Label1"_qs),
                     u"ただいまシステムに接続中です。しばらくこのままでお待ちください。"_qs);
            QVERIFY(shown->findChildren<QPushButton*>().isEmpty());
        }
        QTRY_VERIFY(shown.isNull());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_mainmenuscreen.moc"
