#include "accessfixtures.h"

#include "core/error.h"
#include "platform/access/accessdatabase.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace hakobee;

namespace {

constexpr qint64 pageSize = 4096;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Opens the file and reads every row of every table the test databases
// have, to the last one. Returns the error description, or an empty text
// when everything could be read.
QString readEverything(const QString& path)
{
    try {
        const auto connection = openAccessDatabase(path);
        for (const char* table : {"Master", "AllTypes", "[商品 マスタ]"}) {
            std::unique_ptr<Recordset> records;
            try {
                records = connection->openRecordset(
                    QStringLiteral("select * from %1").arg(QString::fromUtf8(table)),
                    CursorKind::StaticRead);
            } catch (const Error& error) {
                // A table the file never had is not a finding; a damaged one is.
                if (error.description().contains(QStringLiteral("no such table")))
                    continue;
                throw;
            }
            for (; !records->eof(); records->moveNext()) {
                for (int i = 0; i < records->fieldCount(); ++i)
                    records->field(i);
            }
            if (records->recordCount() > 0) {
                records->moveLast();
                records->moveFirst();
            }
        }
        return {};
    } catch (const Error& error) {
        return error.description();
    }
}

} // namespace

// Every damaged, cut or foreign file must end in an error description:
// never a crash, an endless loop or a read outside memory. This group also
// runs under AddressSanitizer.
class TestAccessBadFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QByteArray products;
    QByteArray allTypes;

    QString pathFor(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        accessfixtures::writeManyProducts(pathFor(QStringLiteral("products.mdb")), 400);
        accessfixtures::writeAllTypes(pathFor(QStringLiteral("alltypes.mdb")));
        products = readAll(pathFor(QStringLiteral("products.mdb")));
        allTypes = readAll(pathFor(QStringLiteral("alltypes.mdb")));
        QVERIFY(products.size() > 8 * pageSize);
        QCOMPARE(readEverything(pathFor(QStringLiteral("products.mdb"))), QString());
        QCOMPARE(readEverything(pathFor(QStringLiteral("alltypes.mdb"))), QString());
    }

    void unreadableFilesAreNamed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << QStringLiteral("missing.mdb") << QByteArray()
                                 << QStringLiteral("見つかりません");
        QTest::newRow("directory")
            << QStringLiteral("folder.mdb") << QByteArray() << QStringLiteral("フォルダー");
        QTest::newRow("empty") << QStringLiteral("empty.mdb") << QByteArray("")
                               << QStringLiteral("Access のデータベースファイルではありません");
        QTest::newRow("text named .mdb")
            << QStringLiteral("text.mdb") << QByteArray("bar,hi,mei\r\n4901234567894,茶,ﾁｬ\r\n")
            << QStringLiteral("Access のデータベースファイルではありません");
        QTest::newRow("first 4 KiB") << QStringLiteral("first4k.mdb") << QByteArray("first4k")
                                     << QStringLiteral("壊れている");
        QTest::newRow("cut inside a page")
            << QStringLiteral("cut.mdb") << QByteArray("cut") << QStringLiteral("壊れている");
    }

    void unreadableFilesAreNamed()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const QString path = pathFor(name);
        if (name == QLatin1String("folder.mdb"))
            QVERIFY(QDir().mkpath(path));
        else if (content == "first4k")
            writeAll(path, products.left(pageSize));
        else if (content == "cut")
            writeAll(path, products.left(products.size() - 1000));
        else if (name != QLatin1String("missing.mdb"))
            writeAll(path, content);

        const QString description = readEverything(path);
        QVERIFY2(description.contains(expected), qPrintable(description));
        QVERIFY2(description.contains(QDir::toNativeSeparators(path)), qPrintable(description));
    }

    void fileCutAtAPageBoundaryLosesNoRowsSilently()
    {
        const QString path = pathFor(QStringLiteral("half.mdb"));
        writeAll(path, products.left(products.size() / pageSize / 2 * pageSize));
        const QString description = readEverything(path);
        QVERIFY2(description.contains(QStringLiteral("Master")), qPrintable(description));
        QVERIFY2(description.contains(QStringLiteral("壊れて")), qPrintable(description));
    }

    void pageOfAnotherOwnerInTheMapIsReported()
    {
        // libmdb would skip such a page with a warning and lose its rows.
        // Master's data pages are the ones whose owner is most common.
        QByteArray damaged = products;
        QHash<QByteArray, QList<qint64>> pagesByOwner;
        for (qint64 page = 1; page < damaged.size() / pageSize; ++page) {
            const char* bytes = damaged.constData() + page * pageSize;
            if (bytes[0] == 1 && bytes[1] == 1)
                pagesByOwner[QByteArray(bytes + 4, 4)].append(page);
        }
        qint64 dataPage = -1;
        qsizetype most = 0;
        for (const QList<qint64>& pages : std::as_const(pagesByOwner)) {
            if (pages.size() > most) {
                most = pages.size();
                dataPage = pages.last();
            }
        }
        QVERIFY(dataPage > 0);
        damaged[dataPage * pageSize + 4] = char(damaged[dataPage * pageSize + 4] + 1);
        const QString path = pathFor(QStringLiteral("foreign.mdb"));
        writeAll(path, damaged);
        const QString description = readEverything(path);
        QVERIFY2(description.contains(QStringLiteral("「Master」")), qPrintable(description));
        QVERIFY2(description.contains(QString::number(dataPage)), qPrintable(description));
    }

    void randomlyDamagedFilesGiveErrorsNotCrashes_data()
    {
        QTest::addColumn<int>("base");
        QTest::addColumn<bool>("wholePages");
        QTest::newRow("products, scattered bytes") << 0 << false;
        QTest::newRow("all types, scattered bytes") << 1 << false;
        QTest::newRow("products, whole pages") << 0 << true;
        QTest::newRow("all types, whole pages") << 1 << true;
    }

    void randomlyDamagedFilesGiveErrorsNotCrashes()
    {
        QFETCH(int, base);
        QFETCH(bool, wholePages);
        const QByteArray original = base == 0 ? products : allTypes;
        const QString path = pathFor(QStringLiteral("damaged.mdb"));
        const int rounds = wholePages ? 60 : 250;
        int readable = 0;
        int refused = 0;
        for (int round = 0; round < rounds; ++round) {
            QRandomGenerator random(quint32(round * 7919 + base));
            QByteArray damaged = original;
            if (wholePages) {
                const qint64 page = random.bounded(qint64(damaged.size() / pageSize));
                for (qint64 i = 0; i < pageSize; ++i)
                    damaged[page * pageSize + i] = char(random.bounded(256));
            } else {
                const int count = 1 + random.bounded(32);
                for (int i = 0; i < count; ++i)
                    damaged[random.bounded(damaged.size())] = char(random.bounded(256));
            }
            writeAll(path, damaged);
            const QString description = readEverything(path);
            // Either the damage missed everything that is read, or it is
            // reported; a report names the file.
            if (description.isEmpty()) {
                ++readable;
            } else {
                ++refused;
                QVERIFY2(description.contains(QDir::toNativeSeparators(path)) ||
                             description.contains(QStringLiteral("レコード")),
                         qPrintable(description));
            }
        }
        qInfo("%d damaged files read in full, %d refused with an error", readable, refused);
        QVERIFY(refused > 0);
    }
};

QTEST_GUILESS_MAIN(TestAccessBadFiles)
#include "tst_accessbadfiles.moc"
