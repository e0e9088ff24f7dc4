#pragma once

#include "platform/desktop/fonts.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <memory>
#include <vector>

class QRawFont;
typedef struct _cairo_font_face cairo_font_face_t;
struct FT_LibraryRec_;

namespace hakobee {

// The cairo faces that draw the glyphs Qt shapes text with. Each font Qt
// uses is found once as its installed file, so glyph numbers mean the same
// to both, and the PDF embeds a subset of that file.
class CairoFontFaces
{
public:
    // Where Qt makes a face bold or italic that it is not, its PDF writer
    // draws the glyphs twice or slanted; the canvas does the same.
    struct Face
    {
        cairo_font_face_t* face = nullptr; // owned by CairoFontFaces
        bool emboldened = false;           // bold made by drawing the glyphs twice
        bool slanted = false;              // italic made by slanting the glyphs
    };

    CairoFontFaces();
    ~CairoFontFaces();
    CairoFontFaces(const CairoFontFaces&) = delete;
    CairoFontFaces& operator=(const CairoFontFaces&) = delete;

    // The face for a font of Qt's glyph runs. Throws hakobee::Error when no
    // installed file holds the font.
    Face faceFor(const QRawFont& font);

    // The files of the faces used so far.
    QStringList files() const;

    struct FontFaceRelease
    {
        void operator()(cairo_font_face_t* face) const;
    };
    using FontFaceHandle = std::unique_ptr<cairo_font_face_t, FontFaceRelease>;

private:
    struct Entry;

    Entry& entryFor(const QRawFont& font);

    std::shared_ptr<FT_LibraryRec_> library_; // shared with the faces made from it
    std::vector<std::unique_ptr<Entry>> entries_;
    QHash<QByteArray, Entry*> byKey_;
};

} // namespace hakobee
