#include "core/render/cancelrequest.h"
#include "core/render/labelrenderer.h"
#include "support/labelsamples.h"
#include "support/recordingcanvas.h"
#include "support/screencontrols.h"
#include "ui/appcontext.h"
#include "ui/screenhost.h"
#include "ui/screenlabelprogress.h"
#include "ui/screens/labelprogressscreen.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace hakobee;
using test::cancelButtonOf;
using test::FixedPicture;
using test::RecordingCanvas;
using test::squaresOf;
using Kind = RecordingCanvas::Kind;

namespace {

// One label drawn on the canvas while the progress screen shows, as the
// window's label pipeline draws it.
void printOneLabel(AppContext& context, PrinterCanvas& canvas, const LabelRecord& record)
{
    ScreenLabelProgress progress(*context.screens);
    LabelRenderer renderer(canvas, progress, *context.cancel);
    renderer.printLabel(record);
}

LabelRecord sampleRecord()
{
    return test::sampleLabelRecord(u"4901234567894"_qs, std::make_shared<FixedPicture>());
}

// Notes, at the first drawing call of each label, how the progress screen looks.
class WatchingCanvas : public RecordingCanvas
{
public:
    explicit WatchingCanvas(ScreenHost& host) : host_(host) {}
    void drawText(QPointF topLeftMm, const QString& text) override
    {
        if (calls.isEmpty() || calls.last().kind == Kind::End) {
            LabelProgressScreen* screen = host_.find<LabelProgressScreen>();
            seenVisible.append(screen && screen->isVisible());
            seenBar.append(screen ? squaresOf(screen)->text() : u"(none)"_qs);
        }
        RecordingCanvas::drawText(topLeftMm, text);
    }
    QList<bool> seenVisible;
    QStringList seenBar;

private:
    ScreenHost& host_;
};

struct Fixture
{
    Fixture() : host(context)
    {
        context.screens = &host;
        context.cancel = &cancel;
    }
    AppContext context;
    ScreenHost host;
    CancelRequest cancel;
};

const QString square = u"■"_qs;

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

private slots:
    void screenShowsItsTextsAndAnEmptyBar()
    {
        Fixture f;
        QPointer<LabelProgressScreen> screen = f.host.open<LabelProgressScreen>();
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), u"frmprinting"_qs);
        QCOMPARE(screen->windowTitle(), u"   印刷処理中"_qs);
        QCOMPARE(screen->findChild<QLabel*>(u"Label1"_qs)->text(),
                 u"伝票印刷処理中\u3000しばらくお待ちください。"_qs);
        QCOMPARE(cancelButtonOf(screen)->text(), u"キャンセル"_qs);
        QVERIFY(squaresOf(screen));
        QCOMPARE(squaresOf(screen)->text(), QString());
        QCOMPARE(screen->geometry(), QRect(200, 220, 333, 153));

        screen->setProgressSquares(12);
        QCOMPARE(squaresOf(screen)->text(), square.repeated(12));
        screen->setProgressSquares(40);
        QCOMPARE(squaresOf(screen)->text(), square.repeated(25));
        screen->setProgressSquares(-3);
        QCOMPARE(squaresOf(screen)->text(), QString());
        screen->closeScreen();
        QTRY_VERIFY(screen.isNull());
    }

    void cancelRaisesTheRequestAndOpensNothing()
    {
        Fixture f;
        LabelProgressScreen* screen = f.host.open<LabelProgressScreen>();
        const auto windowsBefore = QApplication::topLevelWidgets().size();

        cancelButtonOf(screen)->click();

        QVERIFY(f.cancel.isRequested());
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
        screen->closeScreen();
    }

    void eachLabelShowsAFreshScreenAndUnloadsIt()
    {
        Fixture f;
        WatchingCanvas canvas(f.host);
        printOneLabel(f.context, canvas, sampleRecord());
        QVERIFY(!f.host.find<LabelProgressScreen>());
        printOneLabel(f.context, canvas, sampleRecord());
        QVERIFY(!f.host.find<LabelProgressScreen>());
        QCOMPARE(canvas.seenVisible, (QList<bool>{true, true}));
        // The second label starts from an empty bar, not the first one's 25.
        QCOMPARE(canvas.seenBar, (QStringList{QString(), QString()}));
        QCOMPARE(canvas.count(Kind::End), 2);
    }

    void cancelClickedDuringDrawingAbortsTheLabel()
    {
        Fixture f;
        RecordingCanvas canvas;
        // The click waits in the event queue until the renderer yields.
        QMetaObject::invokeMethod(
            qApp,
            [&f] {
                LabelProgressScreen* screen = f.host.find<LabelProgressScreen>();
                QVERIFY(screen);
                cancelButtonOf(screen)->click();
            },
            Qt::QueuedConnection);

        printOneLabel(f.context, canvas, sampleRecord());

        QCOMPARE(canvas.count(Kind::Abort), 1);
        QCOMPARE(canvas.count(Kind::End), 0);
        QCOMPARE(canvas.count(Kind::Picture), 0);
        QCOMPARE(canvas.calls.last().kind, Kind::Abort);
        QVERIFY(f.cancel.isRequested()); // kept until the next label starts
        QVERIFY(!f.host.find<LabelProgressScreen>());

        // The next label is not affected by the earlier cancel.
        printOneLabel(f.context, canvas, sampleRecord());
        QCOMPARE(canvas.count(Kind::End), 1);
        QVERIFY(!f.cancel.isRequested());
    }
};

QTEST_MAIN(TestProgress)
#include "tst_progress.moc"
