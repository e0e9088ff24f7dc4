#include "core/printer/papercodes.h"

#include "core/printer/paperlist.h"
#include "core/units.h"

#include <QPageSize>
#include <QSet>
#include <QSizeF>

#include <algorithm>
#include <cmath>

namespace hakobee {

namespace {

constexpr double pointsPerMillimetre = 72.0 / 25.4;
constexpr int widestCodedMm = 126;
constexpr int tallestCodedMm = 256;
constexpr int firstLargePaperCode =
    firstDriverPaperSizeCode + widestCodedMm * tallestCodedMm; // 32513

// Whole millimetres as the paper list shows a length of points.
int listedMillimetres(double points)
{
    return paperListMillimetres(
        static_cast<int>(std::lround(points / pointsPerMillimetre * twipsPerMillimetre)));
}

// The code a size's dimensions give, before codes already taken are seen.
int sizeCode(const OfferedPaper& paper)
{
    const int widthMm = listedMillimetres(paper.widthPt);
    const int heightMm = listedMillimetres(paper.heightPt);
    if (widthMm < 1 || widthMm > widestCodedMm || heightMm < 1 || heightMm > tallestCodedMm)
        return firstLargePaperCode;
    return firstDriverPaperSizeCode + tallestCodedMm * (widthMm - 1) + (heightMm - 1);
}

} // namespace

int windowsPaperSizeCode(const OfferedPaper& paper)
{
    // A standard size is known by its dimensions, whatever a driver calls
    // it, to half a millimetre (Qt's fuzzy match allows a few points).
    const QSizeF sizePt(paper.widthPt, paper.heightPt);
    const QPageSize::PageSizeId id = QPageSize::id(sizePt, QPageSize::Point, QPageSize::FuzzyMatch);
    if (id == QPageSize::Custom)
        return 0;
    const QSizeF standard = QPageSize::size(id, QPageSize::Point);
    constexpr double tolerancePt = 0.5 * pointsPerMillimetre;
    if (std::abs(standard.width() - sizePt.width()) > tolerancePt ||
        std::abs(standard.height() - sizePt.height()) > tolerancePt)
        return 0;
    const int code = QPageSize::windowsId(id);
    return code == userDefinedPaperSizeCode ? 0 : code;
}

QList<int> paperSizeCodes(const QList<OfferedPaper>& papers)
{
    QList<int> codes(papers.size(), 0);
    QSet<int> taken;
    for (qsizetype i = 0; i < papers.size(); ++i) {
        const int code = windowsPaperSizeCode(papers[i]);
        if (code > 0 && !taken.contains(code)) {
            codes[i] = code;
            taken.insert(code);
        }
    }
    // The sizes without a Windows number, by the code their size gives and
    // then by name, take that code or the next free one above.
    QList<qsizetype> uncoded;
    for (qsizetype i = 0; i < papers.size(); ++i) {
        if (codes[i] == 0)
            uncoded.append(i);
    }
    std::sort(uncoded.begin(), uncoded.end(), [&papers](qsizetype a, qsizetype b) {
        const int codeA = sizeCode(papers[a]);
        const int codeB = sizeCode(papers[b]);
        return codeA != codeB ? codeA < codeB : papers[a].key < papers[b].key;
    });
    for (const qsizetype i : uncoded) {
        int code = sizeCode(papers[i]);
        while (taken.contains(code) && code < highestPaperSizeCode)
            ++code;
        if (taken.contains(code))
            continue; // more sizes than codes: the printer's sizes beyond are not offered
        codes[i] = code;
        taken.insert(code);
    }
    return codes;
}

} // namespace hakobee
