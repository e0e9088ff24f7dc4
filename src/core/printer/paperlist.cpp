#include "core/printer/paperlist.h"

#include "core/render/labelnumbers.h"

namespace hakobee {

namespace {

constexpr double paperListTwipsPerMillimetre = 56.7;

} // namespace

int paperListMillimetres(int twips)
{
    return roundHalfToEven(twips / paperListTwipsPerMillimetre);
}

QString paperListEntry(const SupportedPaperSize& size)
{
    return u"%1\t%2 x %3"_qs.arg(size.code)
        .arg(paperListMillimetres(size.widthTwips))
        .arg(paperListMillimetres(size.heightTwips));
}

} // namespace hakobee
