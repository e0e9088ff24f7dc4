// The version box and the two link screens, opened from the help menu: their
// texts, their one window each, and the pages their buttons hand the shell.
#include "support/shellfixture.h"
#include "ui/screens/mainwindow.h"
#include "ui/screens/onlinehelpscreen.h"
#include "ui/screens/onlinesupportscreen.h"
#include "ui/screens/versioninfoscreen.h"

#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace hakobee;
using hakobee::test::ShellFixture;

class TestInformationScreens : public QObject
{
    Q_OBJECT

    std::unique_ptr<ShellFixture> fixture;
    std::unique_ptr<MainWindow> window;

    QString text(QWidget* screen, const QString& name) const
    {
        if (auto* label = screen->findChild<QLabel*>(name))
            return label->text();
        if (auto* button = screen->findChild<QPushButton*>(name))
            return button->text();
        return u"<no control "_qs + name + u">"_qs;
    }

    // The screens in the main window's document area that carry the object name.
    QList<QWidget*> windowsNamed(const QString& objectName) const
    {
        QList<QWidget*> found;
        for (QMdiSubWindow* frame : window->documentArea()->subWindowList()) {
            if (frame->widget() && frame->widget()->objectName() == objectName)
                found.append(frame->widget());
        }
        return found;
    }

    QWidget* openFromMenu(const QString& item, const QString& objectName)
    {
        window->menuItem(item)->trigger();
        const QList<QWidget*> found = windowsNamed(objectName);
        return found.size() == 1 ? found.first() : nullptr;
    }

    // The honey-coloured square around a white label: neither missing nor a
    // blank placeholder. Empty when it looks so, else what was seen.
    static QString programIconMismatch(const QImage& icon)
    {
        if (icon.isNull())
            return u"no icon"_qs;
        const QColor honey = icon.pixelColor(icon.width() / 10, icon.height() / 2);
        const QColor label = icon.pixelColor(icon.width() / 2, icon.height() * 5 / 16);
        if (honey.red() > 200 && honey.green() > 120 && honey.blue() < 80 &&
            label == QColor(Qt::white))
            return {};
        return u"%1x%2: background %3, label %4"_qs.arg(icon.width())
            .arg(icon.height())
            .arg(honey.name(QColor::HexArgb), label.name(QColor::HexArgb));
    }

private slots:
    void init()
    {
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

    void versionBoxShowsTheProgramsIconNameVersionAndPurpose()
    {
        QWidget* box = openFromMenu(u"mnuHelpAbout"_qs, u"frmAbout"_qs);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報"_qs);
        QCOMPARE(text(box, u"lblTitle"_qs), u"ﾊﾞｰｺｰﾄﾞハコビー"_qs);
        QCOMPARE(text(box, u"lblVersion"_qs), u"ﾊﾞｰｼﾞｮﾝ　2.0.5 2004/10修正"_qs);
        QCOMPARE(text(box, u"lblDescription"_qs),
                 u"このアプリケーションはデータベースと連携してデータを連続して印刷する業務用ソフト"
                 u"です。バーコード付ラベル発行や物流ラベル、棚札など、その他帳票発行に最適です。"
                 u"余計な機能は一切ありませんので使用方法も至って簡単。マニュアル要らずです。"
                 u"不明な点はｵﾝﾗｲﾝｻﾎﾟｰﾄにて問い合わせ可能"_qs);
        QCOMPARE(text(box, u"cmdOK"_qs), u"OK"_qs);
        QCOMPARE(text(box, u"Command1"_qs), u"ﾚｲｱｳﾄ作成依頼"_qs);
        QVERIFY(box->findChild<QFrame*>(u"Line1"_qs));

        // The icon drawn for the program, in the box and on the main window.
        const QImage icon = box->findChild<QLabel*>(u"picIcon"_qs)->pixmap().toImage();
        QCOMPARE(programIconMismatch(icon), QString());
        QCOMPARE(programIconMismatch(window->windowIcon().pixmap(32, 32).toImage()), QString());
    }

    void linkScreensShowTheirNoteAndTheFullAddress_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("address");
        QTest::newRow("online help")
            << u"オンラインヘルプ"_qs << u"Form9"_qs << u"オンラインヘルプサイト紹介"_qs
            << u"ｵﾝﾗｲﾝﾍﾙﾌﾟはｲﾝﾀｰﾈｯﾄへの接続が必要です"_qs
            << u"https://hakobee.example.jp/ora.htm"_qs;
        QTest::newRow("online support")
            << u"オンラインサポート"_qs << u"Form10"_qs << u"ｵﾝﾗｲﾝｻﾎﾟｰﾄ紹介"_qs
            << u"ｵﾝﾗｲﾝｻﾎﾟｰﾄはｲﾝﾀｰﾈｯﾄへの接続が必要です"_qs
            << u"https://hakobee.example.jp/qqq.htm"_qs;
    }

    void linkScreensShowTheirNoteAndTheFullAddress()
    {
        QFETCH(QString, item);
        QFETCH(QString, objectName);
        QWidget* screen = openFromMenu(item, objectName);
        QVERIFY(screen);
        QTEST(screen->windowTitle(), "caption");
        QTEST(text(screen, u"Label1"_qs), "note");
        QTEST(text(screen, u"Label2"_qs), "address");
        QCOMPARE(text(screen, u"Command1"_qs), u"画面を開く"_qs);
    }

    void linkButtonsHandTheirPageToTheShellAndKeepTheScreen_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("page");
        QTest::newRow("version box") << u"mnuHelpAbout"_qs << u"frmAbout"_qs
                                     << u"https://hakobee.example.jp/tolform2/form.html"_qs;
        QTest::newRow("online help")
            << u"オンラインヘルプ"_qs << u"Form9"_qs << u"https://hakobee.example.jp/ora.htm"_qs;
        QTest::newRow("online support")
            << u"オンラインサポート"_qs << u"Form10"_qs << u"https://hakobee.example.jp/qqq.htm"_qs;
    }

    void linkButtonsHandTheirPageToTheShellAndKeepTheScreen()
    {
        QFETCH(QString, item);
        QFETCH(QString, objectName);
        QFETCH(QString, page);
        QPointer<QWidget> screen = openFromMenu(item, objectName);
        QVERIFY(screen);
        auto* button = screen->findChild<QPushButton*>(u"Command1"_qs);
        button->click();
        button->click();
        // The shell opens no browser here, as on a machine without one or
        // without a network: nothing is said and the screen stays.
        QCOMPARE(fixture->shell.opened, QList<QUrl>({QUrl(page), QUrl(page)}));
        QVERIFY(fixture->messages.shown.isEmpty());
        QApplication::processEvents();
        QVERIFY(screen && screen->isVisible());
    }

    void eachScreenIsOneWindowAndOpensAnewAfterClosing_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("closeButton");
        QTest::newRow("version box") << u"mnuHelpAbout"_qs << u"frmAbout"_qs << u"cmdOK"_qs;
        QTest::newRow("online help") << u"オンラインヘルプ"_qs << u"Form9"_qs << QString();
        QTest::newRow("online support") << u"オンラインサポート"_qs << u"Form10"_qs << QString();
    }

    void eachScreenIsOneWindowAndOpensAnewAfterClosing()
    {
        QFETCH(QString, item);
        QFETCH(QString, objectName);
        QFETCH(QString, closeButton);
        QPointer<QWidget> first = openFromMenu(item, objectName);
        QVERIFY(first);
        QCOMPARE(openFromMenu(item, objectName), first.data());
        QCOMPARE(windowsNamed(objectName).size(), 1);

        // The version box closes with its OK button; the link screens with
        // their window frame.
        if (!closeButton.isEmpty())
            first->findChild<QPushButton*>(closeButton)->click();
        else
            first->parentWidget()->close();
        QTRY_VERIFY(first.isNull());
        QVERIFY(windowsNamed(objectName).isEmpty());

        QWidget* second = openFromMenu(item, objectName);
        QVERIFY(second);
    }
};

QTEST_MAIN(TestInformationScreens)
#include "tst_infoscreens.moc"
