#pragma once

#include <QList>
#include <QString>

namespace hakobee {

// Paper size codes as the settings store them (YOSHI) and the paper screen
// lists them: the Windows numbers (9 = A4) for the sizes that have one,
// 256 for a user-defined size, and, as Windows drivers number the forms of
// their own, codes above 256 for every other size a printer offers (label
// sizes, rolls).
//
// A code above 256 is made from the size alone, so the same size on the
// same printer has the same code after a restart, an update of the program
// or a reinstall, with nothing stored:
//
//   code = 257 + 256 x (width - 1) + (height - 1)
//
// width and height in whole millimetres as the paper list shows them (1 to
// 126 mm wide, 1 to 256 mm high; 57.15 x 31.75 mm is 257 + 256 x 56 + 31 =
// 14624). A size outside that range, or one that rounds to the millimetres
// of a size already coded, takes the next free code above (from 32513 for
// the large ones), in the order of the sizes' names, so codes stay unique
// on a printer.
inline constexpr int userDefinedPaperSizeCode = 256;
inline constexpr int firstDriverPaperSizeCode = 257;
// The largest code a DEVMODE record can carry (a 16-bit signed field).
inline constexpr int highestPaperSizeCode = 32767;

// One size a printer offers: the printer's own name for it (the media key,
// "A4", "w162h90") and its size as named (portrait), in PostScript points.
struct OfferedPaper
{
    QString key;
    double widthPt = 0;
    double heightPt = 0;
};

// The Windows number of a size: the standard size of those dimensions
// within half a millimetre, whatever the key; 0 when Windows numbers no such size.
int windowsPaperSizeCode(const OfferedPaper& paper);

// The code of every size, in the order given: a Windows number the first
// time a size that has one comes up, a code above 256 otherwise (see above).
// Never 256, each code once.
QList<int> paperSizeCodes(const QList<OfferedPaper>& papers);

} // namespace hakobee
