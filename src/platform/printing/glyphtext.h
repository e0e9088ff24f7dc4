#pragma once

#include <QGlyphRun>
#include <QList>
#include <QString>
#include <QStringList>

class QTextLayout;

namespace hakobee {

// A run of glyphs Qt set in one font, each glyph with the characters it
// stands for (empty for a glyph that stands for none of its own, such as
// the second glyph of a character drawn as two).
struct GlyphRunText
{
    QGlyphRun run;
    QStringList glyphTexts; // one per glyph of the run
};

// The glyph runs of a laid-out text with the characters of each glyph: what
// a PDF needs to give the text back to a search or a copy. Qt does not say
// which glyph stands for which character; when each character got one glyph
// and the text runs left to right they are paired by their places on the
// line, otherwise each character's glyphs are asked of the layout.
QList<GlyphRunText> glyphRunsWithText(const QTextLayout& layout, const QString& text);

} // namespace hakobee
