// The fuzz targets' entry point in builds without libFuzzer: runs every file
// named on the command line, and every file in every folder named, through
// the target once, so the normal test run replays the kept inputs. Options
// (arguments starting with "-") are libFuzzer's and are ignored.

#include "fuzztarget.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList inputs;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(u'-'))
            continue;
        if (QFileInfo(argument).isDir()) {
            QDirIterator files(argument, QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext())
                inputs.append(files.next());
        } else {
            inputs.append(argument);
        }
    }
    inputs.sort();
    for (const QString& path : std::as_const(inputs)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "replay: cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               std::size_t(bytes.size()));
    }
    std::printf("replay: %lld inputs ran\n", static_cast<long long>(inputs.size()));
    return inputs.isEmpty() ? 1 : 0;
}
