#pragma once

#include "core/printer/printerbackend.h"

#include <QString>

namespace hakobee {

// A length in twips as the paper list shows it: whole millimetres at 56.7
// twips to the millimetre, halves to the even neighbour (11906 -> 210).
int paperListMillimetres(int twips);

// The paper list's entry for a paper size: the code, a TAB, then width and
// height in millimetres ("9\t210 x 297").
QString paperListEntry(const SupportedPaperSize& size);

} // namespace hakobee
