#pragma once

#include <QByteArray>
#include <QString>

namespace hakobee {

// How a folder's text files are written: Shift-JIS (code page 932, as
// Windows writes it) unless the operator chose UTF-8 for the folder.
enum class TextEncoding
{
    ShiftJis,
    Utf8,
};

// The text of a file's bytes. A file that begins with a UTF-8 byte order
// mark is UTF-8 (the mark is dropped); any other is in the folder's
// encoding. Nothing is guessed from the bytes: UTF-8 whose bytes happen to
// be valid Shift-JIS reads as Shift-JIS. Throws hakobee::Error naming the
// file and the first line whose bytes are not in its encoding.
QString decodeTextFile(const QByteArray& bytes, TextEncoding folderEncoding, const QString& path);

} // namespace hakobee
