#include "core/barcode/recordbarcode.h"

#include "core/barcode/barcodeencoder.h"

namespace hakobee {

std::shared_ptr<const BarcodePicture> makeRecordBarcode(const BarcodeEncoder& encoder,
                                                        const QString& barcodeValue)
{
    if (barcodeValue.isEmpty())
        return nullptr;
    return encoder.encode(parseJanBarcodeValue(barcodeValue));
}

} // namespace hakobee
