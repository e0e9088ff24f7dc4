#include "platform/printing/printjobspool.h"

#include "core/error.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryFile>

namespace hakobee {

SpoolFile::SpoolFile(const QString& folder, const QByteArray& contents)
{
    QTemporaryFile file(QDir(folder).filePath(u".label-XXXXXX.spool"_qs));
    file.setAutoRemove(false);
    if (!file.open())
        throw Error(u"印刷用の一時ファイルをフォルダ「%1」に作れません。"_qs.arg(
            QDir::toNativeSeparators(folder)));
    path_ = file.fileName();
    if (!contents.isEmpty() && (file.write(contents) != contents.size() || !file.flush())) {
        file.remove();
        throw Error(u"印刷用の一時ファイルをフォルダ「%1」に書けません。"_qs.arg(
            QDir::toNativeSeparators(folder)));
    }
}

SpoolFile::~SpoolFile()
{
    QFile::remove(path_);
}

PrintJobOutput::Job printJob(const QPrinter& printer, PrintJobOutput::Document document,
                             const QString& title, const QString& paperKey)
{
    PrintJobOutput::Job job;
    job.document = std::move(document);
    job.title = title;
    const QPageLayout layout = printer.pageLayout();
    job.paperKey = paperKey.isEmpty() ? layout.pageSize().key() : paperKey;
    job.landscape = layout.orientation() == QPageLayout::Landscape;
    job.duplexLongEdge = printer.duplex() == QPrinter::DuplexLongSide ||
                         (printer.duplex() == QPrinter::DuplexAuto && !job.landscape);
    job.duplexShortEdge = printer.duplex() == QPrinter::DuplexShortSide ||
                          (printer.duplex() == QPrinter::DuplexAuto && job.landscape);
    return job;
}

} // namespace hakobee
