#pragma once

#include "core/barcode/barcodeencoder.h"

namespace hakobee {

// Barcode pictures from zint's vector output: zint lays out the bars and the
// quiet zones (EAN-13: 11 modules left, 7 right; EAN-8: 7 and 7), the
// picture keeps them in modules. The human-readable digits are left out:
// the label prints its own caption under the barcode.
class ZintBarcodeEncoder : public BarcodeEncoder
{
public:
    using BarcodeEncoder::encode;
    std::shared_ptr<const BarcodePicture> encode(const JanCode& code) const override;
};

} // namespace hakobee
