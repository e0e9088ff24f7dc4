// A data source whose table is linked from another Access file (a split
// database) where the operator meets it: the connection test and the record
// count, the run screen's grid and a run, and `hakobee query`. Links that
// cannot be read say why there, naming the link and the file.
#include "datasourcefixture.h"
#include "runfixture.h"
#include "splitdatabases.h"
#include "support/programrun.h"
#include "support/screencontrols.h"

#include "core/settings/settingscolumns.h"
#include "core/settings/settingsfiles.h"
#include "ui/screens/continuousrunscreen.h"
#include "ui/screens/datasourcescreen.h"
#include "ui/screens/recordcountscreen.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace hakobee;
using namespace hakobee::test;
using accessfixtures::LinkForm;

Q_DECLARE_METATYPE(accessfixtures::LinkForm)

namespace {

const QString selectText = u"select bar,hi,mei,as2 from "_qs;

void addForms()
{
    QTest::addColumn<LinkForm>("form");
    QTest::newRow("Windows path, back end beside") << LinkForm::BackEndBeside;
    QTest::newRow("stored path exists") << LinkForm::StoredPathExists;
    QTest::newRow("linked file missing") << LinkForm::BackEndMissing;
    QTest::newRow("ODBC link") << LinkForm::OdbcLink;
}

QString missingName(const QString& text, const QStringList& names)
{
    for (const QString& name : names) {
        if (!text.contains(name))
            return name + u" not in: "_qs + text;
    }
    return {};
}

} // namespace

class TestSplitDatabases : public QObject
{
    Q_OBJECT

private slots:
    void connectionTestAndRecordCount_data() { addForms(); }
    void connectionTestAndRecordCount()
    {
        QFETCH(LinkForm, form);
        DataSourceFixture fixture;
        const auto split = accessfixtures::writeSplitDatabase(fixture.path(u"db"_qs), form, 9);
        fixture.writeSettingsFile(u"old.mdb"_qs, u"Old"_qs, u"select 1 from "_qs);
        DataSourceScreen* screen = fixture.screens.open<DataSourceScreen>();
        screen->findChild<QLineEdit*>(u"Text1"_qs)->setText(split.frontEnd);
        screen->findChild<QLineEdit*>(u"Text4"_qs)->setText(u"Master"_qs);
        screen->findChild<QPlainTextEdit*>(u"Text5"_qs)->setPlainText(selectText.trimmed());
        screen->findChild<QPushButton*>(u"Command2"_qs)->click();
        QCOMPARE(fixture.messages.shown.size(), 1);
        if (split.failureNames.isEmpty()) {
            QCOMPARE(fixture.messages.shown[0].text, u"接続できました"_qs);
            QCOMPARE(textOf(screen, u"Label1"_qs), u"9"_qs);
        } else {
            QCOMPARE(fixture.messages.shown[0].title, u"設定エラー"_qs);
            const QString missing = missingName(fixture.messages.shown[0].text, split.failureNames);
            QVERIFY2(missing.isEmpty(), qPrintable(missing));
        }
        screen->closeScreen();

        fixture.messages.shown.clear();
        RecordCountScreen* count = fixture.screens.open<RecordCountScreen>();
        QCOMPARE(count != nullptr, split.failureNames.isEmpty());
        if (count) {
            QCOMPARE(textOf(count, u"Label1"_qs), u"9"_qs);
            count->closeScreen();
        } else {
            QCOMPARE(fixture.messages.shown.size(), 1);
            QCOMPARE(fixture.messages.shown[0].title, u"ERROR"_qs);
        }
    }

    void runScreenGridAndRun_data() { addForms(); }
    void runScreenGridAndRun()
    {
        QFETCH(LinkForm, form);
        RunFixture f;
        const auto split = accessfixtures::writeSplitDatabase(f.root.filePath(u"db"_qs), form, 6);
        replaceSettingsFile(f.settings.filePath(SettingsFiles::dataSource),
                            SettingsColumns::dataSource(),
                            {QDir::toNativeSeparators(split.frontEnd), u"Master"_qs, selectText});
        ContinuousRunScreen* screen = f.screens.open<ContinuousRunScreen>();
        QVERIFY(screen);
        auto* grid = screen->findChild<QTableView*>(u"DataGrid1"_qs);
        if (!split.failureNames.isEmpty()) {
            QCOMPARE(f.messages.shown.size(), 1);
            const QString missing = missingName(f.messages.shown[0].text, split.failureNames);
            QVERIFY2(missing.isEmpty(), qPrintable(missing));
            QCOMPARE(grid->model(), nullptr);
            return;
        }
        QVERIFY(f.messages.shown.isEmpty());
        QCOMPARE(grid->model()->rowCount(), 6);
        QCOMPARE(grid->model()->index(5, 0).data().toString(), RunFixture::barcodeOfRow(5));
        screen->findChild<QPushButton*>(u"Command3"_qs)->click();
        QCOMPARE(f.canvas.printedCaptions(), RunFixture::barcodesOfRows(1, 6));
        QCOMPARE(f.messages.shown.size(), 1); // the completion only
        QCOMPARE(f.messages.shown[0].text, u"印刷終了。ﾃﾞｰﾀﾍﾞｰｽと接続解除しました。"_qs);
    }

    void queryCommand_data() { addForms(); }
    void queryCommand()
    {
        QFETCH(LinkForm, form);
        QTemporaryDir dir;
        const auto split = accessfixtures::writeSplitDatabase(dir.path(), form, 4);
        const ProgramRun run = runToEnd(
            QStringLiteral(HAKOBEE_EXECUTABLE),
            {u"query"_qs, u"--db"_qs, split.frontEnd, u"--sql"_qs, selectText + u"Master"_qs},
            environmentWithoutDisplay());
        // The link is listed as one, whether or not its database is there.
        const ProgramRun listed = runToEnd(
            QStringLiteral(HAKOBEE_EXECUTABLE),
            {u"query"_qs, u"--db"_qs, split.frontEnd, u"--tables"_qs}, environmentWithoutDisplay());
        QVERIFY2(listed.out.split(u'\n').contains(u"Master\tlinked"_qs), qPrintable(listed.out));
        if (!split.failureNames.isEmpty()) {
            QCOMPARE(run.exitCode, 1);
            QCOMPARE(run.out, QString());
            const QString missing = missingName(run.err, split.failureNames);
            QVERIFY2(missing.isEmpty(), qPrintable(missing));
            return;
        }
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], u"bar,hi,mei,as2"_qs);
        for (int row = 0; row < 4; ++row)
            QVERIFY2(lines[row + 1].startsWith(RunFixture::barcodeOfRow(row) + u','),
                     qPrintable(lines[row + 1]));
    }
};

QTEST_MAIN(TestSplitDatabases)
#include "tst_splitdatabases.moc"
