#include "ui/programicon.h"

#include <QIcon>
#include <QPixmap>

namespace hakobee {

namespace {
constexpr int renderedSizes[] = {16, 24, 32, 48, 64, 128, 256};
} // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int pixels : renderedSizes)
        icon.addFile(u":/hakobee/icons/hakobee-%1.png"_qs.arg(pixels), QSize(pixels, pixels));
    return icon;
}

QPixmap programIconPixmap(int pixels)
{
    return programIcon().pixmap(pixels, pixels);
}

} // namespace hakobee
