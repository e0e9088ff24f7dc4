// The address a page button opens and shows: the maker's site followed by
// the page's path when the build names a site, else the file of that path
// among the program's own pages; the address shown reads back as the same.
#include "core/makersite.h"

#include <QTest>
#include <QUrl>

using namespace hakobee;

class TestMakerSite : public QObject
{
    Q_OBJECT

private slots:
    void addressIsTheSiteOrTheOwnPageAndReadsBackFromTheScreen_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("pagesFolder");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QUrl>("expected");
        QTest::newRow("site") << u"https://www.example.co.jp"_qs << u"/usr/share/hakobee/pages"_qs
                              << MakerPages::onlineHelp
                              << QUrl(u"https://www.example.co.jp/ora.htm"_qs);
        QTest::newRow("site ending in a slash, a folder on it")
            << u"https://www.example.co.jp/hakobee/"_qs << QString() << MakerPages::layoutOrderForm
            << QUrl(u"https://www.example.co.jp/hakobee/tolform2/form.html"_qs);
        QTest::newRow("own page in a subfolder")
            << QString() << u"/usr/share/hakobee/pages"_qs << MakerPages::layoutOrderForm
            << QUrl(u"file:///usr/share/hakobee/pages/tolform2/form.html"_qs);
        QTest::newRow("own page, Japanese and a blank in the folder")
            << QString() << u"/home/店長/ハコビー 2/pages/"_qs << MakerPages::onlineSupport
            << QUrl::fromLocalFile(u"/home/店長/ハコビー 2/pages/qqq.htm"_qs);
    }

    void addressIsTheSiteOrTheOwnPageAndReadsBackFromTheScreen()
    {
        QFETCH(QString, site);
        QFETCH(QString, pagesFolder);
        QFETCH(QString, page);
        QFETCH(QUrl, expected);
        const QUrl address = pageUrl(site, pagesFolder, page);
        QCOMPARE(address, expected);
        // Typed or pasted from the screen into a browser, it is the same address.
        QCOMPARE(QUrl(shownPageAddress(address)), address);
        QCOMPARE(QUrl::fromUserInput(shownPageAddress(address)), address);
    }
};

QTEST_APPLESS_MAIN(TestMakerSite)
#include "tst_makersite.moc"
