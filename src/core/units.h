#pragma once

#include <cmath>

namespace hakobee {

// Window geometry is given in twips (1/1440 inch). Screens are laid out for
// 96 dots per inch, where one pixel is 15 twips.
constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips >= 0 ? twips + twipsPerPixel / 2 : twips - twipsPerPixel / 2) / twipsPerPixel;
}

// Paper sizes are exchanged with the print-setup dialog in tenths of a millimetre.
constexpr double twipsPerMillimetre = 1440.0 / 25.4;

} // namespace hakobee
