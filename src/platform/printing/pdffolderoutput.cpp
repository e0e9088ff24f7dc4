#include "platform/printing/printjoboutput.h"

#include "core/error.h"
#include "platform/printing/printjobspool.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace hakobee {

namespace {

const QRegularExpression labelFileName(u"^label-(\\d+)\\.pdf$"_qs);

int highestLabelNumber(const QDir& folder)
{
    int highest = 0;
    const QStringList names = folder.entryList(QDir::Files);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = labelFileName.match(name);
        if (match.hasMatch())
            highest = std::max(highest, match.captured(1).toInt());
    }
    return highest;
}

} // namespace

QString PdfFolderOutput::defaultFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(u"hakobee-labels"_qs);
}

QString PdfFolderOutput::spoolFolder()
{
    if (!QDir().mkpath(folder_))
        throw Error(
            u"PDF の出力フォルダ「%1」を作れません。"_qs.arg(QDir::toNativeSeparators(folder_)));
    return folder_;
}

void PdfFolderOutput::deliver(const Job& job)
{
    const QDir folder(spoolFolder());
    for (int copy = 0; copy < std::max(job.copies, 1); ++copy)
        writeFile(folder, job.document.bytes);
}

void PdfFolderOutput::writeFile(const QDir& folder, const QByteArray& document)
{
    // Written whole under a name no reader takes for a label, then renamed.
    const SpoolFile spool(folder.path(), document);
    // The folder is listed once; after that the next number is known. The
    // rename never replaces a file, so a number another copy of the program
    // (or anyone) took meanwhile makes it fail, and the next one is tried.
    if (nextNumber_ == 0)
        nextNumber_ = highestLabelNumber(folder) + 1;
    for (int attempt = 0; attempt < 1000; ++attempt, ++nextNumber_) {
        const QString target =
            folder.filePath(u"label-%1.pdf"_qs.arg(nextNumber_, 6, 10, QLatin1Char('0')));
        if (QFile::rename(spool.path(), target)) {
            ++nextNumber_;
            return;
        }
        if (!QFile::exists(target))
            break;
    }
    throw Error(u"PDF ファイルをフォルダ「%1」に保存できません。"_qs.arg(
        QDir::toNativeSeparators(folder_)));
}

} // namespace hakobee
