#include "core/datasource/databaseprovider.h"
#include "core/error.h"
#include "core/settings/settingsfolder.h"
#include "platform/textfolder/textfolder.h"
#include "support/queryrows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

// Shift-JIS (code page 932) bytes, as Windows writes them.
const QByteArray sjisTakahashiMaru("\xFB\xFC\x8B\xB4\x87\x40"); // 髙橋①
const QByteArray sjisTokuyou("\xC4\xB8\xD6\xB3");               // ﾄｸﾖｳ
const QByteArray sjisRyokucha("\x97\xCE\x92\x83");              // 緑茶

bool writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The folder opened as the program opens a data source: through the
// provider, with the Access connection string naming the folder.
std::unique_ptr<Connection> openFolder(const QTemporaryDir& dir)
{
    const SettingsFolder settings(dir.path());
    StandardDatabaseProvider databases(settings, openDataSourcePath);
    return databases.open(u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source="_qs + dir.path());
}

QList<QStringList> rowsOf(Connection& connection, const QString& query)
{
    return test::queryRows(connection, query);
}

// The description of the hakobee::Error the body throws.
template<typename Body> QString errorOf(Body body)
{
    try {
        body();
    } catch (const Error& error) {
        return error.description();
    }
    return u"(no error)"_qs;
}

// A file of many rows in Shift-JIS, several of the reader's blocks long:
// "bar,hi" then "1,緑茶" to "<rows>,緑茶", CR LF, and the tail after them.
QByteArray largeFile(int rows, const QByteArray& tail = {})
{
    QByteArray bytes = "bar,hi\r\n";
    for (int n = 1; n <= rows; ++n)
        bytes += QByteArray::number(n) + "," + sjisRyokucha + "\r\n";
    return bytes + tail;
}

} // namespace

class TestTextFolder : public QObject
{
    Q_OBJECT

private slots:
    void shiftJisFileIsATableByItsFileName()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir, u"Master.csv"_qs,
                          "bar,hi,mei\r\n4901234567894," + sjisTakahashiMaru + "," + sjisTokuyou +
                              "\r\n"));
        const auto connection = openFolder(dir);
        const QList<QStringList> expected{{u"4901234567894"_qs, u"髙橋①"_qs, u"ﾄｸﾖｳ"_qs}};
        // As operators write the name: with the extension, bracketed or
        // not, or without it, in any case.
        QCOMPARE(rowsOf(*connection, u"select bar,hi,mei from Master.csv"_qs), expected);
        QCOMPARE(rowsOf(*connection, u"select bar,hi,mei from [Master.csv]"_qs), expected);
        QCOMPARE(rowsOf(*connection, u"select bar,hi,mei from master"_qs), expected);
        QCOMPARE(rowsOf(*connection, u"select Master.csv.bar from MASTER.CSV"_qs),
                 QList<QStringList>{{u"4901234567894"_qs}});
        const QString missing =
            errorOf([&] { rowsOf(*connection, u"select bar from Mastre.csv"_qs); });
        QVERIFY2(missing.contains(u"Mastre.csv"_qs), qPrintable(missing));
    }

    void utf8ByItsByteOrderMarkOrTheFoldersChoice()
    {
        QTemporaryDir dir;
        const QByteArray utf8 = u"bar,hi\n1,髙橋①\n2,À la carte\n"_qs.toUtf8();
        QVERIFY(writeFile(dir, u"Marked.csv"_qs, "\xEF\xBB\xBF" + utf8));
        QVERIFY(writeFile(dir, u"Plain.csv"_qs, utf8));
        const QList<QStringList> expected{{u"1"_qs, u"髙橋①"_qs}, {u"2"_qs, u"À la carte"_qs}};

        const auto shiftJisFolder = openFolder(dir);
        QCOMPARE(rowsOf(*shiftJisFolder, u"select bar,hi from Marked.csv"_qs), expected);
        // Line 2's UTF-8 (E9 AB 99 ...) happens to be code page 932 too, and
        // is read as such; line 3's À (C3 80) is not.
        const QString refused =
            errorOf([&] { rowsOf(*shiftJisFolder, u"select bar from Plain.csv"_qs); });
        QVERIFY2(refused.contains(u"Plain.csv"_qs) && refused.contains(u"3 行目"_qs) &&
                     refused.contains(u"Shift-JIS"_qs),
                 qPrintable(refused));
        // The other file of the folder still reads.
        QCOMPARE(rowsOf(*shiftJisFolder, u"select bar from Marked"_qs).size(), 2);

        QVERIFY(writeFile(dir, u"hakobee-encoding.txt"_qs, "UTF-8\r\n"));
        QVERIFY(writeFile(dir, u"Sjis.csv"_qs, "bar,hi\n1,ok\n2," + sjisRyokucha + "\n"));
        const auto utf8Folder = openFolder(dir);
        QCOMPARE(rowsOf(*utf8Folder, u"select bar,hi from Plain.csv"_qs), expected);
        QCOMPARE(rowsOf(*utf8Folder, u"select bar,hi from Marked.csv"_qs), expected);
        const QString notUtf8 = errorOf([&] { rowsOf(*utf8Folder, u"select * from Sjis"_qs); });
        QVERIFY2(notUtf8.contains(u"Sjis.csv"_qs) && notUtf8.contains(u"3 行目"_qs) &&
                     notUtf8.contains(u"UTF-8"_qs),
                 qPrintable(notUtf8));
        // The choice is no table.
        const QString noTable =
            errorOf([&] { rowsOf(*utf8Folder, u"select * from [hakobee-encoding.txt]"_qs); });
        QVERIFY2(noTable.contains(u"hakobee-encoding.txt"_qs), qPrintable(noTable));
    }

    void quotedFieldsHoldSeparatorsQuotesAndLineBreaks()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir, u"Master.csv"_qs,
                          "bar,hi,mei\r\n"
                          "1,\"" +
                              sjisRyokucha +
                              ", \"\"big\"\"\",\"two\r\nlines\"\r\n"
                              "2,,\"\"\n"
                              "\r\n"
                              "3,\"a\nb\",last"));
        QVERIFY(writeFile(dir, u"Tabs.tsv"_qs, "bar\thi\n1\ta,b\n2\t\"x\ty\"\n"));
        const auto connection = openFolder(dir);
        QCOMPARE(rowsOf(*connection, u"select bar,hi,mei from Master.csv"_qs),
                 (QList<QStringList>{{u"1"_qs, u"緑茶, \"big\""_qs, u"two\r\nlines"_qs},
                                     {u"2"_qs, u""_qs, u""_qs},
                                     {u"3"_qs, u"a\nb"_qs, u"last"_qs}}));
        QCOMPARE(rowsOf(*connection, u"select bar,hi from Tabs.tsv"_qs),
                 (QList<QStringList>{{u"1"_qs, u"a,b"_qs}, {u"2"_qs, u"x\ty"_qs}}));
    }

    void malformedFileIsRefusedNamingItsLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mention");
        // Line 2's quoted value runs over two lines: the ragged row is on 4.
        QTest::newRow("more fields") << QByteArray("a,b\n1,\"x\ny\"\n2,3,4\n") << u"4 行目"_qs;
        QTest::newRow("fewer fields") << QByteArray("a,b\r\n1,2\r\n3\r\n") << u"3 行目"_qs;
        QTest::newRow("quote not closed") << QByteArray("a,b\n1,2\n3,\"x\ny\n") << u"3 行目"_qs;
        QTest::newRow("text after the quote") << QByteArray("a,b\n1,\"x\"y\n") << u"2 行目"_qs;
        QTest::newRow("empty column name") << QByteArray("a,,c\n1,2,3\n") << u"2 列目"_qs;
        QTest::newRow("repeated column name") << QByteArray("bar,Bar\n1,2\n") << u"Bar"_qs;
        QTest::newRow("no header") << QByteArray("\r\n") << u"列名"_qs;
    }

    void malformedFileIsRefusedNamingItsLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mention);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir, u"Bad.csv"_qs, bytes));
        const auto connection = openFolder(dir);
        const QString description =
            errorOf([&] { rowsOf(*connection, u"select * from Bad.csv"_qs); });
        QVERIFY2(description.contains(u"Bad.csv"_qs) && description.contains(mention),
                 qPrintable(description));
    }

    void jetSelectRunsOverACsv()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir, u"Master.csv"_qs,
                          "bar,hi,mei\n"
                          "4901234567894," +
                              sjisRyokucha + "," + sjisTokuyou +
                              "\n"
                              "4512345678906,coffee,A\n"
                              "4909876543210," +
                              sjisRyokucha +
                              " L,B\n"
                              "4900000000001," +
                              sjisRyokucha + " S,C\n"));
        const auto connection = openFolder(dir);
        QCOMPARE(rowsOf(*connection, u"SELECT TOP 2 bar & '-' & mei AS label FROM Master.csv "
                                     u"WHERE hi Like '緑茶*' ORDER BY bar DESC"_qs),
                 (QList<QStringList>{{u"4909876543210-B"_qs}, {u"4901234567894-ﾄｸﾖｳ"_qs}}));
        QCOMPARE(rowsOf(*connection, u"select count(*) from Master where mei <> \"A\""_qs),
                 QList<QStringList>{{u"3"_qs}});
        const QString writing = errorOf([&] { rowsOf(*connection, u"delete from Master.csv"_qs); });
        QVERIFY2(!writing.contains(u"(no error)"_qs), qPrintable(writing));
        QCOMPARE(rowsOf(*connection, u"select count(*) from Master.csv"_qs),
                 QList<QStringList>{{u"4"_qs}});
        // A name that is not there names the folder, not a database file.
        for (const QString& query :
             {u"select bar from Prices.csv"_qs, u"select zzz from Master"_qs}) {
            const QString missing = errorOf([&] { rowsOf(*connection, query); });
            QVERIFY2(missing.contains(u"フォルダー「"_qs) &&
                         !missing.contains(u"データベースファイル"_qs),
                     qPrintable(missing));
        }
    }

    // Rows are read as the query steps over them: a fault far into a large
    // file stops the scan at its line, after the rows before it.
    void faultFarIntoAFileStopsTheScanNamingItsLine_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("mention");
        // 0x81 leads a two-byte character; a line end cannot follow it.
        QTest::newRow("byte not Shift-JIS") << QByteArray("40001,\x81\r\n") << u"40002 行目"_qs;
        QTest::newRow("ragged row") << QByteArray("40001,a,b\r\n") << u"40002 行目"_qs;
        QTest::newRow("quote not closed")
            << QByteArray("40001,\"open\r\n40002,x\r\n") << u"40002 行目"_qs;
    }

    void faultFarIntoAFileStopsTheScanNamingItsLine()
    {
        QFETCH(QByteArray, tail);
        QFETCH(QString, mention);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir, u"Big.csv"_qs, largeFile(40000, tail)));
        const auto connection = openFolder(dir);
        const auto records =
            connection->openRecordset(u"select bar, hi from Big.csv"_qs, CursorKind::Grid);
        qint64 read = 0;
        const QString description = errorOf([&] {
            for (; !records->eof(); records->moveNext()) {
                QCOMPARE(records->field(1), FieldValue(u"緑茶"_qs));
                ++read;
            }
        });
        QCOMPARE(read, 40000);
        QVERIFY2(description.contains(u"Big.csv"_qs) && description.contains(mention),
                 qPrintable(description));
    }

    void moveFirstAfterAScanReadsTheFileAgain()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir, u"Big.csv"_qs, largeFile(40000)));
        const auto connection = openFolder(dir);
        const auto records = connection->openRecordset(
            u"select bar, hi from Big.csv where bar <> '7'"_qs, CursorKind::StaticRead);
        records->moveLast();
        QCOMPARE(records->field(0), FieldValue(u"40000"_qs));
        records->moveFirst();
        QCOMPARE(records->recordCount(), 39999);
        QCOMPARE(records->field(0), FieldValue(u"1"_qs));
        records->moveNext();
        QCOMPARE(records->field(0), FieldValue(u"2"_qs));
        // Two scans of the file at once, each with its own place.
        QCOMPARE(rowsOf(*connection, u"select a.bar, b.bar from Big.csv a, Big.csv b "
                                     u"where a.bar = '39999' and b.bar = '2'"_qs),
                 (QList<QStringList>{{u"39999"_qs, u"2"_qs}}));
    }
};

QTEST_GUILESS_MAIN(TestTextFolder)
#include "tst_textfolder.moc"
