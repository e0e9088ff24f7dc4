#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace hakobee {

// How a folder's text files are written: Shift-JIS (code page 932, as
// Windows writes it) unless the operator chose UTF-8 for the folder.
enum class TextEncoding
{
    ShiftJis,
    Utf8,
};

// A text file's text, read a block at a time so that a large file is never
// held whole. A file that begins with a UTF-8 byte order mark is UTF-8 (the
// mark is dropped); any other is in the folder's encoding. Nothing is
// guessed from the bytes: UTF-8 whose bytes happen to be valid Shift-JIS
// reads as Shift-JIS. Every failure throws hakobee::Error naming the file;
// bytes not in the encoding also name their line.
class TextFileText
{
public:
    TextFileText(const QString& path, TextEncoding folderEncoding);

    // The next block of the text, ending at a line end or at the end of the
    // file; false at the end. A line feed (0A) is never part of a character
    // in either encoding, so each block decodes on its own.
    bool read(QString& text);
    // Back to the start of the text.
    void rewind();

private:
    QString path_;
    QFile file_;
    TextEncoding encoding_ = TextEncoding::ShiftJis;
    qint64 textStart_ = 0;
    // The bytes read after the last line feed, and the lines before them.
    QByteArray pending_;
    qsizetype linesBefore_ = 0;
};

} // namespace hakobee
