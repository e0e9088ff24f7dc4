#pragma once

#include "core/barcode/barcodeencoder.h"

namespace hakobee::test {

// Checks the barcode text by the JAN rules and gives a picture with one
// bar per digit: enough for what runs and layouts need of a barcode.
class FakeBarcodeEncoder : public BarcodeEncoder
{
public:
    using BarcodeEncoder::encode;
    std::shared_ptr<const BarcodePicture> encode(const JanCode& code) const override
    {
        QList<BarcodeBar> bars;
        for (qsizetype i = 0; i < code.digits.size(); ++i)
            bars.append({int(10 + 7 * i), 1 + code.digits[i].digitValue() % 3});
        return std::make_shared<BarcodePicture>(code.digits, bars,
                                                int(20 + 7 * code.digits.size()));
    }
};

} // namespace hakobee::test
