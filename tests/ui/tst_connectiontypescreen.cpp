// The printer connection type screen: the stored type chooses the option,
// the save writes the type's row, the fixed type hands over to the paper
// screen behind the connecting notice, and the main menu opens it.
#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "support/openscreens.h"
#include "support/printerfixture.h"
#include "support/shellfixture.h"
#include "ui/screens/connectiontypescreen.h"
#include "ui/screens/mainmenuscreen.h"
#include "ui/screens/paperselectionscreen.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

namespace {

// Titles as operators have them: half-width katakana whose Shift-JIS bytes
// are valid UTF-8 too, and kanji.
const QString title1 = u"ﾊｲﾃｸ棚札"_qs;
const QString title2 = u"ﾄｸ"_qs;

} // namespace

class ConnectionTypeScreenTest : public QObject
{
    Q_OBJECT

private:
    QString layoutPath() const { return shell->settings.settingsPath(SettingsFiles::layout); }
    void storeLayout(const QStringList& values)
    {
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(), values);
    }
    QStringList storedLayout() const { return readSettingsRows(layoutPath(), 4).data; }

    ConnectionTypeScreen* openForm17() { return shell->screens.open<ConnectionTypeScreen>(); }
    template<class T> T* control(const char* name) const
    {
        return shell->screens.find<ConnectionTypeScreen>()->findChild<T*>(QString::fromUtf8(name));
    }

    std::unique_ptr<ShellFixture> shell;
    std::unique_ptr<PrinterFixture> printers;

private slots:
    void init()
    {
        shell = std::make_unique<ShellFixture>();
        shell->settings.installDefaults();
        printers = std::make_unique<PrinterFixture>(
            shell->context, shell->messages,
            QList<FakePrinter>{PrinterFixture::labelPrinter(u"Label Printer"_qs),
                               FakePrinter::withAllSettings(u"Office Laser"_qs)});
    }
    void cleanup()
    {
        closeAllScreens();
        printers.reset();
        shell.reset();
        QTRY_VERIFY(!connectingNoticeVisible());
    }

    void theStoredTypeChoosesTheOption_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("variable");
        QTest::addColumn<bool>("toldNotANumber");
        QTest::newRow("1") << u"1"_qs << true << false;
        QTest::newRow("2") << u"2"_qs << true << false;
        QTest::newRow("-1") << u"-1"_qs << true << false;
        QTest::newRow("0") << u"0"_qs << false << false;
        QTest::newRow("empty") << QString() << false << true;
        QTest::newRow("letters") << u"ｱ"_qs << false << true;
    }

    void theStoredTypeChoosesTheOption()
    {
        QFETCH(QString, stored);
        QFETCH(bool, variable);
        QFETCH(bool, toldNotANumber);
        storeLayout({title1, title2, u"9"_qs, stored});
        ConnectionTypeScreen* form = openForm17();
        QVERIFY(form);
        QCOMPARE(form->objectName(), u"Form17"_qs);
        QCOMPARE(form->windowTitle(), u"ﾌﾟﾘﾝﾀｰ接続タイプ設定"_qs);
        QCOMPARE(control<QRadioButton>("Option1(1)")->isChecked(), variable);
        QCOMPARE(control<QRadioButton>("Option1(0)")->isChecked(), !variable);
        QCOMPARE(shell->messages.shown.size(), toldNotANumber ? 1 : 0);
        if (toldNotANumber)
            QVERIFY(shell->messages.shown.first().text.contains(u"PRINTER"_qs));
        QCOMPARE(storedLayout(), (QStringList{title1, title2, u"9"_qs, stored}));

        // The printer current at loading is the one the variable type's runs
        // go back to.
        QVERIFY(printers->printer->makeCurrent(u"Office Laser"_qs));
        QVERIFY(printers->setup->RestorePrinterState());
        QCOMPARE(printers->printer->deviceName(), u"Label Printer"_qs);
        QCOMPARE(printers->printer->paperSizeCode(), 256);

        // Saving at once writes the type shown, the titles as they were.
        control<QPushButton>("Command1")->click();
        QCOMPARE(storedLayout(), variable ? (QStringList{title1, title2, u"999"_qs, u"1"_qs})
                                          : (QStringList{title1, title2, u"9"_qs, u"0"_qs}));
        QCOMPARE(shell->screens.find<PaperSelectionScreen>() != nullptr, !variable);
    }

    void savingTheVariableTypeWrites999And1AndOpensNothing()
    {
        storeLayout({title1, QString(), u"9"_qs, u"0"_qs});
        openForm17();
        control<QRadioButton>("Option1(1)")->click();
        QPointer<ConnectionTypeScreen> form = shell->screens.find<ConnectionTypeScreen>();
        control<QPushButton>("Command1")->click();
        QCOMPARE(storedLayout(), (QStringList{title1, QString(), u"999"_qs, u"1"_qs}));
        QTRY_VERIFY(form.isNull());
        QVERIFY(!shell->screens.find<PaperSelectionScreen>());
        QCOMPARE(printers->backend.paperSizeQueries, 0);
    }

    void savingTheFixedTypeKeepsThePaperAndOpensThePaperScreen()
    {
        storeLayout({title1, title2, u"999"_qs, u"1"_qs});
        openForm17();
        // The last click counts.
        control<QRadioButton>("Option1(0)")->click();
        control<QRadioButton>("Option1(1)")->click();
        control<QRadioButton>("Option1(0)")->click();
        bool noticeShownWhileListing = false;
        printers->backend.onPaperSizeQuery = [&] {
            noticeShownWhileListing = connectingNoticeVisible();
        };
        QPointer<ConnectionTypeScreen> form = shell->screens.find<ConnectionTypeScreen>();
        control<QPushButton>("Command1")->click();
        QCOMPARE(storedLayout(), (QStringList{title1, title2, u"999"_qs, u"0"_qs}));
        QVERIFY(shell->screens.find<PaperSelectionScreen>());
        QVERIFY(noticeShownWhileListing);
        QTRY_VERIFY(form.isNull());
        QTRY_VERIFY(!connectingNoticeVisible());
    }

    void aFailedSaveIsShownAndTheScreenStays()
    {
        storeLayout({title1, title2, u"9"_qs, u"0"_qs});
        ConnectionTypeScreen* form = openForm17();
        // The file cannot be replaced once a folder has taken its name.
        QVERIFY(QFile::remove(layoutPath()));
        QVERIFY(QDir().mkpath(layoutPath()));
        control<QPushButton>("Command1")->click();
        QCOMPARE(control<QLabel>("Label2")->text(), u"プリンター設定エラー1525"_qs);
        QCOMPARE(shell->screens.find<ConnectionTypeScreen>(), form);
        QVERIFY(form->isVisible());
        QVERIFY(!shell->screens.find<PaperSelectionScreen>());
    }

    void theMainMenuOpensItOrSaysPrinterError()
    {
        MainMenuScreen* menu = shell->screens.open<MainMenuScreen>();
        auto* button = menu->findChild<QPushButton*>(u"Command4"_qs);
        QVERIFY(button->isEnabled());
        button->click();
        QVERIFY(shell->screens.find<ConnectionTypeScreen>());
        shell->screens.find<ConnectionTypeScreen>()->closeScreen();
        QTRY_VERIFY(!shell->screens.find<ConnectionTypeScreen>());

        QVERIFY(QFile::remove(layoutPath()));
        button->click();
        QVERIFY(!shell->screens.find<ConnectionTypeScreen>());
        QCOMPARE(menu->findChild<QLabel*>(u"Label12"_qs)->text(), u"プリンターエラー"_qs);
    }
};

QTEST_MAIN(ConnectionTypeScreenTest)
#include "tst_connectiontypescreen.moc"
