#include "platform/textfolder/textdecoding.h"

#include "core/error.h"
#include "core/settings/settingsformat.h"

#include <QDir>
#include <QStringDecoder>

#include <optional>

namespace hakobee {

namespace {

// Large enough that decoding costs little per line, small enough that a
// scan's memory stays flat.
constexpr qint64 blockBytes = 256 * 1024;

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

// The line (from 1) of the bytes that holds the first bytes not in the
// encoding.
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

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

TextFileText::TextFileText(const QString& path, TextEncoding folderEncoding)
    : path_(path), file_(path), encoding_(folderEncoding)
{
    if (!file_.open(QIODevice::ReadOnly))
        throw Error(u"ファイル「%1」を読めません。\n%2"_qs.arg(shown(path), file_.errorString()));
    static const QByteArray byteOrderMark("\xEF\xBB\xBF");
    if (file_.peek(byteOrderMark.size()) == byteOrderMark) {
        encoding_ = TextEncoding::Utf8;
        textStart_ = byteOrderMark.size();
    }
    rewind();
}

void TextFileText::rewind()
{
    if (!file_.seek(textStart_))
        throw Error(u"ファイル「%1」を読めません。\n%2"_qs.arg(shown(path_), file_.errorString()));
    pending_.clear();
    linesBefore_ = 0;
}

bool TextFileText::read(QString& text)
{
    const auto readBlock = [this] {
        const QByteArray bytes = file_.read(blockBytes);
        if (bytes.isEmpty() && !file_.atEnd())
            throw Error(
                u"ファイル「%1」を読めません。\n%2"_qs.arg(shown(path_), file_.errorString()));
        return bytes;
    };
    QByteArray block = std::move(pending_);
    pending_.clear();
    if (!file_.atEnd())
        block += readBlock();
    // A line longer than a block is read whole.
    while (!block.contains('\n') && !file_.atEnd())
        block += readBlock();
    if (block.isEmpty())
        return false;
    if (!file_.atEnd()) {
        const qsizetype lineEnd = block.lastIndexOf('\n');
        pending_ = block.mid(lineEnd + 1);
        block.truncate(lineEnd + 1);
    }
    std::optional<QString> decoded = decode(block, encoding_);
    if (!decoded) {
        const qsizetype badLine = firstUndecodableLine(block, encoding_);
        // The lines before the faulty one are read first, so that a scan
        // stops exactly at it; the next read starts there and fails.
        qsizetype badStart = 0;
        for (qsizetype line = 1; line < badLine; ++line)
            badStart = block.indexOf('\n', badStart) + 1;
        if (badStart > 0) {
            pending_ = block.mid(badStart) + pending_;
            block.truncate(badStart);
            decoded = decode(block, encoding_);
        }
    }
    if (!decoded) {
        const QString encodingName =
            encoding_ == TextEncoding::Utf8 ? u"UTF-8"_qs : u"Shift-JIS"_qs;
        throw Error(u"ファイル「%1」の %2 行目に %3 の文字ではないバイトがあります。"
                    u"ファイルの文字コードを確かめてください。"_qs.arg(shown(path_))
                        .arg(linesBefore_ + firstUndecodableLine(block, encoding_))
                        .arg(encodingName));
    }
    linesBefore_ += block.count('\n');
    text = std::move(*decoded);
    return true;
}

} // namespace hakobee
