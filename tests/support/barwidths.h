#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hakobee::test {

// One bar or space of a barcode row as printed: its width in dots, the whole
// number of modules nearest to it and how many dots it is off that number.
struct MeasuredRun
{
    bool bar = true;
    int widthDots = 0;
    int modules = 0;
    int deviationDots = 0;
    // A printed bar or space is right when it is a whole number of modules,
    // 1 to 4 as EAN has them, to the dot.
    bool exact() const { return deviationDots == 0 && modules >= 1 && modules <= 4; }
};

// Every bar and space of one row through the bars, from the left guard bar
// to the right one, with the module that row shows (its narrowest guard bar).
struct MeasuredRow
{
    int y = 0;
    int moduleDots = 0;
    QList<MeasuredRun> runs;
    QString digits; // what the modules decode to; empty when they do not
};

// The bar-width check of one EAN-13 or EAN-8 barcode in a 1-bit image at a
// known resolution: every bar and space of several rows measured in dots.
struct BarWidthReport
{
    QString symbology; // "EAN-13" or "EAN-8"; empty when no barcode was found
    QList<MeasuredRow> rows;
    int moduleDots = 0; // the narrowest guard bar of all rows
    double moduleMm = 0;
    int runsChecked = 0;
    int runsOff = 0; // runs that are not a whole number (1..4) of modules
    int maxDeviationDots = 0;
    QString digits;  // decoded from the modules, the same in every row; else empty
    QString failure; // why no barcode was found or decoded

    bool found() const { return !symbology.isEmpty(); }
    bool exact() const { return found() && runsOff == 0 && !digits.isEmpty(); }

    // The first measured row, run by run ("3" a whole run, "3+1" one dot
    // over 3 modules), for a failure message.
    QString describe() const
    {
        if (!found())
            return u"no barcode: "_qs + failure;
        QString text = u"%1 %2, module %3 dots (%4 mm), %5 of %6 runs off, max %7 dots; row %8:"_qs
                           .arg(symbology, digits.isEmpty() ? u"(no decode)"_qs : digits)
                           .arg(moduleDots)
                           .arg(moduleMm, 0, 'f', 3)
                           .arg(runsOff)
                           .arg(runsChecked)
                           .arg(maxDeviationDots)
                           .arg(rows.first().y);
        for (const MeasuredRun& run : rows.first().runs) {
            text += u' ' + QString::number(run.modules);
            if (run.deviationDots != 0)
                text += (run.deviationDots > 0 ? u"+"_qs : QString()) +
                        QString::number(run.deviationDots);
        }
        return text;
    }
};

namespace barwidths {

struct Symbology
{
    const char* name;
    int bars;
    int modules;
    int digits;
    int halfDigits; // digits on each side of the centre guard
};
constexpr Symbology ean13{"EAN-13", 30, 95, 13, 6};
constexpr Symbology ean8{"EAN-8", 22, 67, 8, 4};

struct Run
{
    int start = 0;
    int width = 0;
};

// The black runs of one row of a Grayscale8 image (dark below mid-grey).
inline QList<Run> barsInRow(const QImage& grey, int y)
{
    QList<Run> bars;
    const uchar* row = grey.constScanLine(y);
    for (int x = 0; x < grey.width();) {
        if (row[x] >= 128) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < grey.width() && row[x] < 128)
            ++x;
        bars.append({start, x - start});
    }
    return bars;
}

// Where the barcode's bars start in the row's list of bars: a run of bars as
// many as the symbology has, no bar or space wider than 4 modules of their
// mean, with at least 5 modules of white on each side. -1 when none is.
inline int findBars(const QList<Run>& bars, int imageWidth, const Symbology& code)
{
    for (qsizetype first = 0; first + code.bars <= bars.size(); ++first) {
        const Run& left = bars[first];
        const Run& right = bars[first + code.bars - 1];
        const double module = double(right.start + right.width - left.start) / code.modules;
        const int whiteBefore =
            left.start - (first > 0 ? bars[first - 1].start + bars[first - 1].width : 0);
        const qsizetype after = first + code.bars;
        const int whiteAfter =
            (after < bars.size() ? bars[after].start : imageWidth) - right.start - right.width;
        if (module < 1 || whiteBefore < 5 * module || whiteAfter < 5 * module)
            continue;
        bool fits = true;
        for (qsizetype i = first; i < after && fits; ++i) {
            fits = bars[i].width <= 4.6 * module;
            if (i + 1 < after)
                fits = fits && bars[i + 1].start - bars[i].start - bars[i].width <= 4.6 * module;
        }
        if (fits)
            return static_cast<int>(first);
    }
    return -1;
}

// Bar and space widths in modules, guard to guard, and the digits they
// encode (the L, G and R codes, the first digit of an EAN-13 from the
// parity of the left half), or empty.
inline QString decodeModules(const QList<int>& modules, const Symbology& code)
{
    // Widths of the L codes (space, bar, space, bar) and of the R codes
    // (bar, space, bar, space) are the same; G is L read backwards.
    static const QStringList widthsL{u"3211"_qs, u"2221"_qs, u"2122"_qs, u"1411"_qs, u"1132"_qs,
                                     u"1231"_qs, u"1114"_qs, u"1312"_qs, u"1213"_qs, u"3112"_qs};
    static const QStringList firstDigitParity{
        u"LLLLLL"_qs, u"LLGLGG"_qs, u"LLGGLG"_qs, u"LLGGGL"_qs, u"LGLLGG"_qs,
        u"LGGLLG"_qs, u"LGGGLL"_qs, u"LGLGLG"_qs, u"LGLGGL"_qs, u"LGGLGL"_qs};
    const int half = code.halfDigits;
    if (modules.size() != 2 * code.bars - 1)
        return {};
    const auto widthsAt = [&](int run) {
        QString widths;
        for (int i = run; i < run + 4; ++i)
            widths += QString::number(modules[i]);
        return widths;
    };
    const auto isGuard = [&](int run, int count) {
        return std::all_of(modules.begin() + run, modules.begin() + run + count,
                           [](int m) { return m == 1; });
    };
    const int centre = 3 + 4 * half;
    const int rightHalf = centre + 5;
    if (!isGuard(0, 3) || !isGuard(centre, 5) || !isGuard(rightHalf + 4 * half, 3))
        return {};
    QString digits, parity;
    for (int i = 0; i < half; ++i) {
        QString widths = widthsAt(3 + 4 * i);
        if (const qsizetype l = widthsL.indexOf(widths); l >= 0) {
            digits += QString::number(l);
            parity += u'L';
            continue;
        }
        std::reverse(widths.begin(), widths.end());
        const qsizetype g = widthsL.indexOf(widths);
        if (g < 0 || code.digits == 8) // EAN-8 has no G codes
            return {};
        digits += QString::number(g);
        parity += u'G';
    }
    for (int i = 0; i < half; ++i) {
        const qsizetype r = widthsL.indexOf(widthsAt(rightHalf + 4 * i));
        if (r < 0)
            return {};
        digits += QString::number(r);
    }
    if (code.digits == 13) {
        const qsizetype first = firstDigitParity.indexOf(parity);
        if (first < 0)
            return {};
        digits.prepend(QString::number(first));
    }
    return digits;
}

// One row's bars and spaces from its left guard bar, measured against the
// module of its narrowest guard bar.
inline MeasuredRow measureRow(const QList<Run>& bars, int first, int y, const Symbology& code)
{
    MeasuredRow row;
    row.y = y;
    QList<int> widths;
    for (int i = first; i < first + code.bars; ++i) {
        widths.append(bars[i].width);
        if (i + 1 < first + code.bars)
            widths.append(bars[i + 1].start - bars[i].start - bars[i].width);
    }
    const int runs = static_cast<int>(widths.size());
    const int centre = 3 + 4 * code.halfDigits;
    // The guard bars: the two outer bars at each end and the centre's two.
    row.moduleDots = std::min({widths[0], widths[2], widths[centre + 1], widths[centre + 3],
                               widths[runs - 3], widths[runs - 1]});
    QList<int> modules;
    for (int i = 0; i < runs; ++i) {
        MeasuredRun run;
        run.bar = i % 2 == 0;
        run.widthDots = widths[i];
        run.modules = std::max(1, int(std::lround(double(widths[i]) / row.moduleDots)));
        run.deviationDots = widths[i] - run.modules * row.moduleDots;
        row.runs.append(run);
        modules.append(run.modules);
    }
    row.digits = decodeModules(modules, code);
    if (row.digits.isEmpty()) {
        // Upside down, the barcode reads backwards.
        std::reverse(modules.begin(), modules.end());
        row.digits = decodeModules(modules, code);
    }
    return row;
}

} // namespace barwidths

// Finds the one EAN-13 or EAN-8 barcode in the image (a label as printed,
// dark dots black) and measures rowsToMeasure rows spread over the middle of
// its bars; dotsPerInch gives the module in millimetres.
inline BarWidthReport measureBarWidths(const QImage& image, int dotsPerInch, int rowsToMeasure = 5)
{
    using namespace barwidths;
    BarWidthReport report;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    // The longest block of consecutive rows that each show the barcode.
    const Symbology* code = nullptr;
    int blockTop = -1, blockRows = 0;
    for (const Symbology* candidate : {&ean13, &ean8}) {
        int top = -1;
        for (int y = 0; y <= grey.height(); ++y) {
            const bool found =
                y < grey.height() && findBars(barsInRow(grey, y), grey.width(), *candidate) >= 0;
            if (found && top < 0)
                top = y;
            if (!found && top >= 0) {
                if (y - top > blockRows) {
                    code = candidate;
                    blockTop = top;
                    blockRows = y - top;
                }
                top = -1;
            }
        }
        if (code)
            break;
    }
    if (!code) {
        report.failure = u"no row shows 30 (EAN-13) or 22 (EAN-8) bars between quiet zones"_qs;
        return report;
    }
    report.symbology = QString::fromLatin1(code->name);
    // Rows from a tenth to nine tenths of the bars' height, clear of the ends.
    const int count = std::min(rowsToMeasure, blockRows);
    for (int i = 0; i < count; ++i) {
        const int y = blockTop + blockRows / 10 +
                      (count > 1 ? i * (blockRows * 8 / 10) / (count - 1) : blockRows / 2);
        const QList<Run> bars = barsInRow(grey, y);
        report.rows.append(measureRow(bars, findBars(bars, grey.width(), *code), y, *code));
    }
    report.moduleDots = report.rows.first().moduleDots;
    for (const MeasuredRow& row : std::as_const(report.rows)) {
        report.moduleDots = std::min(report.moduleDots, row.moduleDots);
        for (const MeasuredRun& run : row.runs) {
            ++report.runsChecked;
            report.runsOff += run.exact() ? 0 : 1;
            report.maxDeviationDots =
                std::max(report.maxDeviationDots, std::abs(run.deviationDots));
        }
    }
    report.moduleMm = report.moduleDots * 25.4 / dotsPerInch;
    const QString digits = report.rows.first().digits;
    const bool sameInEveryRow =
        std::all_of(report.rows.begin(), report.rows.end(),
                    [&](const MeasuredRow& row) { return row.digits == digits; });
    if (digits.isEmpty() || !sameInEveryRow)
        report.failure = u"the modules do not decode to one code"_qs;
    else
        report.digits = digits;
    return report;
}

// What zbarimg reads from the image: one "EAN-13:4901234567894" entry per
// barcode. zbarimg exits 4 when it finds none, which is a result (an empty
// list); failure says why it could not run.
inline QStringList zbarSymbols(const QImage& image, QString* failure = nullptr)
{
    QTemporaryDir folder;
    const QString png = folder.filePath(u"label.png"_qs);
    if (!image.save(png, "PNG")) {
        if (failure)
            *failure = u"could not write "_qs + png;
        return {};
    }
    QProcess zbar;
    zbar.start(u"zbarimg"_qs, {u"-q"_qs, png});
    if (!zbar.waitForFinished(60000) || zbar.exitStatus() != QProcess::NormalExit ||
        (zbar.exitCode() != 0 && zbar.exitCode() != 4)) {
        if (failure)
            *failure = u"zbarimg failed: "_qs + QString::fromLocal8Bit(zbar.readAllStandardError());
        return {};
    }
    QStringList symbols;
    for (const QString& line :
         QString::fromUtf8(zbar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        symbols.append(line.trimmed());
    return symbols;
}

} // namespace hakobee::test
