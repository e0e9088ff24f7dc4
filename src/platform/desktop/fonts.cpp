#include "platform/desktop/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QRawFont>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <memory>

namespace hakobee {

namespace {

// In order of preference. IPA P Gothic comes first: a proportional Gothic
// with the metrics of the MS P Gothic the forms were laid out in, and one
// TrueType face, of which a label's PDF embeds the few glyphs it uses at
// little cost. Noto Sans CJK is a CFF collection of 16 MB per weight.
const char16_t* const preferredFamilies[] = {u"IPAPGothic", u"IPAGothic", u"Noto Sans CJK JP",
                                             u"MS UI Gothic"};

struct FontSetFree
{
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct PatternFree
{
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetFree
{
    void operator()(FcObjectSet* objects) const { FcObjectSetDestroy(objects); }
};
struct FreeTypeDone
{
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDone
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FreeType = std::unique_ptr<FT_LibraryRec_, FreeTypeDone>;
using Face = std::unique_ptr<FT_FaceRec_, FaceDone>;

QByteArray sfntTable(FT_Face face, QByteArrayView tag)
{
    const FT_ULong ftTag = FT_MAKE_TAG(tag[0], tag[1], tag[2], tag[3]);
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, ftTag, 0, nullptr, &length) != 0 || length == 0)
        return {};
    QByteArray table(static_cast<qsizetype>(length), Qt::Uninitialized);
    if (FT_Load_Sfnt_Table(face, ftTag, 0, reinterpret_cast<FT_Byte*>(table.data()), &length) != 0)
        return {};
    return table;
}

// The installed faces of a family, or all installed faces when the family
// is empty: file and index within it.
QList<std::pair<QByteArray, int>> installedFaces(const QString& family)
{
    const std::unique_ptr<FcPattern, PatternFree> pattern(FcPatternCreate());
    if (!family.isEmpty())
        FcPatternAddString(pattern.get(), FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    const std::unique_ptr<FcObjectSet, ObjectSetFree> objects(
        FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr));
    const std::unique_ptr<FcFontSet, FontSetFree> set(
        FcFontList(nullptr, pattern.get(), objects.get()));
    QList<std::pair<QByteArray, int>> faces;
    for (int i = 0; set && i < set->nfont; ++i) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
        faces.append({QByteArray(reinterpret_cast<const char*>(file)), index});
    }
    return faces;
}

} // namespace

QString japaneseFontFamily()
{
    // Asked of fontconfig, which knows a family by any of its names: Qt lists
    // IPAPGothic as "IPA Pゴシック" under a Japanese locale.
    for (const char16_t* family : preferredFamilies) {
        const QString name = QString::fromUtf16(family);
        if (!installedFaces(name).isEmpty())
            return name;
    }
    return {};
}

void useJapaneseDefaultFont()
{
    const QString family = japaneseFontFamily();
    if (family.isEmpty())
        return;
    QFont font = QApplication::font();
    font.setFamily(family);
    QApplication::setFont(font);
}

std::optional<FontFile> fontFileOf(const QRawFont& font)
{
    // The header holds the font's revision, dates and whole-file checksum;
    // the naming table tells the faces of one collection apart.
    const QByteArray head = font.fontTable("head");
    const QByteArray names = font.fontTable("name");
    if (head.isEmpty())
        return std::nullopt;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return std::nullopt;
    const FreeType freeType(library);
    const auto findAmong =
        [&](const QList<std::pair<QByteArray, int>>& faces) -> std::optional<FontFile> {
        for (const auto& [file, index] : faces) {
            FT_Face opened = nullptr;
            if (FT_New_Face(library, file.constData(), index, &opened) != 0)
                continue;
            const Face face(opened);
            if (sfntTable(opened, "head") != head || sfntTable(opened, "name") != names)
                continue;
            return FontFile{QFile::decodeName(file), index,
                            (opened->style_flags & FT_STYLE_FLAG_BOLD) != 0,
                            (opened->style_flags & FT_STYLE_FLAG_ITALIC) != 0};
        }
        return std::nullopt;
    };
    // Qt may name a face by the family asked for rather than by its own (no
    // name at all for the default face): then every installed face is a
    // candidate.
    if (const std::optional<FontFile> found = findAmong(installedFaces(font.familyName())))
        return found;
    return font.familyName().isEmpty() ? std::nullopt : findAmong(installedFaces({}));
}

std::optional<FontFile> fontFileOf(const QFont& font)
{
    return fontFileOf(QRawFont::fromFont(font, QFontDatabase::Japanese));
}

} // namespace hakobee
