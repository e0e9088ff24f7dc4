// The output layout selection: its controls, loading the two layouts, the
// save with its "_" fillings and its refusals, the order page, and the
// orderly opening over a settings file that cannot be read.

#include "runfixture.h"

#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "support/recordingshellopener.h"
#include "support/settingsfixture.h"
#include "ui/screens/connectiontypescreen.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/layoutselectionscreen.h"
#include "ui/screens/paperselectionscreen.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

using namespace hakobee;
using namespace hakobee::test;

namespace {

QRadioButton* option(QWidget* screen, int index)
{
    return screen->findChild<QRadioButton*>(u"Option1(%1)"_qs.arg(index));
}

QLineEdit* field(QWidget* screen, const char* name)
{
    return screen->findChild<QLineEdit*>(QString::fromLatin1(name));
}

QString labelText(QWidget* screen, const char* name)
{
    auto* label = screen->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : u"<missing>"_qs;
}

void clickSave(QWidget* screen)
{
    screen->findChild<QPushButton*>(u"Command4"_qs)->click();
}

QStringList storedLayout(RunFixture& f)
{
    return readSettingsRows(f.settings.filePath(SettingsFiles::layout), 4).data;
}

} // namespace

class TestLayoutSelectionScreen : public QObject
{
    Q_OBJECT

private slots:
    void controlsCarryTheirTextsAndNothingIsChosen()
    {
        RunFixture f;
        LayoutSelectionScreen* screen = f.screens.open<LayoutSelectionScreen>();
        QCOMPARE(screen->objectName(), u"Form3"_qs);
        QCOMPARE(screen->windowTitle(), u"設定\u3000出力レイアウト選択"_qs);
        QCOMPARE(labelText(screen, "Label1"), u"出力レイアウト選択"_qs);
        QCOMPARE(screen->findChild<QGroupBox*>(u"Frame1"_qs)->title(), u"レイアウト選択項目"_qs);
        QCOMPARE(labelText(screen, "Label6"), u"SIZE 標準ﾀｲﾌﾟ"_qs);
        QCOMPARE(labelText(screen, "Label4"), u"タイトル1"_qs);
        QCOMPARE(labelText(screen, "Label5"), u"タイトル2"_qs);
        QCOMPARE(labelText(screen, "Label7"), u"自社名"_qs);
        QCOMPARE(labelText(screen, "Label2"), u"現在の設定"_qs);
        QCOMPARE(screen->findChild<QPushButton*>(u"Command4"_qs)->text(), u"設定変更"_qs);
        QCOMPARE(screen->findChild<QPushButton*>(u"Command1"_qs)->text(),
                 u"レイアウト作成注文依頼(WEB)"_qs);
        const QStringList captions{u"ラベルシール"_qs,
                                   u"ｶｽﾀﾏｲｽﾞ7304\u3000家具統一伝票\u3000(C7304仕様)"_qs,
                                   u"カスタマイズ2"_qs, u"カスタマイズ設定【無効】"_qs};
        for (int index = 0; index < 4; ++index) {
            QCOMPARE(option(screen, index)->text(), captions[index]);
            QVERIFY(!option(screen, index)->isChecked());
            QCOMPARE(option(screen, index)->isEnabled(), index == 0);
        }
        QVERIFY(!field(screen, "Text3")->isEnabled() && !field(screen, "Text4")->isEnabled());
        // The paper and the connection type a save carries are never shown.
        QCOMPARE(screen->findChildren<QLineEdit*>().size(), 4);
    }

    void loadsEitherLayout()
    {
        RunFixture f;
        f.writeLayout(u"ハコビー商店"_qs, u"税込"_qs, u"9"_qs, u"0"_qs);
        LayoutSelectionScreen* screen = f.screens.open<LayoutSelectionScreen>();
        QCOMPARE(field(screen, "Text1")->text(), u"ハコビー商店"_qs);
        QCOMPARE(field(screen, "Text2")->text(), u"税込"_qs);
        QCOMPARE(labelText(screen, "Label3"), u"標準ﾀｲﾌﾟ"_qs);
        screen->closeScreen();

        f.writeLayout(u"山田家具"_qs, u"ｶｽﾀﾏｲｽﾞ7304使用中"_qs, u"9"_qs, u"1"_qs);
        screen = f.screens.open<LayoutSelectionScreen>();
        QCOMPARE(labelText(screen, "Label3"), u"C7304 家具統一伝票"_qs);
        QCOMPARE(field(screen, "Text1")->text(), QString());
        QCOMPARE(field(screen, "Text2")->text(), QString());
        QCOMPARE(field(screen, "Text3")->text(), u"山田家具"_qs);
        QCOMPARE(field(screen, "Text4")->text(), QString());
        QCOMPARE(screen->titles().title2, QString());

        // Saving the label layout from there returns to it with "_" titles.
        option(screen, 0)->click();
        clickSave(screen);
        QCOMPARE(storedLayout(f), (QStringList{u"_"_qs, u"_"_qs, u"9"_qs, u"1"_qs}));
    }

    void saveFillsEmptiesAndConfirmsAfterClosing()
    {
        RunFixture f;
        f.writeLayout(u"A"_qs, u"B"_qs, u"999"_qs, u"1"_qs);
        QPointer<LayoutSelectionScreen> screen = f.screens.open<LayoutSelectionScreen>();
        field(screen, "Text1")->clear();
        field(screen, "Text2")->clear();
        bool closedAtMessage = false;
        f.messages.onShow = [&] {
            closedAtMessage = !screen || screen->isClosed();
        };
        option(screen, 0)->click();
        clickSave(screen);
        QCOMPARE(storedLayout(f), (QStringList{u"_"_qs, u"_"_qs, u"999"_qs, u"1"_qs}));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"設定が変更されました｡"_qs);
        QCOMPARE(f.messages.shown[0].title, u"設定変更"_qs);
        QCOMPARE(f.messages.shown[0].icon, MessageIcon::Information);
        QVERIFY(closedAtMessage);
        QTRY_VERIFY(screen.isNull());

        // A title with a comma comes back as it was typed.
        screen = f.screens.open<LayoutSelectionScreen>();
        field(screen, "Text1")->setText(u"ハコビー商店, 本店"_qs);
        option(screen, 0)->click();
        clickSave(screen);
        QTRY_VERIFY(screen.isNull());
        screen = f.screens.open<LayoutSelectionScreen>();
        QCOMPARE(field(screen, "Text1")->text(), u"ハコビー商店, 本店"_qs);
    }

    void saveWithoutAUsableChoiceOrValueWritesNothing()
    {
        RunFixture f;
        f.writeLayout(QString(), u"B"_qs, QString(), u"0"_qs);
        const QByteArray before =
            SettingsFixture::readBytes(f.settings.filePath(SettingsFiles::layout));
        LayoutSelectionScreen* screen = f.screens.open<LayoutSelectionScreen>();
        clickSave(screen);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].text, u"設定項目が選択されていません。"_qs);
        QCOMPARE(f.messages.shown[0].title, u"設定変更エラー"_qs);
        QCOMPARE(f.messages.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(SettingsFixture::readBytes(f.settings.filePath(SettingsFiles::layout)), before);
        QVERIFY(screen->isVisible());
        // The fillings stay in the fields.
        QCOMPARE(field(screen, "Text1")->text(), u"_"_qs);
        QCOMPARE(field(screen, "Text3")->text(), u"_"_qs);

        // A title the file cannot hold is refused with the reason.
        option(screen, 0)->click();
        field(screen, "Text2")->setText(u"12\"W"_qs);
        clickSave(screen);
        QCOMPARE(f.messages.shown.size(), 2);
        QCOMPARE(f.messages.shown[1].title, u"設定変更エラー"_qs);
        QCOMPARE(SettingsFixture::readBytes(f.settings.filePath(SettingsFiles::layout)), before);
        QVERIFY(screen->isVisible());

        // Once the title can be stored, the empty paper is saved as "_".
        field(screen, "Text2")->setText(u"B"_qs);
        clickSave(screen);
        QCOMPARE(storedLayout(f), (QStringList{u"_"_qs, u"B"_qs, u"_"_qs, u"0"_qs}));
    }

    void unreadableSettingsOpenWithEmptyFieldsAndAMessage()
    {
        RunFixture f;
        QFile::remove(f.settings.filePath(SettingsFiles::layout));
        LayoutSelectionScreen* screen = f.screens.open<LayoutSelectionScreen>();
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(f.messages.shown.size(), 1);
        QVERIFY2(f.messages.shown[0].text.contains(u"nimbeconfig4.txt"_qs),
                 qPrintable(f.messages.shown[0].text));
        QCOMPARE(field(screen, "Text1")->text(), QString());
        QCOMPARE(labelText(screen, "Label3"), QString());

        // A value empty in the file is an empty field.
        screen->closeScreen();
        f.writeLayout(u"A"_qs, QString(), u"9"_qs, u"0"_qs);
        f.messages.shown.clear();
        screen = f.screens.open<LayoutSelectionScreen>();
        QCOMPARE(f.messages.shown.size(), 0);
        QCOMPARE(field(screen, "Text2")->text(), QString());
        QCOMPARE(field(screen, "Text1")->text(), u"A"_qs);
    }

    // A print run reads the titles without loading the screen. The
    // connection type and paper saved on Form17 and Form7 in the meantime
    // stay in the file when a title is saved here.
    void eachScreenOfTheLayoutFileKeepsWhatTheOthersSaved()
    {
        RunFixture f;
        f.useProducts(1);
        f.printerBackend.printers[0].paperSizes = {{256, 3402, 2268, u"label"_qs}};
        f.writeLayout(u"T1"_qs, u"T2"_qs, u"9"_qs, u"0"_qs);
        const auto printedByARun = [&f] {
            f.screens.open<ContinuousRunScreen>()->findChild<QPushButton*>(u"Command3"_qs)->click();
            QVERIFY(!f.screens.find<LayoutSelectionScreen>());
        };
        const auto saveOnForm3 = [&f](const char* titleField, const QString& title) {
            QPointer<LayoutSelectionScreen> screen = f.screens.open<LayoutSelectionScreen>();
            field(screen, titleField)->setText(title);
            option(screen, 0)->click();
            clickSave(screen);
            QTRY_VERIFY(screen.isNull());
        };

        printedByARun();
        ConnectionTypeScreen* type = f.screens.open<ConnectionTypeScreen>();
        type->findChild<QRadioButton*>(u"Option1(1)"_qs)->click();
        type->findChild<QPushButton*>(u"Command1"_qs)->click();
        QCOMPARE(storedLayout(f), (QStringList{u"T1"_qs, u"T2"_qs, u"999"_qs, u"1"_qs}));
        saveOnForm3("Text1", u"NEW"_qs);
        QCOMPARE(storedLayout(f), (QStringList{u"NEW"_qs, u"T2"_qs, u"999"_qs, u"1"_qs}));

        printedByARun();
        type = f.screens.open<ConnectionTypeScreen>();
        type->findChild<QRadioButton*>(u"Option1(0)"_qs)->click();
        type->findChild<QPushButton*>(u"Command1"_qs)->click();
        auto* paper = f.screens.find<PaperSelectionScreen>();
        QVERIFY(paper);
        paper->findChild<QListWidget*>(u"List2(0)"_qs)->item(0)->setSelected(true);
        paper->findChild<QPushButton*>(u"Command3"_qs)->click();
        QCOMPARE(storedLayout(f), (QStringList{u"NEW"_qs, u"T2"_qs, u"256"_qs, u"0"_qs}));
        saveOnForm3("Text2", u"NEW2"_qs);
        QCOMPARE(storedLayout(f), (QStringList{u"NEW"_qs, u"NEW2"_qs, u"256"_qs, u"0"_qs}));

        // The other way round: the printer screens open while a title is saved.
        type = f.screens.open<ConnectionTypeScreen>();
        saveOnForm3("Text1", u"NEWER"_qs);
        type->findChild<QRadioButton*>(u"Option1(1)"_qs)->click();
        type->findChild<QPushButton*>(u"Command1"_qs)->click();
        QCOMPARE(storedLayout(f), (QStringList{u"NEWER"_qs, u"NEW2"_qs, u"999"_qs, u"1"_qs}));
        f.writeLayout(u"NEWER"_qs, u"NEW2"_qs, u"256"_qs, u"0"_qs);
        paper = f.screens.open<PaperSelectionScreen>();
        saveOnForm3("Text2", u"NEWER2"_qs);
        paper->findChild<QListWidget*>(u"List2(0)"_qs)->item(0)->setSelected(true);
        paper->findChild<QPushButton*>(u"Command3"_qs)->click();
        QCOMPARE(storedLayout(f), (QStringList{u"NEWER"_qs, u"NEWER2"_qs, u"256"_qs, u"0"_qs}));
    }

    void fileUnreadableAtTheSaveIsReportedAndNotWritten()
    {
        RunFixture f;
        const QString path = f.settings.filePath(SettingsFiles::layout);
        LayoutSelectionScreen* screen = f.screens.open<LayoutSelectionScreen>();
        const QByteArray damaged = "\xEF\xBB\xBF\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n";
        SettingsFixture::writeBytes(path, damaged);
        option(screen, 0)->click();
        clickSave(screen);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, u"設定変更エラー"_qs);
        QCOMPARE(f.messages.shown[0].icon, MessageIcon::Critical);
        QVERIFY2(f.messages.shown[0].text.contains(u"UTF-8"_qs),
                 qPrintable(f.messages.shown[0].text));
        QCOMPARE(SettingsFixture::readBytes(path), damaged);
        QVERIFY(screen->isVisible());
        screen->closeScreen();

        // Opened over a file it could not read, the screen writes it complete again.
        QFile::remove(path);
        screen = f.screens.open<LayoutSelectionScreen>();
        field(screen, "Text1")->setText(u"A"_qs);
        option(screen, 0)->click();
        clickSave(screen);
        QCOMPARE(storedLayout(f), (QStringList{u"A"_qs, u"_"_qs, u"_"_qs, QString()}));
    }

    void orderButtonOpensTheOrderPage()
    {
        RunFixture f;
        RecordingShellOpener shell;
        f.context.shell = &shell;
        LayoutSelectionScreen* screen = f.screens.open<LayoutSelectionScreen>();
        screen->findChild<QPushButton*>(u"Command1"_qs)->click();
        QCOMPARE(shell.opened.size(), 1);
        QVERIFY2(shell.opened[0].path().endsWith(u"/tolform2/form.html"_qs),
                 qPrintable(shell.opened[0].toString()));
        QVERIFY(screen->isVisible());
    }
};

QTEST_MAIN(TestLayoutSelectionScreen)
#include "tst_layoutselectionscreen.moc"
