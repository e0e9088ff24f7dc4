#include "platform/textfolder/textdecoding.h"

#include "core/error.h"
#include "core/settings/settingsformat.h"

#include <QDir>
#include <QStringDecoder>

#include <optional>

namespace hakobee {

namespace {

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decode(const QByteArray& bytes, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? decodeUtf8(bytes) : decodeCodePage932(bytes);
}

// The line (from 1) that holds the first bytes not in the encoding. A line
// feed (0A) is never part of a character in either encoding, so each line
// decodes on its own.
qsizetype firstUndecodableLine(const QByteArray& bytes, TextEncoding encoding)
{
    qsizetype line = 1;
    for (qsizetype from = 0; from <= bytes.size(); ++line) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0)
            end = bytes.size();
        if (!decode(bytes.mid(from, end - from), encoding))
            return line;
        from = end + 1;
    }
    return line - 1;
}

} // namespace

QString decodeTextFile(const QByteArray& bytes, TextEncoding folderEncoding, const QString& path)
{
    static const QByteArray byteOrderMark("\xEF\xBB\xBF");
    const bool marked = bytes.startsWith(byteOrderMark);
    const TextEncoding encoding = marked ? TextEncoding::Utf8 : folderEncoding;
    const QByteArray content = marked ? bytes.mid(byteOrderMark.size()) : bytes;
    if (std::optional<QString> text = decode(content, encoding))
        return *text;
    const QString encodingName = encoding == TextEncoding::Utf8 ? u"UTF-8"_qs : u"Shift-JIS"_qs;
    throw Error(u"ファイル「%1」の %2 行目に %3 の文字ではないバイトがあります。"
                u"ファイルの文字コードを確かめてください。"_qs.arg(QDir::toNativeSeparators(path))
                    .arg(firstUndecodableLine(content, encoding))
                    .arg(encodingName));
}

} // namespace hakobee
