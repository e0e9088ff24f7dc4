#include "platform/printing/cairofontfaces.h"

#include "core/error.h"

#include <QFile>
#include <QFont>
#include <QRawFont>
#include <QtEndian>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace hakobee {

namespace {

struct FreeTypeDone
{
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDone
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

// A face read from its file mapped into memory, owned by the cairo face
// made from it: cairo may keep the face in its caches after the canvas is
// gone, so the face frees itself when cairo lets it go.
struct MappedFace
{
    std::shared_ptr<FT_LibraryRec_> library; // freed after the last of its faces
    QFile file;                              // keeps the mapping
    std::unique_ptr<FT_FaceRec_, FaceDone> face;
};

const cairo_user_data_key_t mappedFaceKey{};

// Hides the character map of one face in a mapped copy of its file. cairo
// looks every glyph of every document up backwards in the character map,
// searching the whole map each time, only to learn the character the caller
// already gives it; without a map it takes the caller's characters at once.
void hideCharacterMap(uchar* bytes, qint64 size, int faceIndex)
{
    const auto read32 = [&](qint64 at) {
        return at + 4 <= size ? qFromBigEndian<quint32>(bytes + at) : 0u;
    };
    qint64 directory = 0;
    if (read32(0) == 0x74746366) { // 'ttcf': a collection, one directory per face
        if (static_cast<quint32>(faceIndex) >= read32(8))
            return;
        directory = read32(12 + 4 * faceIndex);
    }
    if (directory + 12 > size)
        return;
    const int tables = qFromBigEndian<quint16>(bytes + directory + 4);
    for (int i = 0; i < tables; ++i) {
        const qint64 entry = directory + 12 + 16 * i;
        if (entry + 16 > size)
            return;
        // Renamed, not removed: the directory keeps its size and its order.
        if (read32(entry) == 0x636d6170) {                    // 'cmap'
            qToBigEndian<quint32>(0x636d6171, bytes + entry); // 'cmaq', known to no one
            return;
        }
    }
}

CairoFontFaces::FontFaceHandle cairoFace(const std::shared_ptr<FT_LibraryRec_>& library,
                                         const FontFile& file)
{
    auto mapped = std::make_unique<MappedFace>();
    mapped->library = library;
    mapped->file.setFileName(file.path);
    uchar* bytes = nullptr;
    if (mapped->file.open(QIODevice::ReadOnly))
        bytes = mapped->file.map(0, mapped->file.size(), QFileDevice::MapPrivateOption);
    if (!bytes)
        throw Error(u"フォント「%1」を読めません。"_qs.arg(file.path));
    hideCharacterMap(bytes, mapped->file.size(), file.faceIndex);
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library.get(), bytes, mapped->file.size(), file.faceIndex, &face) != 0)
        throw Error(u"フォント「%1」を読めません。"_qs.arg(file.path));
    mapped->face.reset(face);

    CairoFontFaces::FontFaceHandle cairoFace(cairo_ft_font_face_create_for_ft_face(face, 0));
    const cairo_status_t status =
        cairo_font_face_set_user_data(cairoFace.get(), &mappedFaceKey, mapped.get(),
                                      [](void* owned) { delete static_cast<MappedFace*>(owned); });
    if (status != CAIRO_STATUS_SUCCESS)
        throw Error(u"フォント「%1」を読めません。"_qs.arg(file.path));
    mapped.release(); // the cairo face owns it now
    return cairoFace;
}

} // namespace

void CairoFontFaces::FontFaceRelease::operator()(cairo_font_face_t* face) const
{
    cairo_font_face_destroy(face);
}

struct CairoFontFaces::Entry
{
    FontFile file;
    FontFaceHandle face;
};

CairoFontFaces::CairoFontFaces()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        throw Error(u"フォントを扱うライブラリ FreeType を使えません。"_qs);
    library_.reset(library, FreeTypeDone());
}

CairoFontFaces::~CairoFontFaces() = default;

CairoFontFaces::Face CairoFontFaces::faceFor(const QRawFont& font)
{
    const Entry& entry = entryFor(font);
    return {entry.face.get(), font.weight() >= QFont::Bold && !entry.file.boldFace,
            font.style() != QFont::StyleNormal && !entry.file.italicFace};
}

CairoFontFaces::Entry& CairoFontFaces::entryFor(const QRawFont& font)
{
    // The header table (revision, dates, checksum) tells apart two installed
    // versions of one family and style.
    const QByteArray key = font.familyName().toUtf8() + '\0' + font.styleName().toUtf8() + '\0' +
                           font.fontTable("head");
    if (Entry* known = byKey_.value(key))
        return *known;
    const std::optional<FontFile> file = fontFileOf(font);
    if (!file)
        throw Error(u"フォント「%1」のファイルが見つからないため、PDF に埋め込めません。"_qs.arg(
            font.familyName()));
    // Another style or size of a face already open shares its cairo face.
    Entry* same = nullptr;
    for (const auto& entry : entries_) {
        if (entry->file.path == file->path && entry->file.faceIndex == file->faceIndex)
            same = entry.get();
    }
    auto entry = std::make_unique<Entry>();
    entry->file = *file;
    entry->face = same ? FontFaceHandle(cairo_font_face_reference(same->face.get()))
                       : cairoFace(library_, *file);
    Entry& added = *entry;
    entries_.push_back(std::move(entry));
    byKey_.insert(key, &added);
    return added;
}

QStringList CairoFontFaces::files() const
{
    QStringList files;
    for (const auto& entry : entries_) {
        if (!files.contains(entry->file.path))
            files.append(entry->file.path);
    }
    return files;
}

} // namespace hakobee
