#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace hakobee {

// The row format shared by all settings files: every value in double quotes,
// values separated by one comma, each row ending in CR LF, text in Shift-JIS.
// A quoted value may hold commas; there is no escape for a double quote.

// One value as read from a settings text, with whether a line end follows it.
struct SettingsValue
{
    QString text;
    bool endsLine = false;
};

// Decodes the bytes of a settings file as Shift-JIS (code page 932, as
// Windows reads it), whatever else the bytes might also be: half-width
// katakana pairs such as ﾄｸ (C4 B8) are valid UTF-8 too, and nothing is
// guessed from that. Throws hakobee::Error, naming the file, for bytes that
// cannot be settings text: NUL bytes (a damaged file), a UTF-8 byte order
// mark at the start, a character cut off by the end of the file, or bytes
// that are not code page 932.
QString decodeSettingsText(const QByteArray& bytes, const QString& fileName);

// Code page 932 bytes as text, exactly as Windows reads them; nothing when
// the bytes are not code page 932 (a byte or a character it lacks, or a
// character cut off by the end of the bytes). NUL bytes are characters here.
std::optional<QString> decodeCodePage932(const QByteArray& bytes);

// The leading bytes of a settings file that hold its first `lineCount` rows
// and at least `valueCount` values, through the line end (CR LF, LF or CR)
// that closes the last of them; all the bytes when they end first. Values
// are told apart as splitSettingsValues does, so a line end inside a quoted
// value ends no row. What follows is no part of the settings: the readers
// neither decode nor check it, whatever bytes it holds.
QByteArray leadingSettingsRows(const QByteArray& bytes, int lineCount, int valueCount = 0);

// Splits settings text into its values, one after the other. A comma or a
// line end ends a value, enclosing quotes are removed, blanks around an
// unquoted value are dropped. Throws hakobee::Error for a quoted value that
// the text ends in the middle of.
QList<SettingsValue> splitSettingsValues(const QString& text, const QString& fileName);

// The values grouped by line.
QList<QStringList> splitSettingsLines(const QString& text, const QString& fileName);

// Checks that a value can be stored: no double quote (the format has no
// escape for it), no line end, only characters Shift-JIS can hold. Throws
// hakobee::Error with a sentence for the operator.
void checkStorableSettingsValue(const QString& value);

// One row in the file's bytes, CR LF included. Throws like
// checkStorableSettingsValue.
QByteArray encodeSettingsRow(const QStringList& values);

} // namespace hakobee
