#pragma once

#include <QString>

#include <optional>

class QFont;
class QRawFont;

namespace hakobee {

// The Japanese face of the program's screens and therefore of its labels,
// which are printed in the font of the run screen's fields: the first
// installed of the preferred faces, or empty when none is installed.
QString japaneseFontFamily();

// Makes japaneseFontFamily() the application's default font when one is
// installed, so that screens never fall back to a face without kana.
void useJapaneseDefaultFont();

// A face in a font file, with the style the face itself has (what a request
// for bold or italic gets beyond it is synthesised).
struct FontFile
{
    QString path;
    int faceIndex = 0; // within a font collection (.ttc)
    bool boldFace = false;
    bool italicFace = false;
};

// The file Qt reads a font from: the installed faces of its family, as
// fontconfig lists them, checked against the font's own tables, so the
// glyph numbers Qt shapes with are those of the face found. Empty when no
// installed file holds the face (a font loaded from memory).
std::optional<FontFile> fontFileOf(const QRawFont& font);
// The face Qt draws this font's Japanese text with.
std::optional<FontFile> fontFileOf(const QFont& font);

} // namespace hakobee
