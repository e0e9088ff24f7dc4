// Every screen as the program shows it, a sub-window of the main window's
// document area, keeps the size its loading gave it: a screen squeezed to
// its layout's minimum wraps its values and cuts off its progress squares.

#include "datasourcefixture.h"

#include "core/render/labelprogress.h"
#include "ui/screens/datasourcescreen.h"
#include "ui/screens/labelprogressscreen.h"
#include "ui/screens/onlinehelpscreen.h"
#include "ui/screens/onlinesupportscreen.h"
#include "ui/screens/recordcountscreen.h"
#include "ui/screens/sampledatascreen.h"
#include "ui/screens/versioninfoscreen.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

class TestScreenSizes : public QObject
{
    Q_OBJECT

    template<class T> void checkShownAtItsOwnSize(DataSourceFixture& fixture)
    {
        T* loaded = fixture.screens.loaded<T>();
        QVERIFY(loaded);
        const QSize own = loaded->size();
        T* shown = fixture.screens.open<T>();
        QCOMPARE(shown, loaded);
        QVERIFY(qobject_cast<QMdiSubWindow*>(shown->parentWidget()));
        QTRY_COMPARE(shown->size(), own);
    }

    // A screen whose loading gives it no size is shown at what its layout
    // asks for, not at the least it can live with.
    template<class T> void checkShownAtItsLayoutSize(DataSourceFixture& fixture)
    {
        T* shown = fixture.screens.open<T>();
        QVERIFY(shown);
        QVERIFY(qobject_cast<QMdiSubWindow*>(shown->parentWidget()));
        QTRY_COMPARE(shown->size(), shown->QWidget::sizeHint());
    }

private slots:
    void screensInTheMainWindowKeepTheirOwnSize()
    {
        DataSourceFixture fixture;
        fixture.writeSettingsFile(fixture.productDatabase(u"商品.mdb"_qs, 10), u"Master"_qs,
                                  u"select bar,hi,mei,kakaku from "_qs);
        QMdiArea area;
        area.resize(1024, 720);
        area.show();
        fixture.screens.setContainer(&area);

        checkShownAtItsOwnSize<RecordCountScreen>(fixture);
        checkShownAtItsOwnSize<DataSourceScreen>(fixture);
        checkShownAtItsOwnSize<SampleDataScreen>(fixture);
        checkShownAtItsOwnSize<LabelProgressScreen>(fixture);
        checkShownAtItsLayoutSize<VersionInfoScreen>(fixture);
        checkShownAtItsLayoutSize<OnlineHelpScreen>(fixture);
        checkShownAtItsLayoutSize<OnlineSupportScreen>(fixture);

        // The version box's description shows every wrapped line.
        auto* description =
            fixture.screens.find<VersionInfoScreen>()->findChild<QLabel*>(u"lblDescription"_qs);
        QVERIFY(description->height() >= description->heightForWidth(description->width()));

        // All 25 progress squares fit the progress field.
        auto* progress = fixture.screens.find<LabelProgressScreen>();
        progress->setProgressSquares(LabelProgress::maximumSquares);
        auto* squares = progress->findChild<QLineEdit*>(u"txtprogress"_qs);
        const int needed = squares->fontMetrics().horizontalAdvance(squares->text());
        QVERIFY2(
            needed + 8 <= squares->width(),
            qPrintable(u"%1 px of squares in a %2 px field"_qs.arg(needed).arg(squares->width())));
    }
};

QTEST_MAIN(TestScreenSizes)
#include "tst_screensizes.moc"
