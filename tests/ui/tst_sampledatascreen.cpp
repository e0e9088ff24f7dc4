#include "ui/screenhost.h"
#include "ui/widgets/sampledatapicture.h"
#include "ui/screens/sampledatascreen.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace hakobee;

class TestSampleDataScreen : public QObject
{
    Q_OBJECT

private slots:
    void pictureIsTheSampleTableAtItsFixedSize()
    {
        const QImage picture = drawSampleDataPicture();
        QCOMPARE(picture.size(), QSize(451, 176));
        QCOMPARE(picture.depth(), 24);

        // The caption strip, the grey header row and the text of the rows
        // are all there: a blank or single-colour picture fails.
        const QColor strip = picture.pixelColor(200, 3);
        QVERIFY(strip.blue() > strip.red() + 60);
        int darkPixels = 0;
        for (int y = 44; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                darkPixels += picture.pixelColor(x, y).lightness() < 100;
        QVERIFY2(darkPixels > 1500, qPrintable(QString::number(darkPixels)));
    }

    void screenShowsHeadingPictureAndClosesWithItsButton()
    {
        AppContext context;
        ScreenHost host(context);
        context.screens = &host;
        QPointer<SampleDataScreen> screen = host.open<SampleDataScreen>();
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), u"CSVファイルサンプル"_qs);
        QCOMPARE(screen->size(), QSize(560, 387));
        QCOMPARE(screen->findChild<QLabel*>(u"Label1"_qs)->text(),
                 u"DBデータファイル作成　サンプル"_qs);
        auto* picture = screen->findChild<QLabel*>(u"Picture1"_qs);
        QCOMPARE(picture->pixmap().size(), QSize(451, 176));
        QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB888),
                 drawSampleDataPicture());

        QCOMPARE(host.open<SampleDataScreen>(), screen.data());
        auto* close = screen->findChild<QPushButton*>(u"Command1"_qs);
        QCOMPARE(close->text(), u"閉じる"_qs);
        close->click();
        QTRY_VERIFY(screen.isNull());
    }
};

QTEST_MAIN(TestSampleDataScreen)
#include "tst_sampledatascreen.moc"
