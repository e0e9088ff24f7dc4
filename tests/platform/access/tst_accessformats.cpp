// Access files as operators have them besides Jet 4 .mdb: Access 97 (Jet 3)
// files with Japanese text in code page 932, .accdb (ACE) files, files
// whose pages Access encoded, and files protected by a password.
#include "accessfixtures.h"

#include "../../tools/jetreaders.h"
#include "../../tools/readerexpectations.h"
#include "core/error.h"
#include "platform/access/accessdatabase.h"
#include "testdata/productstable.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;
using mdbwriter::Column;
using mdbwriter::ColumnType;
using mdbwriter::FileFormat;
using mdbwriter::FileOptions;
using mdbwriter::Table;
using mdbwriter::Value;

namespace {

QString repeated(const QString& pattern, int length)
{
    QString text;
    while (text.size() < length)
        text += pattern;
    return text.left(length);
}

// The sample's shape with a memo: half-width katakana, kanji, NEC and IBM
// characters, Latin text, nulls, a row longer than 256 bytes (Jet 3 keeps
// its offsets in one byte and a jump table) and memo values inline, on a
// long-value page and chained over pages.
const QList<Column> columns =
    testdata::productColumns() + QList<Column>{{u"memo"_qs, ColumnType::Memo}};

QList<QList<Value>> japaneseRows()
{
    return {
        {u"4901234567894"_qs, u"緑茶 ①番 髙島屋"_qs, u"ﾘｮｸﾁｬ"_qs, qint64(138'0000),
         u"メモ ①②③ ㈱"_qs},
        {u"4512345678906"_qs, repeated(u"漢字の長い品名、"_qs, 200), u"ｶﾀｶﾅ ﾃﾞｽ"_qs,
         qint64(99'5000), repeated(u"一ページを越える説明文。"_qs, 2000)},
        {u"49123456"_qs, u"Latin ABC 123"_qs, Value{}, Value{}, repeated(u"ﾒﾓ"_qs, 300)},
        {u"4909876543210"_qs, u"ＡＢＣ　全角"_qs, u"髙"_qs, qint64(0), Value{}},
    };
}

Table tableOf(const QString& name, const QList<Column>& tableColumns,
              const QList<QList<Value>>& rows)
{
    Table table{name, tableColumns, rows.size(), {}, {}, {}};
    table.rowAt = [rows](qint64 row, QList<Value>& values) {
        values = rows.at(row);
    };
    return table;
}

// A Japanese-named table, for the readers that can find it by name.
Table japaneseNamedTable()
{
    return tableOf(u"商品 一覧"_qs, {{u"品名①"_qs, ColumnType::Text, 20}}, {{u"ﾊﾝｶｸ 漢字 ①"_qs}});
}

// Every row of a table as our reader gives it, fields joined by "|".
QStringList readAll(const QString& file, const QString& query, QString* error)
{
    QStringList rows;
    try {
        const auto connection = openAccessDatabase(file);
        const auto records = connection->openRecordset(query, CursorKind::StaticRead);
        QStringList names;
        for (int i = 0; i < records->fieldCount(); ++i)
            names << records->fieldName(i);
        rows << names.join(u'|');
        for (; !records->eof(); records->moveNext()) {
            QStringList fields;
            for (int i = 0; i < records->fieldCount(); ++i)
                fields << records->field(i).value_or(u"(null)"_qs);
            rows << fields.join(u'|');
        }
    } catch (const Error& failure) {
        *error = failure.description();
    }
    return rows;
}

QString errorOpening(const QString& file)
{
    try {
        const auto connection = openAccessDatabase(file);
        connection->openRecordset(u"select * from Master"_qs, CursorKind::StaticRead);
    } catch (const Error& error) {
        return error.description();
    }
    return u"(no error)"_qs;
}

// mdb-reader reads Jet 3 text as Windows-1252, whatever the file's code page:
// each byte of the Shift-JIS text is one character.
QString asMdbReaderReadsJet3(const QString& text)
{
    QStringEncoder encoder("Shift_JIS");
    QStringDecoder decoder("windows-1252");
    QString result;
    const QByteArray bytes = encoder.encode(text);
    for (const char byte : bytes) {
        // The five bytes Windows-1252 leaves undefined read as U+FFFD.
        const auto b = quint8(byte);
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            result += QChar(0xFFFD);
        else
            result += decoder.decode(QByteArray(1, byte));
    }
    return result;
}

} // namespace

class TestAccessFormats : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void jet3TableReadsTheSameAsItsJet4Twin()
    {
        const QList<QList<Value>> rows = japaneseRows();
        const QList<Table> tables{tableOf(u"Master"_qs, columns, rows), japaneseNamedTable()};
        const QString jet4 = path(u"twin-jet4.mdb"_qs);
        const QString jet3 = path(u"twin-jet3.mdb"_qs);
        mdbwriter::writeDatabase(jet4, tables);
        mdbwriter::writeDatabase(jet3, tables, {FileFormat::Jet3, 932, {}, 0});
        QCOMPARE(QFile(jet3).size() % 2048, 0);

        for (const QString& query : {u"select * from Master"_qs, u"select * from [商品 一覧]"_qs}) {
            QString error3;
            QString error4;
            const QStringList read3 = readAll(jet3, query, &error3);
            const QStringList read4 = readAll(jet4, query, &error4);
            QCOMPARE(error3, QString());
            QCOMPARE(error4, QString());
            QCOMPARE(read3, read4);
        }
        QString error;
        const QStringList read = readAll(jet3, u"select * from Master"_qs, &error);
        QCOMPARE(read.size(), rows.size() + 1);
        QCOMPARE(read.at(0), u"bar|hi|mei|as2|memo"_qs);
        QCOMPARE(read.at(1), u"4901234567894|緑茶 ①番 髙島屋|ﾘｮｸﾁｬ|138|メモ ①②③ ㈱"_qs);
        QCOMPARE(read.at(2).section(u'|', 1, 1), std::get<QString>(rows[1][1]));
        QCOMPARE(read.at(2).section(u'|', 4), std::get<QString>(rows[1][4]));
        QCOMPARE(read.at(3), u"49123456|Latin ABC 123|(null)|(null)|"_qs + repeated(u"ﾒﾓ"_qs, 300));
        QCOMPARE(readAll(jet3, u"select * from [商品 一覧]"_qs, &error),
                 (QStringList{u"品名①"_qs, u"ﾊﾝｶｸ 漢字 ①"_qs}));
    }

    // mdb-export reads the Jet 3 file exactly when told its code page is
    // Windows's 932 (MDB_JET3_CHARSET; by default libmdb takes iconv's
    // SHIFT-JIS, which has no ①). mdb-reader reads the rows and every value
    // but text, which it takes as Windows-1252 bytes.
    void jet3FileAgreesWithMdbExportAndMdbReader()
    {
        const QList<QList<Value>> rows = japaneseRows();
        const QString jet3 = path(u"readers-jet3.mdb"_qs);
        mdbwriter::writeDatabase(jet3, {tableOf(u"Master"_qs, columns, rows)},
                                 {FileFormat::Jet3, 932, {}, 0});

        qputenv("MDB_JET3_CHARSET", "CP932");
        QString failure;
        const auto exported = tests::exportWithMdbTools(jet3, u"Master"_qs, &failure);
        qunsetenv("MDB_JET3_CHARSET");
        QVERIFY2(exported, qPrintable(failure));
        QCOMPARE(exported->rows.size(), rows.size());
        for (qsizetype row = 0; row < rows.size(); ++row) {
            for (qsizetype c = 0; c < columns.size(); ++c) {
                QCOMPARE(exported->rows[row][c],
                         tests::expectedExportCell(columns[c], rows[row][c]));
            }
        }

        const auto read = tests::readWithMdbReader(jet3, u"Master"_qs, &failure);
        QVERIFY2(read, qPrintable(failure));
        QCOMPARE(read->rowCount, rows.size());
        QCOMPARE(read->rows.size(), rows.size());
        for (qsizetype row = 0; row < rows.size(); ++row) {
            for (qsizetype c = 0; c < columns.size(); ++c) {
                const Value& value = rows[row][c];
                const QJsonValue expected =
                    std::holds_alternative<QString>(value)
                        ? QJsonValue(asMdbReaderReadsJet3(std::get<QString>(value)))
                        : tests::expectedReaderCell(columns[c], value);
                QCOMPARE(read->rows[row].at(c), expected);
            }
        }
    }

    // An .accdb file and a Jet 4 file whose pages Access encoded (without a
    // password) open as any .mdb does; all three readers agree.
    void accdbAndEncodedFilesOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<quint32>("encodingKey");
        QTest::newRow(".accdb") << u"products.accdb"_qs << int(FileFormat::Ace) << 0u;
        QTest::newRow("encoded .mdb") << u"encoded.mdb"_qs << int(FileFormat::Jet4) << 0x5A3C9E17u;
    }

    void accdbAndEncodedFilesOpen()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(quint32, encodingKey);
        const QString file = path(name);
        const accessfixtures::SlotPatternTable written =
            accessfixtures::slotPatternTable(accessfixtures::SlotPattern::Mixed);
        mdbwriter::writeDatabase(file, {written.table},
                                 {FileFormat(format), 1252, {}, encodingKey});

        QString error;
        const QStringList read = readAll(file, u"select bar from Master"_qs, &error);
        QCOMPARE(error, QString());
        QCOMPARE(read.size(), written.table.rowCount + 1);

        // The same records in the same order as mdb-export and mdb-reader.
        const QString difference = tests::compareWithBothReaders(
            file, u"Master"_qs, written.table.columns, written.table.rowCount,
            [&](qint64 position) {
                QList<Value> values(written.table.columns.size());
                const QString barcode = read.at(position + 1);
                for (qint64 row = 0; row < written.table.rowCount; ++row) {
                    written.table.rowAt(row, values);
                    if (std::get<QString>(values[0]) == barcode)
                        break;
                }
                return values;
            });
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void protectedFilesSaySo_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("password");
        QTest::addColumn<quint32>("encodingKey");
        QTest::newRow("Jet 4 with a password")
            << u"password.mdb"_qs << int(FileFormat::Jet4) << u"himitsu"_qs << 0u;
        QTest::newRow("Jet 4 encoded and with a password")
            << u"both.mdb"_qs << int(FileFormat::Jet4) << u"ﾋﾐﾂ"_qs << 0x1234u;
        QTest::newRow("Jet 3 with a password")
            << u"password97.mdb"_qs << int(FileFormat::Jet3) << u"himitsu"_qs << 0u;
        QTest::newRow("encrypted .accdb")
            << u"encrypted.accdb"_qs << int(FileFormat::Ace) << QString() << 0x0BADCAFEu;
    }

    void protectedFilesSaySo()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(QString, password);
        QFETCH(quint32, encodingKey);
        const QString file = path(name);
        accessfixtures::writeSampleShape(file); // as a plain file first: readable
        QCOMPARE(errorOpening(file), u"(no error)"_qs);
        mdbwriter::writeDatabase(
            file, {accessfixtures::slotPatternTable(accessfixtures::SlotPattern::MovedRows).table},
            {FileFormat(format), 932, password, encodingKey});
        const QString description = errorOpening(file);
        QVERIFY2(description.contains(u"パスワードで保護され"_qs), qPrintable(description));
        QVERIFY2(description.contains(QDir::toNativeSeparators(file)), qPrintable(description));
        QVERIFY2(!description.contains(u"壊れて"_qs), qPrintable(description));
    }
};

QTEST_GUILESS_MAIN(TestAccessFormats)
#include "tst_accessformats.moc"
