// The byte format of the settings files and the agreement of the two read
// paths (the sequential row read and the named read through the settings
// connection).
#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/settings/datasourcefile.h"
#include "core/settings/layoutfile.h"
#include "core/settings/layoutmode.h"
#include "core/settings/printadjustmentsfile.h"
#include "core/settings/settingsconnection.h"
#include "core/settings/settingsrecord.h"
#include "support/settingsfixture.h"

#include <QTest>

using namespace hakobee;
using hakobee::test::SettingsFixture;

class TestSettingsFormat : public QObject
{
    Q_OBJECT

private:
    QString layoutPath() const { return fixture->settingsPath(SettingsFiles::layout); }
    QString slipPath() const { return fixture->settingsPath(SettingsFiles::printAdjustments); }
    SettingsRecord named(const QString& query) const
    {
        StandardDatabaseProvider databases(fixture->folder);
        return readSettingsRecord(databases, query);
    }

    std::unique_ptr<SettingsFixture> fixture;

private slots:
    void init()
    {
        fixture = std::make_unique<SettingsFixture>();
        QDir().mkpath(fixture->folder.folderPath());
    }

    void layoutFileIsExactlyTwoQuotedCrLfLines()
    {
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                            {u"A"_qs, u"B"_qs, u"9"_qs, u"0"_qs});
        QCOMPARE(SettingsFixture::readBytes(layoutPath()),
                 QByteArray("\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n"
                            "\"A\",\"B\",\"9\",\"0\"\r\n"));
    }

    void printAdjustmentsColumnsAreNamedByNumber()
    {
        const QStringList names = SettingsColumns::printAdjustments();
        QCOMPARE(names.size(), 99);
        QCOMPARE(names.first(), u"DB1"_qs);
        QCOMPARE(names[5], u"D1"_qs);
        QCOMPARE(names[6], u"2"_qs);
        QCOMPARE(names[94], u"90"_qs);
        QCOMPARE(names.mid(95), (QStringList{u"NA"_qs, u"YU"_qs, u"JYU"_qs, u"TEL"_qs}));

        QStringList values;
        for (int i = 1; i <= 99; ++i)
            values.append(u"v"_qs + QString::number(i));
        replaceSettingsFile(slipPath(), names, values);
        QCOMPARE(named(u"Select * From nimbeconfig5.txt"_qs).value(u"45"_qs), u"v50"_qs);
        const SettingsRecord sizes = named(u"Select SIZE1,SIZE2,SIZE3 From nimbeconfig5.txt"_qs);
        QCOMPARE(sizes.columnNames(), (QStringList{u"SIZE1"_qs, u"SIZE2"_qs, u"SIZE3"_qs}));
        QCOMPARE(sizes.value(u"SIZE3"_qs), u"v5"_qs);
        const SettingsRows rows = readSettingsRows(slipPath(), 99);
        QCOMPARE(rows.header, names);
        QCOMPARE(rows.data, values);
    }

    void printAdjustmentsRecordTakesEachValueFromItsColumn()
    {
        // Every value its own, so one taken from a neighbouring column shows.
        QStringList values;
        for (int i = 1; i <= 99; ++i)
            values.append(u"v"_qs + QString::number(i));
        replaceSettingsFile(slipPath(), SettingsColumns::printAdjustments(), values);
        const QByteArray bytes = SettingsFixture::readBytes(slipPath());

        PrintAdjustmentsRecord expected;
        expected.adjustments = {u"v3"_qs, u"v4"_qs, u"v5"_qs};
        expected.carried.slipDataFolder = u"v1"_qs;
        expected.carried.slipDataFile = u"v2"_qs;
        expected.carried.others = values.mid(5);
        StandardDatabaseProvider databases(fixture->folder);
        QVERIFY(readPrintAdjustmentsRecord(databases) == expected);
        QVERIFY(readPrintAdjustmentsRecord(fixture->folder) == expected);
        QVERIFY(readPrintAdjustments(fixture->folder) == expected.adjustments);
        QCOMPARE(columnOf(&PrintAdjustments::verticalOffsetMm), u"SIZE2"_qs);

        QVERIFY(QFile::remove(slipPath()));
        writePrintAdjustmentsRecord(fixture->folder, expected);
        QCOMPARE(SettingsFixture::readBytes(slipPath()), bytes);
    }

    void valuesSurviveWriteAndBothReads_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("comma") << u"a,b, c"_qs;
        QTest::newRow("half-width katakana") << u"ﾊﾞｰｺｰﾄﾞﾗﾍﾞﾙ"_qs;
        QTest::newRow("NEC and IBM extensions") << u"①髙"_qs;
        QTest::newRow("underscore for empty") << u"_"_qs;
        QTest::newRow("blanks kept inside quotes") << u" C:\\db 1.mdb "_qs;
    }

    void valuesSurviveWriteAndBothReads()
    {
        QFETCH(QString, value);
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                            {value, u"B"_qs, u"9"_qs, u"1"_qs});
        QCOMPARE(readSettingsRows(layoutPath(), 4).data.first(), value);
        QCOMPARE(named(u"Select * From nimbeconfig4.txt"_qs).value(u"TITLE1"_qs), value);
        QCOMPARE(named(u"Select * From nimbeconfig4.txt"_qs).value(u"TITLE2"_qs), u"B"_qs);
    }

    void textIsStoredAsShiftJis()
    {
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                            {u"①"_qs, u"ｱ"_qs, u"_"_qs, u"0"_qs});
        const QByteArray bytes = SettingsFixture::readBytes(layoutPath());
        QVERIFY(bytes.contains("\"\x87\x40\",\"\xB1\",\"_\",\"0\"\r\n"));
    }

    void thirdRowIsIgnoredByBothReads()
    {
        SettingsFixture::writeBytes(layoutPath(), "\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n"
                                                  "\"A\",\"B\",\"9\",\"0\"\r\n"
                                                  "\"X\",\"Y\",\"1\",\"1\"\r\n");
        QCOMPARE(readSettingsRows(layoutPath(), 4).data,
                 (QStringList{u"A"_qs, u"B"_qs, u"9"_qs, u"0"_qs}));
        QCOMPARE(named(u"select * from nimbeconfig4.txt"_qs).value(u"TITLE1"_qs), u"A"_qs);
    }

    void emptyValueIsNullByNameAndEmptyByRow()
    {
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                            {u""_qs, u"B"_qs, u"9"_qs, u"0"_qs});
        QVERIFY(
            SettingsFixture::readBytes(layoutPath()).endsWith("\r\n\"\",\"B\",\"9\",\"0\"\r\n"));
        const FieldValue title1 = named(u"Select * From nimbeconfig4.txt"_qs).value(u"TITLE1"_qs);
        QVERIFY(!title1.has_value());
        const QString rowValue = readSettingsRows(layoutPath(), 4).data.first();
        QVERIFY(rowValue.isEmpty());
    }

    void printerReadsAsNumberInBothRows()
    {
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                            {u"A"_qs, u"B"_qs, u"9"_qs, u"1"_qs});
        const SettingsRows rows =
            readSettingsRows(layoutPath(), 4, {SettingsColumns::layoutPrinter});
        QCOMPARE(rows.header[SettingsColumns::layoutPrinter], u"0"_qs);
        QCOMPARE(rows.data[SettingsColumns::layoutPrinter], u"1"_qs);
        QCOMPARE(rows.header[SettingsColumns::layoutTitle1], u"TITLE1"_qs);
    }

    // The records the screens and runs hold: what one writes, both read paths
    // give back, empty values as empty text.
    void typedRecordsAgreeOnBothReadPaths()
    {
        StandardDatabaseProvider databases(fixture->folder);
        const LayoutSettings layout{u"ﾊｺﾋﾞｰ, 本店"_qs, QString(), u"9"_qs, u"1"_qs};
        writeLayoutSettings(fixture->folder, layout);
        QCOMPARE(readLayoutRecord(databases), layout);
        QCOMPARE(readLayoutRows(fixture->folder), layout);
        // The start-up takes PRINTER as a number.
        writeLayoutSettings(fixture->folder, {u"A"_qs, u"B"_qs, u"_"_qs, u"ｱ"_qs});
        QCOMPARE(readLayoutRows(fixture->folder).printer, u"0"_qs);
        QCOMPARE(readLayoutRecord(databases).printer, u"ｱ"_qs);

        writeDataSource(fixture->folder, {u"C:\\db1.mdb"_qs, u"Master"_qs, u"select * from"_qs});
        const DataSourceSettings stored{u"C:\\db1.mdb"_qs, u"Master"_qs, u"select * from "_qs};
        QCOMPARE(readDataSourceRecord(databases), stored);
        QCOMPARE(readDataSourceRows(fixture->folder), stored);
    }

    void namesInAnotherLetterCaseAreFound()
    {
        const QString upperFolder = fixture->temp.filePath(u"root/QVX_INI"_qs);
        QDir().rename(fixture->folder.folderPath(), upperFolder);
        replaceSettingsFile(QDir(upperFolder).filePath(u"NIMBECONFIG4.TXT"_qs),
                            SettingsColumns::layout(), {u"A"_qs, u"B"_qs, u"9"_qs, u"0"_qs});
        QCOMPARE(fixture->folder.filePath(SettingsFiles::layout),
                 QDir(upperFolder).filePath(u"NIMBECONFIG4.TXT"_qs));
        QCOMPARE(readSettingsRows(fixture->folder.filePath(SettingsFiles::layout), 4).data[1],
                 u"B"_qs);
        QCOMPARE(named(u"Select title2 From [nimbeconfig4.txt]"_qs).value(u"TITLE2"_qs), u"B"_qs);
    }

    void namedReadRejectsWhatItCannotAnswer()
    {
        replaceSettingsFile(layoutPath(), SettingsColumns::layout(),
                            {u"A"_qs, u"B"_qs, u"9"_qs, u"0"_qs});
        QVERIFY_THROWS_EXCEPTION(Error, named(u"Select NOPE From nimbeconfig4.txt"_qs));
        QVERIFY_THROWS_EXCEPTION(Error, named(u"Select * From nimbeconfig2.txt"_qs));
        QVERIFY_THROWS_EXCEPTION(Error, named(u"Select * From ../qvx_ini/nimbeconfig4.txt"_qs));
        QVERIFY_THROWS_EXCEPTION(Error, named(u"Delete From nimbeconfig4.txt"_qs));
        QVERIFY_THROWS_EXCEPTION(Error,
                                 named(u"Select * From nimbeconfig4.txt"_qs).value(u"DB"_qs));

        SettingsFixture::writeBytes(layoutPath(),
                                    "\"TITLE1\",\"TITLE2\",\"YOSHI\",\"PRINTER\"\r\n");
        QVERIFY_THROWS_EXCEPTION(Error, named(u"Select * From nimbeconfig4.txt"_qs));
    }

    void layoutModeFollowsTheExactMarker()
    {
        QCOMPARE(layoutModeForTitle2(u"ｶｽﾀﾏｲｽﾞ7304使用中"_qs), LayoutMode::FurnitureSlip);
        QCOMPARE(layoutModeForTitle2(u"ｶｽﾀﾏｲｽﾞ7304使用中 "_qs), LayoutMode::StandardLabel);
        QCOMPARE(layoutModeForTitle2(u"_"_qs), LayoutMode::StandardLabel);
    }

    void providerRoutesConnectionStrings()
    {
        StandardDatabaseProvider databases(fixture->folder);
        QVERIFY(databases.open(settingsConnectionString()) != nullptr);
        QVERIFY(databases.open(settingsConnectionString().toLower()) != nullptr);
        QCOMPARE(accessDatabasePath(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\db1.mdb"_qs),
                 u"C:\\db1.mdb"_qs);
        QVERIFY(!accessDatabasePath(settingsConnectionString()));
        try {
            databases.open(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/tmp/x.mdb"_qs);
            QFAIL("an Access connection string naming no database must not open");
        } catch (const Error& error) {
            QVERIFY(error.description().contains(u"/tmp/x.mdb"_qs));
        }
        QVERIFY_THROWS_EXCEPTION(Error, databases.open(u"Provider=SQLOLEDB;Server=x"_qs));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFormat)
#include "tst_settingsformat.moc"
