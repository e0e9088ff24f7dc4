#include "core/settings/settingsformat.h"

#include "core/error.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

// A file written by a UTF-8 editor: a byte order mark, or multi-byte text
// that is valid UTF-8. Shift-JIS text with kana or common kanji is never
// valid UTF-8, so genuine settings files are not mistaken for one.
bool looksLikeUtf8(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return true;
    bool hasMultiByte = false;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            hasMultiByte = true;
            break;
        }
    }
    if (!hasMultiByte)
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return !utf8.hasError();
}

QString shiftJisText(const QString& text)
{
    QStringEncoder encoder(shiftJis);
    const QByteArray bytes = encoder.encode(text);
    QStringDecoder decoder(shiftJis);
    return decoder.decode(bytes);
}

} // namespace

QString decodeSettingsText(const QByteArray& bytes, const QString& fileName)
{
    if (bytes.contains('\0'))
        throw Error(
            QStringLiteral("設定ファイル %1 に NUL 文字が含まれています。ファイルが壊れています。")
                .arg(fileName));
    if (looksLikeUtf8(bytes))
        throw Error(
            QStringLiteral(
                "設定ファイル %1 は UTF-8 で書かれています。Shift-JIS のファイルが必要です。")
                .arg(fileName));
    QStringDecoder decoder(shiftJis);
    if (!decoder.isValid())
        throw Error(QStringLiteral("Shift-JIS の文字コード変換が使えません。"));
    const QString text = decoder.decode(bytes);
    // The converter substitutes U+FFFD or U+001A for bytes it cannot map.
    const bool substituted =
        text.contains(QChar(0xFFFD)) || (text.contains(QChar(0x1A)) && !bytes.contains('\x1A'));
    if (decoder.hasError() || substituted)
        throw Error(QStringLiteral("設定ファイル %1 に Shift-JIS として読めない文字があります。")
                        .arg(fileName));
    return text;
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
                throw Error(
                    QStringLiteral("設定ファイル %1 は値の途中で終わっています。").arg(fileName));
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
        throw Error(QStringLiteral("「\"」を含む値は設定ファイルに保存できません: %1").arg(value));
    if (value.contains(u'\r') || value.contains(u'\n'))
        throw Error(QStringLiteral("改行を含む値は設定ファイルに保存できません: %1").arg(value));
    if (shiftJisText(value) != value)
        throw Error(
            QStringLiteral("Shift-JIS で保存できない文字を含む値は設定ファイルに保存できません: %1")
                .arg(value));
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
    row += QStringLiteral("\r\n");
    QStringEncoder encoder(shiftJis);
    return encoder.encode(row);
}

} // namespace hakobee
