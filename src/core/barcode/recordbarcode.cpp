#include "core/barcode/recordbarcode.h"

#include "core/barcode/barcodecalls.h"
#include "core/error.h"

namespace hakobee {

QString barcodeTextOf(const QString& barcodeValue)
{
    return u"JAN-"_qs + barcodeValue;
}

std::shared_ptr<const BarcodePicture> makeRecordBarcode(BarcodeCalls& barcodes,
                                                        const QString& barcodeValue)
{
    if (barcodeValue.isEmpty())
        return nullptr;
    const QString text = barcodeTextOf(barcodeValue);
    barcodes.copy(text);
    std::shared_ptr<const BarcodePicture> picture = barcodes.slot().picture();
    // The picture must be of this very value, never one left from an earlier record.
    if (!picture || !picture->encodedText().startsWith(barcodeValue))
        throw Error(u"バーコード「%1」の画像を作成できませんでした。"_qs.arg(barcodeValue));
    return picture;
}

} // namespace hakobee
