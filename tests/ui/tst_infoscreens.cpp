// The version box and the two link screens, opened from the help menu: their
// texts, their one window each, the pages their buttons (and the layout
// selection's order button) hand the shell, and the address they show when
// no browser can be started.
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

    void linkScreensShowTheirNote_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("note");
        QTest::newRow("online help")
            << u"オンラインヘルプ"_qs << u"Form9"_qs << u"オンラインヘルプサイト紹介"_qs
            << u"ｵﾝﾗｲﾝﾍﾙﾌﾟはｲﾝﾀｰﾈｯﾄへの接続が必要です"_qs;
        QTest::newRow("online support")
            << u"オンラインサポート"_qs << u"Form10"_qs << u"ｵﾝﾗｲﾝｻﾎﾟｰﾄ紹介"_qs
            << u"ｵﾝﾗｲﾝｻﾎﾟｰﾄはｲﾝﾀｰﾈｯﾄへの接続が必要です"_qs;
    }

    void linkScreensShowTheirNote()
    {
        QFETCH(QString, item);
        QFETCH(QString, objectName);
        QWidget* screen = openFromMenu(item, objectName);
        QVERIFY(screen);
        QTEST(screen->windowTitle(), "caption");
        QTEST(text(screen, u"Label1"_qs), "note");
        QCOMPARE(text(screen, u"Command1"_qs), u"画面を開く"_qs);
    }

    // The four buttons that lead to a page: the help menu's three screens
    // and the layout selection's order button.
    static void pageButtonRows()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("page");
        QTest::newRow("version box")
            << u"mnuHelpAbout"_qs << u"frmAbout"_qs << u"/tolform2/form.html"_qs;
        QTest::newRow("online help") << u"オンラインヘルプ"_qs << u"Form9"_qs << u"/ora.htm"_qs;
        QTest::newRow("online support")
            << u"オンラインサポート"_qs << u"Form10"_qs << u"/qqq.htm"_qs;
        QTest::newRow("layout selection") << u"set1"_qs << u"Form3"_qs << u"/tolform2/form.html"_qs;
    }

    void linkButtonsHandTheirPageToTheShellAndKeepTheScreen_data() { pageButtonRows(); }

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
        QCOMPARE(fixture->shell.opened.size(), 2);
        const QUrl opened = fixture->shell.opened.first();
        QCOMPARE(fixture->shell.opened.last(), opened);
        QVERIFY2(opened.path().endsWith(page), qPrintable(opened.toString()));
        // The link screens show the address their button opens.
        if (objectName == u"Form9"_qs || objectName == u"Form10"_qs)
            QCOMPARE(QUrl(text(screen, u"Label2"_qs)), opened);
        // A browser came up: nothing is said and the screen stays as it was.
        QVERIFY(fixture->messages.shown.isEmpty());
        QVERIFY(!screen->findChild<QLabel*>(u"LabelNoBrowser"_qs)->isVisible());
        QApplication::processEvents();
        QVERIFY(screen && screen->isVisible());
    }

    void withoutABrowserTheScreenShowsTheAddress_data() { pageButtonRows(); }

    void withoutABrowserTheScreenShowsTheAddress()
    {
        QFETCH(QString, item);
        QFETCH(QString, objectName);
        fixture->shell.browserStarts = false;
        QPointer<QWidget> screen = openFromMenu(item, objectName);
        QVERIFY(screen);
        screen->findChild<QPushButton*>(u"Command1"_qs)->click();
        QCOMPARE(fixture->shell.opened.size(), 1);
        const QUrl opened = fixture->shell.opened.first();

        // No message box: a line on the screen says so, and the address the
        // button tried is there, selected, for copying into a browser.
        QVERIFY(fixture->messages.shown.isEmpty());
        auto* note = screen->findChild<QLabel*>(u"LabelNoBrowser"_qs);
        QVERIFY(note && note->isVisible());
        QVERIFY(note->text().contains(u"ブラウザ"_qs));
        QLabel* address = nullptr;
        for (QLabel* label : screen->findChildren<QLabel*>()) {
            if (label->isVisible() && QUrl(label->text()) == opened)
                address = label;
        }
        QVERIFY2(address, qPrintable(opened.toString() + u" is not shown"_qs));
        QVERIFY(address->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QCOMPARE(address->selectedText(), address->text());
        QApplication::processEvents();
        QVERIFY(screen && screen->isVisible());
        // Whole: the screen grew to show the line and the address uncut.
        QVERIFY(address->width() >= address->sizeHint().width());
        QVERIFY(note->height() >= note->heightForWidth(note->width()));
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
