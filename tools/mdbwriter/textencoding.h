#pragma once

#include "jetformat.h"

#include <QByteArray>
#include <QString>

namespace hakobee::mdbwriter {

// The stored form of a Text or Memo value. Strings of Latin-1 characters use
// Jet's compressed form (FF FE, then one byte per character); everything else
// is stored as UTF-16LE. Throws ValueError for the one string no reader
// can get back: a leading U+FEFF together with a character whose low byte is
// zero.
QByteArray encodeText(const QString& text);

// Jet 3: text in the file's Windows code page, one or two bytes a character.
// Throws ValueError for a character the code page does not have.
QByteArray encodeCodePageText(const QString& text, int codePage);

// Either of the above, as the format stores text.
QByteArray encodeText(const QString& text, const jet::Format& format);

} // namespace hakobee::mdbwriter
