#pragma once

class QIcon;
class QPixmap;

namespace hakobee {

// The program's own icon (icons/hakobee.svg), in the sizes the build renders
// from it and embeds in the program, so it needs no installed file.
QIcon programIcon();

// The icon at exactly `pixels` square, scaled from the nearest larger size.
QPixmap programIconPixmap(int pixels);

} // namespace hakobee
