#pragma once

#include <QString>

#include <optional>

namespace hakobee {

// A print adjustment (the horizontal and vertical offsets in millimetres,
// the font size change in points) is a whole number from -20 to 20.
inline constexpr int smallestPrintAdjustment = -20;
inline constexpr int largestPrintAdjustment = 20;

struct PrintAdjustment
{
    int value = 0;
    // False when the stored text was not a whole number in range and
    // `value` is the nearest one that is: a number out of range gives the
    // end it passed, a fraction is rounded (halves away from zero), no
    // number at all (or an empty value) gives 0.
    bool wasValid = true;
};

// Reads a stored adjustment. Blanks around the number and leading zeros are
// accepted, as the renderer accepts them.
PrintAdjustment readPrintAdjustment(const std::optional<QString>& stored);

} // namespace hakobee
