// Writes the starting inputs of the Access file fuzz target into a folder:
// small files of every kind the backend reads, written by the project's Jet
// writer (Jet 4, Jet 3 in code page 932, ACE, deleted and moved rows,
// encoded pages, a password, saved queries), and damaged copies of them (cut
// short, a page overwritten, header bytes changed).
//
//   make-access-seeds OUTDIR

#include "../support/savedqueryfile.h"
#include "accessfixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>

using namespace hakobee;
using mdbwriter::ColumnType;
using mdbwriter::FileFormat;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

mdbwriter::Table japaneseTable()
{
    const QList<QList<mdbwriter::Value>> rows{
        {u"4901234567894"_qs, u"緑茶 ①番 髙島屋"_qs, u"ﾘｮｸﾁｬ"_qs, qint64(138'0000)},
        {u"49123456"_qs, u"ＡＢＣ　全角"_qs, mdbwriter::Value{}, qint64(-99'5000)},
    };
    mdbwriter::Table table{u"Master"_qs,
                           {{u"bar"_qs, ColumnType::Text, 13},
                            {u"hi"_qs, ColumnType::Text, 50},
                            {u"mei"_qs, ColumnType::Text, 50},
                            {u"as2"_qs, ColumnType::Currency}},
                           rows.size(),
                           {},
                           {},
                           {}};
    table.rowAt = [rows](qint64 row, QList<mdbwriter::Value>& values) {
        values = rows.at(row);
    };
    return table;
}

// The file, and damaged copies: cut at a page boundary and inside a page,
// one page overwritten with noise, a few scattered bytes changed.
void writeWithDamagedCopies(const QDir& out, const QString& name, int pageSize)
{
    const QByteArray file = readAll(out.filePath(name));
    const qsizetype pages = file.size() / pageSize;
    QRandomGenerator random(qHash(name));
    writeAll(out.filePath(name + u".cut-page"_qs), file.left((pages / 2) * pageSize));
    writeAll(out.filePath(name + u".cut-inside"_qs), file.left(file.size() - pageSize / 3));
    QByteArray noise = file;
    const qsizetype page = 1 + random.bounded(qMax<qsizetype>(1, pages - 1));
    for (int i = 0; i < pageSize && page * pageSize + i < noise.size(); ++i)
        noise[page * pageSize + i] = char(random.bounded(256));
    writeAll(out.filePath(name + u".noise-page"_qs), noise);
    QByteArray scattered = file;
    for (int i = 0; i < 16; ++i)
        scattered[random.bounded(scattered.size())] = char(random.bounded(256));
    writeAll(out.filePath(name + u".scattered"_qs), scattered);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-access-seeds OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    auto path = [&](const char* name) {
        return out.filePath(QString::fromLatin1(name));
    };

    accessfixtures::writeSampleShape(path("sample.mdb"));
    accessfixtures::writeManyProducts(path("products.mdb"), 60);
    accessfixtures::writeAllTypes(path("alltypes.mdb"));
    mdbwriter::writeDatabase(
        path("slots.mdb"),
        {accessfixtures::slotPatternTable(accessfixtures::SlotPattern::Mixed).table});
    mdbwriter::writeDatabase(path("jet3.mdb"), {japaneseTable()}, {FileFormat::Jet3, 932, {}, 0});
    mdbwriter::writeDatabase(path("ace.accdb"), {japaneseTable()}, {FileFormat::Ace, 1252, {}, 0});
    mdbwriter::writeDatabase(path("encoded.mdb"), {japaneseTable()},
                             {FileFormat::Jet4, 1252, {}, 0x1234ABCDu});
    mdbwriter::writeDatabase(path("password.mdb"), {japaneseTable()},
                             {FileFormat::Jet4, 1252, u"himitsu"_qs, 0});

    test::writeSavedQueryFile(path("queries.mdb"));

    for (const char* name : {"sample.mdb", "alltypes.mdb", "slots.mdb", "ace.accdb", "queries.mdb"})
        writeWithDamagedCopies(out, QString::fromLatin1(name), 4096);
    writeWithDamagedCopies(out, u"jet3.mdb"_qs, 2048);
    return 0;
}
