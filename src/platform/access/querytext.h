#pragma once

#include <QString>

namespace hakobee {

// Access treats a full-width blank (U+3000) between words as a blank, and
// operators type their queries with a Japanese input method switched on.
// Returns the query with every full-width blank outside quoted text
// ('text', "name", [name], `name`) and outside comments replaced by an
// ordinary blank; everything else is left exactly as it was.
QString withFullWidthBlanksAsBlanks(const QString& query);

} // namespace hakobee
