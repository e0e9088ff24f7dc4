#pragma once

// Looking into printed PDF files with poppler-utils (pdfinfo, pdftotext,
// pdftoppm), as an operator's printer would see them.

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace hakobee::test {

// Runs a tool to its end (at most 30 s) and returns its standard output;
// an empty result when it could not run or failed.
inline QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

inline int pdfPageCount(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The size of the first page in points.
inline QSizeF pdfPageSizePt(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                           QRegularExpression::MultilineOption)
            .match(info);
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QSizeF();
}

struct PdfWord
{
    QString text;
    QRectF boxPt; // from the top-left corner of the page, in points
    int page = 0; // 1-based
};

// Every word of the document with its box, as pdftotext -bbox gives it.
inline QList<PdfWord> pdfWords(const QString& pdf)
{
    const QString xhtml = QString::fromUtf8(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, "-"}));
    static const QRegularExpression pagePattern(QStringLiteral("<page "));
    static const QRegularExpression wordPattern(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfWord> words;
    int page = 0;
    qsizetype pos = 0;
    for (;;) {
        const QRegularExpressionMatch word = wordPattern.match(xhtml, pos);
        const qsizetype nextPage = xhtml.indexOf(pagePattern, pos);
        if (nextPage >= 0 && (!word.hasMatch() || nextPage < word.capturedStart())) {
            ++page;
            pos = nextPage + 1;
            continue;
        }
        if (!word.hasMatch())
            break;
        const double left = word.captured(1).toDouble();
        const double top = word.captured(2).toDouble();
        words.append({word.captured(5),
                      QRectF(QPointF(left, top),
                             QPointF(word.captured(3).toDouble(), word.captured(4).toDouble())),
                      page});
        pos = word.capturedEnd();
    }
    return words;
}

// The first page rasterised in grey at the resolution; a null image on failure.
inline QImage rasterisePdf(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
             QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

constexpr double pointsPerMm = 72.0 / 25.4;

} // namespace hakobee::test

namespace hakobee::test {

// The bounding box of the dark pixels (grey below 128) inside a region of
// the image; an empty rectangle when there are none.
inline QRect inkBounds(const QImage& image, const QRect& region)
{
    QRect ink;
    const QRect area = region.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

} // namespace hakobee::test
