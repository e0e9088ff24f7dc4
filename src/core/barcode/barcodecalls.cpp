#include "core/barcode/barcodecalls.h"

#include "core/barcode/barcodeencoder.h"
#include "core/error.h"

#include <QPaintDevice>
#include <QPainter>

namespace hakobee {

int BarcodeCalls::display2(const QString& barcodeText, QPainter& painter,
                           const QRectF& areaPixels) const
{
    std::shared_ptr<const BarcodePicture> picture;
    try {
        picture = encoder_.encode(barcodeText);
    } catch (const Error&) {
        return -1;
    }
    const double dotsPerMm = painter.device() ? painter.device()->logicalDpiX() / 25.4 : 96 / 25.4;
    painter.save();
    painter.setClipRect(areaPixels);
    picture->paint(painter, areaPixels.topLeft(), dotsPerMm);
    painter.restore();
    return 0;
}

void BarcodeCalls::copy(const QString& barcodeText)
{
    slot_.clear();
    slot_.setPicture(encoder_.encode(barcodeText));
}

} // namespace hakobee
