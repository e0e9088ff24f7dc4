#pragma once

#include <QByteArray>
#include <QString>

namespace hakobee::mdbwriter {

// The stored form of a Text or Memo value. Strings of Latin-1 characters use
// Jet's compressed form (FF FE, then one byte per character); everything else
// is stored as UTF-16LE. Throws ValueError for the one string no reader
// can get back: a leading U+FEFF together with a character whose low byte is
// zero.
QByteArray encodeText(const QString& text);

} // namespace hakobee::mdbwriter
