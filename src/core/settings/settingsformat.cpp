#include "core/settings/settingsformat.h"

#include "core/error.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace hakobee {

namespace {

const char* const shiftJis = "Shift_JIS";

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The bytes of code page 932: one byte for ASCII (00-7F) and half-width
// katakana (A1-DF); a lead byte (81-9F, E0-FC) and a trail byte (40-7E,
// 80-FC) for everything else. 80, A0 and FD-FF stand for no character.
bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

bool isSingleByte(unsigned char b)
{
    return b < 0x80 || (b >= 0xA1 && b <= 0xDF);
}

enum class ByteFault
{
    None,
    NotShiftJis,
    EndsInCharacter
};

// Where the bytes break the structure of code page 932, if anywhere. Which
// two-byte characters exist is left to the converter.
ByteFault checkShiftJisStructure(const QByteArray& bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (isSingleByte(b))
            continue;
        if (!isLeadByte(b))
            return ByteFault::NotShiftJis;
        if (i + 1 == size)
            return ByteFault::EndsInCharacter;
        if (!isTrailByte(static_cast<unsigned char>(bytes[++i])))
            return ByteFault::NotShiftJis;
    }
    return ByteFault::None;
}

// ICU's converter for code page 932 (ibm-943) exchanges three control
// characters as IBM's code pages do: byte 1A is U+001C, 1C is U+007F and 7F
// is U+001A. Windows maps each of them to itself. These two turn the
// converter's side into Windows' side and back.
QChar fromConverterControl(QChar c)
{
    switch (c.unicode()) {
    case 0x1C:
        return QChar(0x1A);
    case 0x7F:
        return QChar(0x1C);
    case 0x1A:
        return QChar(0x7F);
    default:
        return c;
    }
}

QChar toConverterControl(QChar c)
{
    switch (c.unicode()) {
    case 0x1A:
        return QChar(0x1C);
    case 0x1C:
        return QChar(0x7F);
    case 0x7F:
        return QChar(0x1A);
    default:
        return c;
    }
}

// Code page 932 bytes as text, exactly as Windows reads them. Returns
// nothing when the bytes hold a character the code page lacks.
std::optional<QString> decodeShiftJis(const QByteArray& bytes)
{
    QStringDecoder decoder(shiftJis, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        throw Error(u"Shift-JIS の文字コード変換が使えません。"_qs);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    for (QChar& c : text)
        c = fromConverterControl(c);
    return text;
}

// Text as code page 932 bytes, exactly as Windows writes them. Returns
// nothing when the text holds a character the code page lacks.
std::optional<QByteArray> encodeShiftJis(QString text)
{
    for (QChar& c : text)
        c = toConverterControl(c);
    QStringEncoder encoder(shiftJis, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        throw Error(u"Shift-JIS の文字コード変換が使えません。"_qs);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

// True when the text comes back unchanged from code page 932. The converter
// takes some characters the code page lacks to their look-alikes (U+00A5 to
// 5C, which reads back as a backslash); those do not come back.
bool survivesShiftJis(const QString& text)
{
    const std::optional<QByteArray> bytes = encodeShiftJis(text);
    if (!bytes)
        return false;
    const std::optional<QString> back = decodeShiftJis(*bytes);
    return back && *back == text;
}

} // namespace

QString decodeSettingsText(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.contains('\0'))
        throw Error(u"設定ファイル %1 に NUL 文字が含まれています。ファイルが壊れています。"_qs.arg(
            fileName));
    // The one sign of another encoding that is taken as such: a byte order
    // mark. Nothing else is guessed from the bytes: half-width katakana
    // pairs such as ﾄｸ (C4 B8) are valid UTF-8 as well.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        throw Error(
            u"設定ファイル %1 は UTF-8 で書かれています。Shift-JIS のファイルが必要です。"_qs.arg(
                fileName));
    const ByteFault fault = checkShiftJisStructure(bytes);
    if (fault == ByteFault::EndsInCharacter)
        throw Error(u"設定ファイル %1 は文字の途中で終わっています。"_qs.arg(fileName));
    std::optional<QString> text;
    if (fault == ByteFault::None)
        text = decodeShiftJis(bytes);
    if (!text)
        throw Error(u"設定ファイル %1 に Shift-JIS として読めない文字があります。"
                    u"別の文字コードで保存されていないか確かめてください。"_qs.arg(fileName));
    return *text;
}

std::optional<QString> decodeCodePage932(const QByteArray& bytes)
{
    if (checkShiftJisStructure(bytes) != ByteFault::None)
        return std::nullopt;
    return decodeShiftJis(bytes);
}

QByteArray leadingSettingsRows(const QByteArray& bytes, int lineCount, int valueCount)
{
    // The separators, quotes and line ends are ASCII, below any trail byte
    // of code page 932 (40-FC), so they are found in the bytes exactly where
    // the decoded text has them, before anything is decoded.
    const qsizetype end = bytes.size();
    qsizetype pos = 0;
    int lines = 0;
    int values = 0;
    while (pos < end) {
        while (pos < end && (bytes[pos] == ' ' || bytes[pos] == '\t'))
            ++pos;
        if (pos < end && bytes[pos] == '"') {
            const qsizetype close = bytes.indexOf('"', pos + 1);
            if (close < 0)
                return bytes;
            pos = close + 1;
        }
        while (pos < end && bytes[pos] != ',' && bytes[pos] != '\r' && bytes[pos] != '\n')
            ++pos;
        ++values;
        if (pos >= end)
            return bytes;
        if (bytes[pos] == ',') {
            ++pos;
            continue;
        }
        if (bytes[pos] == '\r' && pos + 1 < end && bytes[pos + 1] == '\n')
            ++pos;
        ++pos;
        if (++lines >= lineCount && values >= valueCount)
            return bytes.left(pos);
    }
    return bytes;
}

QList<SettingsValue> splitSettingsValues(const QString& text, const QString& fileName)
{
    QList<SettingsValue> values;
    qsizetype pos = 0;
    const qsizetype end = text.size();
    while (pos < end) {
        while (pos < end && isBlank(text[pos]))
            ++pos;
        SettingsValue value;
        if (pos < end && text[pos] == u'"') {
            const qsizetype close = text.indexOf(u'"', pos + 1);
            if (close < 0)
                throw Error(u"設定ファイル %1 は値の途中で終わっています。"_qs.arg(fileName));
            value.text = text.mid(pos + 1, close - pos - 1);
            pos = close + 1;
            // Anything between the closing quote and the separator is dropped.
            while (pos < end && text[pos] != u',' && !isLineEnd(text[pos]))
                ++pos;
        } else {
            const qsizetype start = pos;
            while (pos < end && text[pos] != u',' && !isLineEnd(text[pos]))
                ++pos;
            value.text = text.mid(start, pos - start).trimmed();
        }
        if (pos >= end) {
            value.endsLine = true;
        } else if (text[pos] == u',') {
            ++pos;
        } else {
            value.endsLine = true;
            if (text[pos] == u'\r' && pos + 1 < end && text[pos + 1] == u'\n')
                ++pos;
            ++pos;
        }
        values.append(std::move(value));
    }
    return values;
}

QList<QStringList> splitSettingsLines(const QString& text, const QString& fileName)
{
    QList<QStringList> lines;
    QStringList line;
    for (SettingsValue& value : splitSettingsValues(text, fileName)) {
        line.append(std::move(value.text));
        if (value.endsLine) {
            lines.append(line);
            line.clear();
        }
    }
    return lines;
}

void checkStorableSettingsValue(const QString& value)
{
    if (value.contains(u'"'))
        throw Error(u"「\"」を含む値は設定ファイルに保存できません: %1"_qs.arg(value));
    if (value.contains(u'\r') || value.contains(u'\n'))
        throw Error(u"改行を含む値は設定ファイルに保存できません: %1"_qs.arg(value));
    if (!survivesShiftJis(value))
        throw Error(
            u"Shift-JIS で保存できない文字を含む値は設定ファイルに保存できません: %1"_qs.arg(
                value));
}

QByteArray encodeSettingsRow(const QStringList& values)
{
    QString row;
    for (qsizetype i = 0; i < values.size(); ++i) {
        checkStorableSettingsValue(values[i]);
        if (i > 0)
            row += u',';
        row += u'"' + values[i] + u'"';
    }
    row += u"\r\n"_qs;
    // Every value has been checked, so the row converts.
    return encodeShiftJis(row).value_or(QByteArray());
}

} // namespace hakobee
