#include "textencoding.h"

#include "valueerror.h"

#include <QStringEncoder>

#include <algorithm>

namespace hakobee::mdbwriter {

namespace {

constexpr char16_t ByteOrderMark = 0xFEFF;

bool compressible(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x01 && c.unicode() <= 0xFF; });
}

// In the compressed form a zero byte switches between one-byte and two-byte
// characters, so no two-byte character may have a zero low byte there.
bool hasZeroLowByte(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return (c.unicode() & 0xFF) == 0; });
}

QByteArray utf16(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

QByteArray encodeText(const QString& text)
{
    if (text.isEmpty())
        return {};
    if (compressible(text)) {
        QByteArray bytes("\xFF\xFE", 2);
        bytes.append(text.toLatin1());
        return bytes;
    }
    // Readers take a value that starts with the bytes FF FE as compressed;
    // such a string is written in the compressed form's two-byte mode.
    if (text.front() != QChar(ByteOrderMark))
        return utf16(text);
    if (hasZeroLowByte(text))
        throw ValueError{u"先頭が U+FEFF で、下位バイトが 0 の文字（「一」など）も"
                         u"含む文字列は Access の形式で表せません"_qs};
    QByteArray bytes("\xFF\xFE\x00", 3);
    bytes.append(utf16(text));
    return bytes;
}

QByteArray encodeCodePageText(const QString& text, int codePage)
{
    // Qt (with ICU) knows code page 932 as Shift_JIS with the Windows
    // extensions (NEC and IBM characters such as ① and 髙).
    const QByteArray name = codePage == 932    ? QByteArray("Shift_JIS")
                            : codePage == 1252 ? QByteArray("windows-1252")
                                               : "windows-" + QByteArray::number(codePage);
    QStringEncoder encoder(name.constData(), QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        throw ValueError{u"コードページ %1 には対応していません"_qs.arg(codePage)};
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        throw ValueError{u"コードページ %1 にない文字を含んでいます"_qs.arg(codePage)};
    return bytes;
}

QByteArray encodeText(const QString& text, const jet::Format& format)
{
    return format.jet3() ? encodeCodePageText(text, format.codePage) : encodeText(text);
}

} // namespace hakobee::mdbwriter
