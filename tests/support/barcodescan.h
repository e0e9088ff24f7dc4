#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace hakobee::test {

// What a scanner reads from a printed PDF: every page rasterised at 300 dpi
// (pdftoppm), then decoded by zbarimg. One "EAN-13:4901234567894" entry per
// barcode found, page by page; pageCount tells how many pages there were.
struct ScanResult
{
    int pageCount = 0;
    QStringList symbols;
    QString failure; // why scanning could not run, empty when it did
};

inline ScanResult scanPrintedPdf(const QString& pdfPath, const QString& keepPngAs = {})
{
    ScanResult result;
    QTemporaryDir pages;
    QProcess raster;
    raster.start(u"pdftoppm"_qs,
                 {u"-r"_qs, u"300"_qs, u"-png"_qs, pdfPath, pages.filePath(u"page"_qs)});
    if (!raster.waitForFinished(60000) || raster.exitCode() != 0) {
        result.failure =
            u"pdftoppm failed: "_qs + QString::fromLocal8Bit(raster.readAllStandardError());
        return result;
    }
    const QFileInfoList pngs =
        QDir(pages.path()).entryInfoList({u"*.png"_qs}, QDir::Files, QDir::Name);
    result.pageCount = static_cast<int>(pngs.size());
    for (const QFileInfo& png : pngs) {
        if (!keepPngAs.isEmpty()) {
            QFile::remove(keepPngAs);
            QFile::copy(png.filePath(), keepPngAs);
        }
        QProcess zbar;
        zbar.start(u"zbarimg"_qs, {u"-q"_qs, png.filePath()});
        // zbarimg exits 4 when it finds no barcode: that is a result, not a failure.
        if (!zbar.waitForFinished(60000) || (zbar.exitCode() != 0 && zbar.exitCode() != 4)) {
            result.failure =
                u"zbarimg failed: "_qs + QString::fromLocal8Bit(zbar.readAllStandardError());
            return result;
        }
        const QString out = QString::fromUtf8(zbar.readAllStandardOutput());
        for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts))
            result.symbols.append(line.trimmed());
    }
    return result;
}

} // namespace hakobee::test
