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

#include <algorithm>
#include <tuple>

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
    const QString info = QString::fromUtf8(runTool(u"pdfinfo"_qs, {pdf}));
    const QRegularExpressionMatch match =
        QRegularExpression(u"^Pages:\\s+(\\d+)"_qs, QRegularExpression::MultilineOption)
            .match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The size of the first page in points.
inline QSizeF pdfPageSizePt(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool(u"pdfinfo"_qs, {pdf}));
    const QRegularExpressionMatch match =
        QRegularExpression(u"^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_qs,
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
    const QString xhtml = QString::fromUtf8(runTool(u"pdftotext"_qs, {u"-bbox"_qs, pdf, "-"}));
    static const QRegularExpression pagePattern(u"<page "_qs);
    static const QRegularExpression wordPattern(
        u"<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
        u"yMax=\"([\\d.]+)\">([^<]*)</word>"_qs);
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

// The words of each printed line of a page, joined: a line is a run of words
// on one baseline with no gap wider than their height. Writers split words
// differently where characters touch; the lines they print are the same.
struct PdfTextLine
{
    QString text; // words joined without spaces
    QRectF boxPt;
    int page = 0;
};

inline QList<PdfTextLine> pdfTextLines(const QString& pdf)
{
    QList<PdfWord> words = pdfWords(pdf);
    std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
        return std::tuple(a.page, a.boxPt.bottom(), a.boxPt.left()) <
               std::tuple(b.page, b.boxPt.bottom(), b.boxPt.left());
    });
    QList<PdfTextLine> lines;
    for (const PdfWord& word : words) {
        if (!lines.isEmpty()) {
            PdfTextLine& last = lines.last();
            const bool sameBaseline = last.page == word.page &&
                                      qAbs(last.boxPt.bottom() - word.boxPt.bottom()) < 0.5 &&
                                      qAbs(last.boxPt.top() - word.boxPt.top()) < 0.5;
            if (sameBaseline && word.boxPt.left() - last.boxPt.right() < word.boxPt.height()) {
                last.text += word.text;
                last.boxPt |= word.boxPt;
                continue;
            }
        }
        lines.append({word.text, word.boxPt, word.page});
    }
    return lines;
}

struct PdfFont
{
    QString name;
    QString type;
    bool embedded = false;
    bool subset = false;
    bool unicodeMap = false; // a ToUnicode table: its text can be extracted
};

// The fonts of the document, as pdffonts lists them.
inline QList<PdfFont> pdfFonts(const QString& pdf)
{
    const QStringList lines = QString::fromUtf8(runTool(u"pdffonts"_qs, {pdf})).split(u'\n');
    if (lines.size() < 2)
        return {};
    // The second line's dashes mark the columns: name, type, encoding, emb, sub, uni, id.
    QList<std::pair<qsizetype, qsizetype>> columns;
    for (qsizetype at = 0; (at = lines[1].indexOf(u'-', at)) >= 0;) {
        qsizetype end = at;
        while (end < lines[1].size() && lines[1][end] == u'-')
            ++end;
        columns.append({at, end - at});
        at = end;
    }
    QList<PdfFont> fonts;
    for (const QString& line : lines.mid(2)) {
        if (line.trimmed().isEmpty() || columns.size() < 6)
            continue;
        const auto column = [&](int i) {
            return line.mid(columns[i].first, columns[i].second).trimmed();
        };
        fonts.append(
            {column(0), column(1), column(3) == u"yes", column(4) == u"yes", column(5) == u"yes"});
    }
    return fonts;
}

// The first page rasterised in grey at the resolution; a null image on failure.
inline QImage rasterisePdf(const QString& pdf, int dpi)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(u"page"_qs);
    runTool(u"pdftoppm"_qs, {u"-r"_qs, QString::number(dpi), u"-gray"_qs, u"-png"_qs,
                             u"-singlefile"_qs, pdf, prefix});
    return QImage(prefix + u".png"_qs);
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
