#pragma once

#include <QByteArray>

namespace hakobee::mdbwriter {

// RC4 applied in place to bytes [offset, offset + length) of buffer. Jet
// stores part of its first page this way; applying it twice restores the text.
void applyRc4(QByteArray& buffer, int offset, int length, const QByteArray& key);

} // namespace hakobee::mdbwriter
