#include "platform/printing/glyphtext.h"

#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace hakobee {

namespace {

// Start and length of every character (a surrogate pair is one).
QList<std::pair<int, int>> characters(const QString& text)
{
    QList<std::pair<int, int>> found;
    for (int i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        found.append({i, pair ? 2 : 1});
        if (pair)
            ++i;
    }
    return found;
}

bool runsLeftToRight(const QString& text)
{
    return std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        const QChar::Direction direction = c.direction();
        return direction == QChar::DirR || direction == QChar::DirAL ||
               direction == QChar::DirRLE || direction == QChar::DirRLO ||
               direction == QChar::DirRLI;
    });
}

struct GlyphPlace
{
    qsizetype run;
    qsizetype glyph;
    double x;
};

} // namespace

QList<GlyphRunText> glyphRunsWithText(const QTextLayout& layout, const QString& text)
{
    QList<GlyphRunText> runs;
    std::vector<GlyphPlace> places;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < positions.size(); ++i)
            places.push_back({runs.size(), i, positions[i].x()});
        runs.append({run, QStringList(positions.size(), QString())});
    }
    const QList<std::pair<int, int>> chars = characters(text);

    if (runsLeftToRight(text) && places.size() == static_cast<size_t>(chars.size())) {
        std::stable_sort(places.begin(), places.end(),
                         [](const GlyphPlace& a, const GlyphPlace& b) { return a.x < b.x; });
        for (qsizetype i = 0; i < chars.size(); ++i) {
            const GlyphPlace& place = places[static_cast<size_t>(i)];
            runs[place.run].glyphTexts[place.glyph] = text.mid(chars[i].first, chars[i].second);
        }
        return runs;
    }

    // Ligatures, marks, reordering: find each character's glyphs among the runs.
    for (const auto& [start, length] : chars) {
        const QString character = text.mid(start, length);
        for (const QGlyphRun& piece : layout.glyphRuns(start, length)) {
            const QList<quint32> indexes = piece.glyphIndexes();
            const QList<QPointF> positions = piece.positions();
            for (qsizetype g = 0; g < indexes.size(); ++g) {
                for (GlyphRunText& run : runs) {
                    if (run.run.rawFont() != piece.rawFont())
                        continue;
                    const QList<quint32> runIndexes = run.run.glyphIndexes();
                    const QList<QPointF> runPositions = run.run.positions();
                    for (qsizetype i = 0; i < runIndexes.size(); ++i) {
                        if (runIndexes[i] == indexes[g] && runPositions[i] == positions[g])
                            run.glyphTexts[i] += character;
                    }
                }
            }
        }
    }
    return runs;
}

} // namespace hakobee
