// The database file of a run removed or replaced under the program: while a
// run screen is open, and in the middle of a run. The operator gets every
// label of one database or a message naming the file and the row; never a
// crash, a label of a record from another file, or a record twice.

#include "runfixture.h"

#include "support/screencontrols.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/partialrunscreen.h"

#include <mdbwriter/mdbwriter.h>
#include <testdata/generatedproducts.h>
#include <testdata/productstable.h>

#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;

namespace {

QPushButton* startButton(QWidget* screen)
{
    return screen->findChild<QPushButton*>(u"Command3"_qs);
}

// Another database of the same shape whose barcodes are all different from
// the generated ones: rows from `offset` on of the generated products.
QByteArray otherDatabase(const QString& folder, qint64 rows, qint64 offset)
{
    const QString path = folder + u"/other.mdb"_qs;
    mdbwriter::Table table = testdata::generatedProductsTable(u"Master"_qs, rows + offset);
    const auto generated = table.rowAt;
    table.rowCount = rows;
    table.rowAt = [generated, offset](qint64 row, QList<mdbwriter::Value>& values) {
        generated(row + offset, values);
    };
    mdbwriter::writeDatabase(path, {table});
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Replaces the file as a copy tool does: the same file, truncated and
// written anew, or a new file renamed over it.
void replace(const QString& path, const QByteArray& bytes, bool inPlace)
{
    if (inPlace) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        return;
    }
    QFile file(path + u".new"_qs);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    QVERIFY(::rename(QFile::encodeName(file.fileName()).constData(),
                     QFile::encodeName(path).constData()) == 0);
}

} // namespace

class TestRunFaults : public QObject
{
    Q_OBJECT

private slots:
    void removedWhileTheScreensAreOpen()
    {
        RunFixture f;
        const QString path = f.useProducts(20);
        ContinuousRunScreen* continuous = f.screens.open<ContinuousRunScreen>();
        QVERIFY(QFile::remove(path));

        startButton(continuous)->click();
        QVERIFY(f.canvas.printedCaptions().isEmpty());
        QCOMPARE(f.messages.shown.size(), 1);
        const QString said = f.messages.shown[0].text;
        QVERIFY2(said.startsWith(u"印刷を始められませんでした。"_qs) && said.contains(path),
                 qPrintable(said));
        QVERIFY(continuous->isVisible() && startButton(continuous)->isEnabled());

        // The partial run's screen says so as it opens; its start asks for
        // the screen to be opened again, and prints nothing.
        PartialRunScreen* partial = f.screens.open<PartialRunScreen>();
        QVERIFY(partial);
        QCOMPARE(f.messages.shown.size(), 2);
        QVERIFY2(f.messages.shown[1].text.contains(path), qPrintable(f.messages.shown[1].text));
        partial->findChild<QLineEdit*>(u"TextPP1"_qs)->setText(u"1"_qs);
        partial->findChild<QLineEdit*>(u"TextPP2"_qs)->setText(u"5"_qs);
        startButton(partial)->click();
        QVERIFY(f.canvas.printedCaptions().isEmpty());
        QCOMPARE(f.messages.shown.size(), 3);

        // With the file back, the same opening prints every record once.
        f.useProducts(20);
        startButton(continuous)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 20));
    }

    void replacedWhileTheScreenIsOpen_data()
    {
        QTest::addColumn<bool>("inPlace");
        QTest::newRow("written over in place") << true;
        QTest::newRow("renamed over") << false;
    }

    void replacedWhileTheScreenIsOpen()
    {
        // The run prints the file as it is when the run starts.
        QFETCH(bool, inPlace);
        RunFixture f;
        const QString path = f.useProducts(20);
        QPointer<ContinuousRunScreen> screen = f.screens.open<ContinuousRunScreen>();
        replace(path, otherDatabase(f.root.path(), 7, 1000), inPlace);
        startButton(screen)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1001, 1007));
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, u"処理終了"_qs);
    }

    void removedOrReplacedDuringTheRun_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("removed") << u"remove"_qs;
        QTest::newRow("renamed over") << u"rename"_qs;
        QTest::newRow("written over in place") << u"in place"_qs;
    }

    void removedOrReplacedDuringTheRun()
    {
        QFETCH(QString, change);
        RunFixture f;
        const QString path = f.useProducts(40);
        const QByteArray other = otherDatabase(f.root.path(), 40, 1000);
        f.canvas.onLabelStart = [&](int label) {
            if (label != 6)
                return;
            if (change == u"remove"_qs)
                QVERIFY(QFile::remove(path));
            else
                replace(path, other, change == u"in place"_qs);
        };
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        startButton(screen)->click();

        const QStringList printed = f.canvas.printedCaptions();
        const QStringList whole = RunFixture::barcodesOfRows(1, 40);
        QCOMPARE(f.messages.shown.size(), 1);
        const Message& said = f.messages.shown[0];
        if (said.title == u"処理終了"_qs) {
            // The file the run opened, read to its end.
            QCOMPARE(printed, whole);
        } else {
            // Stopped with the row named: what came out is the first rows of
            // the file the run opened, and the message counts them.
            QCOMPARE(printed, whole.mid(0, printed.size()));
            QVERIFY2(said.text.contains(u"%1行目"_qs.arg(printed.size() + 1)) &&
                         said.text.contains(u"%1枚印刷しました"_qs.arg(printed.size())),
                     qPrintable(said.text));
        }
        qInfo("reliability: database-%s-during-run printed=%lld ended=%s",
              qPrintable(QString(change).replace(u' ', u'-')), qlonglong(printed.size()),
              said.title == u"処理終了"_qs ? "completed" : "stopped");
    }
};

QTEST_MAIN(TestRunFaults)
#include "tst_runfaults.moc"
