// access-read-driver grid|count|scroll FILE|FOLDER|URI QUERY
// One measurement of reading an Access file (or a folder of CSV files, or an
// Excel workbook) through the backend, printed as key=value lines: "grid"
// opens the grid record set and reads its first 50 rows (first_rows_s,
// rss_mib); "count" opens the static record set, moves to the last and back
// to the first row and reads the count (count_s, count); "scroll" reads
// every row and field of the grid record set from the first to the last, as
// a run does (scroll_s, rows, rss_mib). A database server's connection URI
// or ODBC connection string serves as well as a file.
// Each measurement runs in its own process so that peak memory is its own.
#include "core/error.h"
#include "platform/textfolder/textfolder.h"

#include <QElapsedTimer>
#include <QString>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

double peakRssMib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // ru_maxrss is in KiB on Linux
}

} // namespace

int main(int argc, char* argv[])
{
    const auto mode = [&](const char* name) {
        return argc == 4 && std::strcmp(argv[1], name) == 0;
    };
    if (!mode("grid") && !mode("count") && !mode("scroll")) {
        std::fprintf(stderr, "usage: access-read-driver grid|count|scroll FILE|FOLDER|URI QUERY\n");
        return 2;
    }
    const bool grid = mode("grid") || mode("scroll");
    const QString path = QString::fromLocal8Bit(argv[2]);
    const QString query = QString::fromLocal8Bit(argv[3]);
    try {
        QElapsedTimer timer;
        timer.start();
        const auto connection = hakobee::openDataSourcePath(path);
        const auto records = connection->openRecordset(
            query, grid ? hakobee::CursorKind::Grid : hakobee::CursorKind::StaticRead);
        if (mode("scroll")) {
            qint64 rows = 0;
            qint64 characters = 0;
            for (; !records->eof(); records->moveNext(), ++rows) {
                for (int i = 0; i < records->fieldCount(); ++i)
                    characters += records->field(i).value_or(QString()).size();
            }
            const double seconds = timer.nsecsElapsed() / 1e9;
            std::printf("scroll_s=%.4f\nrows=%lld\nrss_mib=%.1f\nchars=%lld\n", seconds, rows,
                        peakRssMib(), characters);
        } else if (grid) {
            qint64 characters = 0;
            for (int row = 0; row < 50 && !records->eof(); ++row, records->moveNext()) {
                for (int i = 0; i < records->fieldCount(); ++i)
                    characters += records->field(i).value_or(QString()).size();
            }
            const double seconds = timer.nsecsElapsed() / 1e9;
            std::printf("first_rows_s=%.4f\nrss_mib=%.1f\nfirst_rows_chars=%lld\n", seconds,
                        peakRssMib(), characters);
        } else {
            records->moveLast();
            records->moveFirst();
            const qint64 count = records->recordCount();
            const double seconds = timer.nsecsElapsed() / 1e9;
            std::printf("count_s=%.4f\ncount=%lld\nrss_mib=%.1f\n", seconds, count, peakRssMib());
        }
    } catch (const hakobee::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
