// Writes the default copies of the settings files in their installed form
// (Shift-JIS, CR LF) from their readable UTF-8 sources.
//
//   hakobee-defaults OUTDIR SAMPLE_DATABASE SOURCE.txt.in...
//
// Each source holds the header row and the data row; "@SAMPLE_DATABASE@" in
// a value becomes the sample database's path. A source without rows gives
// an empty file.
#include "core/error.h"
#include "core/settings/settingsfiles.h"
#include "core/settings/settingsformat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cstdio>

using namespace hakobee;

namespace {

void writeDefault(const QString& sourcePath, const QDir& outDir, const QString& sampleDatabase)
{
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        throw Error(u"cannot read "_qs + sourcePath + u": "_qs + source.errorString());
    const QString text = QStringDecoder(QStringDecoder::Utf8).decode(source.readAll());
    const QString target = outDir.filePath(QFileInfo(sourcePath).fileName().chopped(3));
    const QList<QStringList> lines = splitSettingsLines(text, sourcePath);
    if (lines.isEmpty()) {
        QSaveFile empty(target);
        if (!empty.open(QIODevice::WriteOnly) || !empty.commit())
            throw Error(u"cannot write "_qs + target);
        return;
    }
    if (lines.size() != 2)
        throw Error(sourcePath + u": a header row and a data row are needed"_qs);
    QStringList values = lines[1];
    for (QString& value : values)
        value.replace(u"@SAMPLE_DATABASE@"_qs, QDir::toNativeSeparators(sampleDatabase));
    replaceSettingsFile(target, lines[0], values);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: hakobee-defaults OUTDIR SAMPLE_DATABASE SOURCE.txt.in...\n");
        return 2;
    }
    const QDir outDir(arguments[1]);
    try {
        for (const QString& source : arguments.mid(3))
            writeDefault(source, outDir, arguments[2]);
    } catch (const Error& error) {
        std::fprintf(stderr, "hakobee-defaults: %s\n", error.what());
        return 1;
    }
    return 0;
}
