// make-test-mdb --rows N --out FILE [--table NAME] [--format jet4|jet3|accdb]
// Writes an Access file with one table of the sample's shape (bar, hi, mei,
// as2) holding N generated products, for tests and benchmarks: Jet 4 (.mdb,
// the default), Jet 3 (Access 97 .mdb, text in code page 932) or ACE
// (.accdb).
#include "core/error.h"
#include "mdbwriter/mdbwriter.h"
#include "testdata/productstable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Writes an Access (.mdb) file with generated product rows."_qs);
    parser.addHelpOption();
    const QCommandLineOption rowsOption(u"rows"_qs, u"Number of rows."_qs, u"N"_qs);
    const QCommandLineOption outOption(u"out"_qs, u"File to write."_qs, u"FILE"_qs);
    const QCommandLineOption tableOption(u"table"_qs, u"Table name (default Master)."_qs,
                                         u"NAME"_qs, u"Master"_qs);
    const QCommandLineOption formatOption(
        u"format"_qs, u"jet4 (default), jet3 (Access 97) or accdb."_qs, u"FORMAT"_qs, u"jet4"_qs);
    parser.addOptions({rowsOption, outOption, tableOption, formatOption});
    parser.process(app);

    bool rowsValid = false;
    const qint64 rows = parser.value(rowsOption).toLongLong(&rowsValid);
    if (!parser.isSet(rowsOption) || !rowsValid || rows < 0 || !parser.isSet(outOption)) {
        std::fprintf(stderr, "make-test-mdb: --rows N (0 or more) and --out FILE are required\n");
        return 2;
    }
    hakobee::mdbwriter::FileOptions options;
    const QString format = parser.value(formatOption);
    if (format == QLatin1String("jet3")) {
        options.format = hakobee::mdbwriter::FileFormat::Jet3;
        options.codePage = 932;
    } else if (format == QLatin1String("accdb")) {
        options.format = hakobee::mdbwriter::FileFormat::Ace;
    } else if (format != QLatin1String("jet4")) {
        std::fprintf(stderr, "make-test-mdb: --format is jet4, jet3 or accdb\n");
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    try {
        const QString out = parser.value(outOption);
        hakobee::mdbwriter::writeDatabase(
            out, {hakobee::testdata::generatedProductsTable(parser.value(tableOption), rows)},
            options);
        std::fprintf(stderr, "make-test-mdb: %lld rows, %lld bytes, %.2f s\n", rows,
                     QFileInfo(out).size(), timer.elapsed() / 1000.0);
    } catch (const hakobee::Error& error) {
        std::fprintf(stderr, "make-test-mdb: %s\n", error.what());
        return 1;
    }
    return 0;
}
